#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QCoreApplication;
class QWidget;

namespace sijill::platform {

// What a window holds that the user typed and has not stored, for the
// question its close asks.
class TypedEdits {
public:
    virtual bool hasTypedEdits() const = 0;
    // True when they were stored; a failure was told to the user.
    virtual bool saveTypedEdits() = 0;
    // The question the close asks about them.
    virtual QString typedEditsQuestion() const = 0;
    // After the question let the window go on, the edits saved or dropped.
    virtual void typedEditsSettled() {}

protected:
    ~TypedEdits() = default;
};

// Asks `question` about typed edits: yes runs `save`. True when the window
// may go on: after no, or after yes with a save that succeeded.
using TypedEditsQuestion =
    std::function<bool(const QString& question, const std::function<bool()>& save)>;

// The one life cycle of a window that opens over the main window: it opens
// once, holds the main window disabled, stays above the window it opened
// over, closes on Escape, asks about typed edits before it closes, and gives
// the main window back when it closes and no other child window stays open.
// Made as a child of its window, it goes with it.
class ChildWindow : public QObject {
public:
    struct Setup {
        // The main window to hold; null holds none.
        std::function<QWidget*()> mainWindow;
        // What Escape does; empty closes the window as its title bar does.
        std::function<void()> escape = {};
        // The window's typed edits and how their question is asked.
        TypedEdits* typedEdits = nullptr;
        TypedEditsQuestion ask = {};
    };

    ChildWindow(QWidget* window, Setup setup);

    // The life cycle of `window`, or null for a window without one.
    static ChildWindow* of(const QWidget* window);

    // Opens the window (once: an open one is raised): the main window
    // disabled under it, above `opener` (the main window when null), raised
    // and active.
    void open(QWidget* opener = nullptr);
    // Shows the window above `opener` as open() does, leaving the main
    // window as it is.
    void showAbove(QWidget* opener);
    // Keeps the main window disabled for this window.
    void holdMainWindow();
    // Gives the main window back unless another child window stays open.
    void giveMainWindowBack();
    // Asks about typed edits, when there are some. True when the window may
    // go on (none, saved or dropped); false keeps it as it is.
    bool settleTypedEdits();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow() const;

    QWidget* window_;
    Setup setup_;
};

// Disables `mainWindow` while a child window is on its way (not yet made).
void holdMainWindow(QWidget* mainWindow);

// Keeps the main window disabled while it lives (a long export), when asked,
// and then leaves it as it found it.
class MainWindowHeld {
public:
    MainWindowHeld(QWidget& mainWindow, bool hold);
    ~MainWindowHeld();
    MainWindowHeld(const MainWindowHeld&) = delete;
    MainWindowHeld& operator=(const MainWindowHeld&) = delete;

private:
    QWidget& mainWindow_;
    bool was_;
    bool hold_;
};

// Makes `child` a window of `opener`'s window: a window manager keeps it above
// that window, also when the user clicks there. It stays a window of its own,
// not a Qt child, so disabling the main window does not disable it too.
// Call before showing `child`.
void makeTransientFor(QWidget* child, QWidget* opener);

// A window that never holds the main window disabled (a report preview): it
// stays open beside the main window without keeping it disabled.
void countsAsNoChild(QWidget* window);

// A disabled window answers nothing: no click, key, shortcut or pointer move
// reaches any part of it, the controls that listen through event filters (the
// menus drawn as labels) included.
void ignoreInputToDisabledWindows(QCoreApplication* app);

} // namespace sijill::platform
