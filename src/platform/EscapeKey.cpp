#include "platform/EscapeKey.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace sijill::platform {

namespace {

class EscapeFilter : public QObject {
public:
    EscapeFilter(QWidget* window, std::function<void()> close)
        : QObject(window), window_(window), close_(std::move(close)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        if (close_)
            close_();
        else
            window_->close();
        return true;
    }

private:
    QWidget* window_;
    std::function<void()> close_;
};

} // namespace

void escapeCloses(QWidget* window, std::function<void()> close) {
    window->installEventFilter(new EscapeFilter(window, std::move(close)));
}

} // namespace sijill::platform
