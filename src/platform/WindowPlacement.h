#pragma once

class QWidget;

namespace sijill::platform {

// Moves (and, where it is larger, shrinks) a top-level window so that its
// whole frame, title bar and close button included, lies inside the available
// area of the screen it is on. Call after the window's size is set; a window
// that already fits keeps its place.
void keepOnScreen(QWidget* window);

} // namespace sijill::platform
