#pragma once

class QCoreApplication;
class QWidget;

namespace sijill::platform {

// Moves (and, where it is larger, shrinks) a top-level window so that its
// whole frame, title bar and close button included, lies inside the available
// area of the screen it is on. Call after the window's size is set; a window
// that already fits keeps its place.
void keepOnScreen(QWidget* window);

// Places every top-level window as it is shown, Qt's own dialogs included: on
// its first showing a window its own code did not place is centred on the
// window it belongs to (the one it is transient for, else the active one);
// every showing then keeps its frame inside the screen, once more when a
// window manager has framed it.
void placeWindowsAsShown(QCoreApplication* app);

} // namespace sijill::platform
