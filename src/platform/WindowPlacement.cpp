#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace sijill::platform {

namespace {

QRect availableArea(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

void keepOnScreen(QWidget* window) {
    if (!window) {
        return;
    }
    const QRect area = availableArea(window);
    if (area.isEmpty()) {
        return;
    }
    // The frame (title bar and borders) is known only once the window manager
    // has decorated the window; before that it equals the client geometry.
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const int extraW = frame.width() - client.width();
    const int extraH = frame.height() - client.height();
    const int maxW = std::max(1, area.width() - extraW);
    const int maxH = std::max(1, area.height() - extraH);
    if (client.width() > maxW || client.height() > maxH) {
        window->resize(std::min(client.width(), maxW), std::min(client.height(), maxH));
    }
    const QRect f = window->frameGeometry();
    int x = std::clamp(f.x(), area.left(), std::max(area.left(), area.right() + 1 - f.width()));
    int y = std::clamp(f.y(), area.top(), std::max(area.top(), area.bottom() + 1 - f.height()));
    if (x != f.x() || y != f.y()) {
        window->move(x, y);
    }
}

} // namespace sijill::platform
