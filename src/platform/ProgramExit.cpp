#include "platform/ProgramExit.h"

#include <cstdlib>

namespace sijill::platform {

namespace {
std::function<void(int)>& handler() {
    static std::function<void(int)> h;
    return h;
}
} // namespace

void exitProgram(int code) {
    if (handler()) {
        handler()(code);
        return;
    }
    std::exit(code);
}

void setExitHandler(std::function<void(int)> h) {
    handler() = std::move(h);
}

} // namespace sijill::platform
