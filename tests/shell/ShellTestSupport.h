#pragma once

#include "platform/FileChooser.h"
#include "support/EnvScope.h"
#include "support/TestHome.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <deque>
#include <memory>

namespace sijill::test {

// The profile as a school that has filled it in.
inline void finishProfile(const TestHome& home) {
    home.exec("Schedual.db", "UPDATE MyInfo SET Admin = 'إدارة تعليم الرياض', "
                             "School = 'مدرسة النور الابتدائية' WHERE id = 1");
}

// A left click as the window system delivers it.
inline void leftClick(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

// The pointer moving over a widget with no button held.
inline void hover(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

// Answers the file chooser from a queue: a path to choose, kClose to close it,
// or kLeaveOpen to leave it open as a person would before choosing.
class ScriptedChooser : public platform::FileChooserPresenter {
public:
    static inline const QString kClose = QStringLiteral("<close>");
    static inline const QString kLeaveOpen = QStringLiteral("<open>");

    void answer(const QString& a) { answers_.push_back(a); }
    void present(platform::FileChooserWindow& chooser) override {
        ++presented;
        chooser.chooserWidget()->show();
        const QString a = answers_.empty() ? kLeaveOpen : answers_.front();
        if (!answers_.empty())
            answers_.pop_front();
        if (a == kClose)
            chooser.closeChooser();
        else if (a != kLeaveOpen)
            chooser.chooseFile(a);
    }
    int presented = 0;

private:
    std::deque<QString> answers_;
};

class ChooserScope {
public:
    ChooserScope() : chooser_(std::make_shared<ScriptedChooser>()) {
        previous_ = platform::setFileChooserPresenter(chooser_);
    }
    ~ChooserScope() { platform::setFileChooserPresenter(previous_); }
    ScriptedChooser& chooser() { return *chooser_; }

private:
    std::shared_ptr<ScriptedChooser> chooser_;
    std::shared_ptr<platform::FileChooserPresenter> previous_;
};

} // namespace sijill::test
