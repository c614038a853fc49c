#pragma once

#include <functional>

namespace sijill::platform {

// Ends the program at once (after a successful import, or a refused second
// copy). Tests install a handler that records the request instead.
void exitProgram(int code = 0);
void setExitHandler(std::function<void(int)> handler); // empty restores the real one

} // namespace sijill::platform
