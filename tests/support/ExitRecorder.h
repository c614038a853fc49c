#pragma once

#include "platform/ProgramExit.h"

#include <optional>

namespace sijill::test {

// Records the program's request to end instead of ending the test process.
struct ExitRecorder {
    std::optional<int> code;
    ExitRecorder() {
        platform::setExitHandler([this](int c) { code = c; });
    }
    ~ExitRecorder() { platform::setExitHandler({}); }
    ExitRecorder(const ExitRecorder&) = delete;
    ExitRecorder& operator=(const ExitRecorder&) = delete;
};

} // namespace sijill::test
