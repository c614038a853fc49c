#pragma once

#include <functional>

class QWidget;

namespace sijill::platform {

// Escape pressed in `window`, and left unused by the control holding the
// focus, does what the window's own close picture or Cancel does: `close`
// when given, else the window is closed as by its title bar (its closeEvent
// runs, with its questions about unsaved edits). Not for the main window,
// whose close ends the program.
void escapeCloses(QWidget* window, std::function<void()> close = {});

} // namespace sijill::platform
