#include "platform/EnterKey.h"

#include "platform/AppFilter.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace sijill::platform {

namespace {

bool isEnter(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A key reaches the focus widget first: a push or tool button that receives
// Enter and holds its window's focus is the one the user means. Option boxes
// and radio buttons keep theirs.
class EnterOnButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!isEnter(*key))
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!button || !(qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button)))
            return false;
        if (button->window()->focusWidget() != button || !button->isEnabled() ||
            !button->isVisible())
            return false;
        // Held down, it presses once, as the space bar does.
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }
};

} // namespace

void enterPressesFocusedButton(QCoreApplication* app) {
    installAppFilterOnce<EnterOnButton>(app, "sijillEnterOnButton");
}

} // namespace sijill::platform
