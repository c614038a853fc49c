#pragma once

class QCoreApplication;
class QWidget;

namespace sijill::platform {

// Makes `child` a window of `opener`'s window: a window manager keeps it above
// that window, also when the user clicks there. It stays a window of its own,
// not a Qt child, so disabling the main window does not disable it too.
// Call before showing `child`.
void makeTransientFor(QWidget* child, QWidget* opener);

// Shows `child` as a window of `opener` (see makeTransientFor), raised and
// active.
void showChildWindow(QWidget* child, QWidget* opener);

// Whether a child window other than `closing` stands open over `mainWindow`:
// a visible window of the program's own, not a pop-up and not one marked
// with countsAsNoChild.
bool otherChildWindowOpen(const QWidget* mainWindow, const QWidget* closing);

// Called by every child window that goes away (closing or hiding): when it was
// the last child window open, the main window is enabled, shown and focused;
// while another one stays open, the main window stays disabled under it.
void giveMainWindowBack(QWidget* mainWindow, const QWidget* closing);

// A window that never holds the main window disabled (a report preview): it
// stays open beside the main window without keeping it disabled.
void countsAsNoChild(QWidget* window);

// A disabled window answers nothing: no click, key, shortcut or pointer move
// reaches any part of it, the controls that listen through event filters (the
// menus drawn as labels) included.
void ignoreInputToDisabledWindows(QCoreApplication* app);

} // namespace sijill::platform
