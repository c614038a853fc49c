#include "platform/ChildWindow.h"

#include "platform/AppFilter.h"
#include "platform/EscapeKey.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace sijill::platform {

namespace {

constexpr const char* kNoChild = "sijillNoChildWindow";
constexpr const char* kLifeName = "sijillChildWindow";

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

// The widget an event belongs to: the receiver itself, or the widget that owns
// a shortcut or an action.
QWidget* widgetOf(QObject* object) {
    for (QObject* o = object; o; o = o->parent())
        if (o->isWidgetType())
            return static_cast<QWidget*>(o);
    return nullptr;
}

// A window of the program's own that may stand open over the main window: not
// a pop-up, a tooltip or a window marked with countsAsNoChild.
bool isChildWindow(const QWidget* w) {
    if (!w->isWindow() || !w->isVisible() || w->property(kNoChild).toBool())
        return false;
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen &&
           type != Qt::Desktop;
}

// Qt keeps disabled widgets from their own input, but event filters installed
// on them still see it, and the menus of the main window work through those.
// A click on a disabled window gives the focus back to the child window
// active last, so that its keys (Escape) keep reaching it.
class DisabledWindowInput : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType())
            noteActive(static_cast<QWidget*>(watched));
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(watched)->window();
            if (!window->isEnabled())
                focusChildOver(window);
        }
        // A window manager's close (Alt+F4) of a disabled window is refused
        // too; the program's own close() is not spontaneous.
        if (event->type() == QEvent::Close && event->spontaneous() && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() &&
            !static_cast<QWidget*>(watched)->isEnabled()) {
            event->ignore();
            return true;
        }
        if (!isInput(event->type()))
            return false;
        QWidget* w = widgetOf(watched);
        return w && !w->window()->isEnabled();
    }

private:
    void noteActive(QWidget* window) {
        if (!window->isWindow() || !window->isEnabled())
            return;
        std::erase_if(active_, [window](const QPointer<QWidget>& w) { return !w || w == window; });
        active_.insert(active_.begin(), window);
    }

    void focusChildOver(QWidget* disabled) {
        for (const QPointer<QWidget>& w : active_) {
            if (w && w != disabled && w->isEnabled() && isChildWindow(w)) {
                w->raise();
                w->activateWindow();
                return;
            }
        }
    }

    std::vector<QPointer<QWidget>> active_; // latest first
};

} // namespace

void makeTransientFor(QWidget* child, QWidget* opener) {
    if (!child || !child->isWindow())
        return;
    QWidget* owner = opener ? opener->window() : nullptr;
    if (owner == child)
        owner = nullptr;
    // Window managers keep only dialogs above the window they belong to (on
    // X11 Qt marks no other kind of window as transient).
    if (child->windowType() == Qt::Window) {
        const bool visible = child->isVisible();
        child->setWindowFlags((child->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        if (visible)
            child->show();
    }
    child->winId();
    // An owner never shown has no native window and nothing to stay above.
    QWindow* parent = owner ? owner->windowHandle() : nullptr;
    if (QWindow* window = child->windowHandle(); window && window->transientParent() != parent)
        window->setTransientParent(parent);
}

namespace {

void showChildWindow(QWidget* child, QWidget* opener) {
    if (!child)
        return;
    makeTransientFor(child, opener);
    child->show();
    child->raise();
    child->activateWindow();
}

bool otherChildWindowOpen(const QWidget* mainWindow, const QWidget* closing) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [&](const QWidget* w) {
        return w != closing && w != mainWindow && isChildWindow(w);
    });
}

void giveMainWindowBack(QWidget* mainWindow, const QWidget* closing) {
    if (!mainWindow || otherChildWindowOpen(mainWindow, closing))
        return;
    mainWindow->setWindowState(mainWindow->windowState() & ~Qt::WindowMinimized);
    mainWindow->setEnabled(true);
    // A main window not yet shown (the start-up's calendar) is shown by the
    // start-up, once it has its size and place.
    if (mainWindow->testAttribute(Qt::WA_WState_ExplicitShowHide))
        mainWindow->show();
    mainWindow->activateWindow();
    mainWindow->setFocus();
}

// Calls the window's own event handler, its closeEvent among them.
bool deliver(QWidget* window, QEvent* event) {
    struct Access : QWidget {
        using QWidget::event;
    };
    return (window->*(&Access::event))(event);
}

} // namespace

ChildWindow::ChildWindow(QWidget* window, Setup setup)
    : QObject(window), window_(window), setup_(std::move(setup)) {
    setObjectName(QLatin1String(kLifeName));
    escapeCloses(window, setup_.escape);
    window->installEventFilter(this);
}

ChildWindow* ChildWindow::of(const QWidget* window) {
    return window ? window->findChild<ChildWindow*>(QLatin1String(kLifeName),
                                                    Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QWidget* ChildWindow::mainWindow() const {
    return setup_.mainWindow ? setup_.mainWindow() : nullptr;
}

void ChildWindow::open(QWidget* opener) {
    holdMainWindow();
    showAbove(opener ? opener : mainWindow());
}

void ChildWindow::showAbove(QWidget* opener) {
    showChildWindow(window_, opener);
}

void ChildWindow::holdMainWindow() {
    platform::holdMainWindow(mainWindow());
}

void ChildWindow::giveMainWindowBack() {
    platform::giveMainWindowBack(mainWindow(), window_);
}

bool ChildWindow::settleTypedEdits() {
    TypedEdits* edits = setup_.typedEdits;
    if (!edits || !setup_.ask || !edits->hasTypedEdits())
        return true;
    if (!setup_.ask(edits->typedEditsQuestion(), [edits] { return edits->saveTypedEdits(); }))
        return false;
    edits->typedEditsSettled();
    return true;
}

bool ChildWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::Close)
        return false;
    // Typed edits are not dropped without a word: save, drop or stay.
    if (!settleTypedEdits()) {
        event->ignore();
        return true;
    }
    const bool wasVisible = window_->isVisible();
    // The window's own closing runs first; it may still refuse. A window
    // closed unseen had nothing over the main window to give back.
    deliver(window_, event);
    if (event->isAccepted() && wasVisible)
        giveMainWindowBack();
    return true;
}

void holdMainWindow(QWidget* mainWindow) {
    if (mainWindow)
        mainWindow->setEnabled(false);
}

MainWindowHeld::MainWindowHeld(QWidget& mainWindow, bool hold)
    : mainWindow_(mainWindow), was_(mainWindow.isEnabled()), hold_(hold) {
    if (hold_)
        mainWindow_.setEnabled(false);
}

MainWindowHeld::~MainWindowHeld() {
    if (hold_)
        mainWindow_.setEnabled(was_);
}

void countsAsNoChild(QWidget* window) {
    window->setProperty(kNoChild, true);
}

void ignoreInputToDisabledWindows(QCoreApplication* app) {
    installAppFilterOnce<DisabledWindowInput>(app, "sijillDisabledWindowInput");
}

} // namespace sijill::platform
