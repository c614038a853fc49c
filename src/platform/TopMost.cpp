#include "platform/TopMost.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace sijill::platform {

namespace {
void setStaysOnTop(QWidget* window, bool on) {
    if (!window || window->testAttribute(Qt::WA_WState_Created) == false) {
        if (window)
            window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    // Changing a flag of a shown window hides it; show it again where it was,
    // still above the window it belongs to.
    const bool visible = window->isVisible();
    const QRect geometry = window->geometry();
    const QPointer<QWindow> owner =
        window->windowHandle() ? window->windowHandle()->transientParent() : nullptr;
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (owner && window->windowHandle())
        window->windowHandle()->setTransientParent(owner);
    if (visible) {
        window->setGeometry(geometry);
        window->show();
    }
}
} // namespace

void SetTopMost(QWidget* window) {
    setStaysOnTop(window, true);
}
void ClearTopMost(QWidget* window) {
    setStaysOnTop(window, false);
}

} // namespace sijill::platform
