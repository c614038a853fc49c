#include "platform/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace sijill::platform {

WindowDrag::WindowDrag(QWidget* window) : QObject(window), window_(window) {}

void WindowDrag::addSurface(QWidget* surface) {
    surface->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    auto* surface = qobject_cast<QWidget*>(watched);
    if (!surface)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        // The origin is kept in the surface's coordinates, as the pointer is.
        origin_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    } else if (event->type() == QEvent::MouseMove) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->buttons() == Qt::LeftButton) {
            const QPoint at = me->position().toPoint();
            window_->move(window_->x() - (origin_.x() - at.x()),
                          window_->y() - (origin_.y() - at.y()));
        }
    }
    return false;
}

} // namespace sijill::platform
