#pragma once

class QCoreApplication;
class QString;
class QWidget;

namespace sijill::platform {

// Moves (and, where it is larger, shrinks) a top-level window so that its
// whole frame, title bar and close button included, lies inside the available
// area of the screen it is on. Call after the window's size is set; a window
// that already fits keeps its place.
void keepOnScreen(QWidget* window);

// The width a window needs for the window manager to draw `title` whole in
// its title bar (with the program's name that Qt adds), beside the bar's icon and its three
// buttons. Measured in the application's font made bold, which is no smaller than the bars' usual
// small bold font.
int titleBarWidth(const QString& title);

// Places every top-level window as it is shown, Qt's own dialogs included: on
// its first showing a window its own code did not place is centred on the
// window it belongs to (the one it is transient for, else the active one);
// every showing then keeps its frame inside the screen, once more when a
// window manager has framed it.
void placeWindowsAsShown(QCoreApplication* app);

} // namespace sijill::platform
