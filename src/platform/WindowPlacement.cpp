#include "platform/WindowPlacement.h"

#include "platform/AppFilter.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <memory>

namespace sijill::platform {

namespace {

QRect availableArea(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect();
}

bool isFramed(QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return !(window->windowFlags() & Qt::FramelessWindowHint) && type != Qt::Popup &&
           type != Qt::ToolTip && type != Qt::SplashScreen;
}

// The frame the window manager gave the window, or none yet. Asked of the
// native window: QWidget::frameGeometry() follows only after a move.
QMargins nativeFrame(QWidget* window) {
    QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

bool frameIsKnown(QWidget* window) {
    return !nativeFrame(window).isNull();
}

// The frame a window manager gives a window, learnt from the last framed
// window seen: until it frames a new window its frame is unknown.
QMargins& learntFrame() {
    static QMargins margins;
    return margins;
}

QMargins frameOf(QWidget* window) {
    if (frameIsKnown(window))
        return nativeFrame(window);
    return isFramed(window) ? learntFrame() : QMargins();
}

// Where a window was placed by nobody: the window it belongs to.
QWidget* ownerOf(QWidget* window) {
    if (QWindow* handle = window->windowHandle()) {
        if (QWindow* parent = handle->transientParent()) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->windowHandle() == parent)
                    return w->isVisible() ? w : nullptr;
        }
    }
    QWidget* active = QApplication::activeWindow();
    return active && active != window && active->isVisible() ? active : nullptr;
}

// Puts the client area where a frame of the given margins lands on `frame`.
// The client's geometry, not move(): a window not yet framed would otherwise
// be placed by its client's corner or its frame's, depending on whether its
// native window exists.
void setFrame(QWidget* window, const QRect& frame, const QMargins& margins) {
    const QRect client = frame.marginsRemoved(margins);
    if (client != window->geometry())
        window->setGeometry(client);
}

void centreOnOwner(QWidget* window) {
    const QMargins m = frameOf(window);
    QRect frame = window->geometry().marginsAdded(m);
    QWidget* owner = ownerOf(window);
    frame.moveCenter(owner ? owner->geometry().marginsAdded(frameOf(owner)).center()
                           : availableArea(window).center());
    setFrame(window, frame, m);
}

void place(QWidget* window, const QMargins& margins) {
    const QRect area = availableArea(window);
    if (area.isEmpty()) {
        return;
    }
    QRect frame = window->geometry().marginsAdded(margins);
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    setFrame(window, frame, margins);
}

const char* const kPlaced = "_sijill_placed";

// A window manager frames a window after it is shown: once the frame is
// known the window is placed once more. Asked again and again for a while,
// since no event says when.
void awaitFrame(QWidget* window) {
    auto* timer = new QTimer(window);
    timer->setInterval(50);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, window, [window, timer, ticks] {
        if (frameIsKnown(window)) {
            learntFrame() = nativeFrame(window);
            keepOnScreen(window);
        } else if (++*ticks < 60) {
            return;
        }
        timer->deleteLater();
    });
    timer->start();
}

class PlacementGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        const Qt::WindowType kind = w->windowType();
        if (!w->isWindow() || kind == Qt::Popup || kind == Qt::ToolTip || kind == Qt::Desktop)
            return false;
        shown(w);
        return false;
    }

private:
    static void shown(QWidget* w) {
        if (!w->property(kPlaced).toBool()) {
            w->setProperty(kPlaced, true);
            if (!w->testAttribute(Qt::WA_Moved))
                centreOnOwner(w);
        }
        keepOnScreen(w);
        if (isFramed(w) && !frameIsKnown(w))
            awaitFrame(w);
    }
};

} // namespace

int titleBarWidth(const QString& title) {
    // The bar shows the title followed by the program's name, as Qt sets it.
    QString shown = title;
    const QString name = QGuiApplication::applicationDisplayName();
    if (!name.isEmpty() && !title.endsWith(name))
        shown = title.isEmpty() ? name : title + QStringLiteral(" \u2014 ") + name;
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int button = metrics.height() + 6; // square, as high as the bar
    constexpr int kButtons = 4;              // the icon, minimise, maximise, close
    constexpr int kPadding = 24;             // borders and the gaps beside the title
    return metrics.horizontalAdvance(shown) + kButtons * button + kPadding;
}

void keepOnScreen(QWidget* window) {
    if (!window) {
        return;
    }
    // The frame (title bar and borders) is known only once the window manager
    // has decorated the window; until then the last frame seen stands for it.
    place(window, frameOf(window));
}

void placeWindowsAsShown(QCoreApplication* app) {
    installAppFilterOnce<PlacementGuard>(app, "sijillPlacementGuard");
}

} // namespace sijill::platform
