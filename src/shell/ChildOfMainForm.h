#pragma once

#include "platform/ChildWindow.h"

#include <functional>

class QWidget;

namespace sijill::shell {

// Gives `window` the life cycle of a window that opens over the program's
// main window; the question about its typed edits, when it has some, is asked
// in the program's box. Escape does `escape`, or closes the window.
platform::ChildWindow* childOfMainForm(QWidget* window, platform::TypedEdits* edits = nullptr,
                                       std::function<void()> escape = {});

// The same for a window made for the main window `main`, which keeps to it.
platform::ChildWindow* childOfMainWindow(QWidget* window, QWidget* main,
                                         platform::TypedEdits* edits = nullptr);

} // namespace sijill::shell
