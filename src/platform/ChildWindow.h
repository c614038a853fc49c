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

// A disabled window answers nothing: no click, key, shortcut or pointer move
// reaches any part of it, the controls that listen through event filters (the
// menus drawn as labels) included.
void ignoreInputToDisabledWindows(QCoreApplication* app);

} // namespace sijill::platform
