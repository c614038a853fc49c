// The desktop tests run on a display of their own with a real window manager,
// once for each screen size. Without an argument the program starts a display
// per size and runs itself on it; with SIJILL_DESKTOP_SIZE set it is that run.
#include "XSession.h"
#include "support/TestApp.h"

#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("SIJILL_DESKTOP_SIZE"))
        return sijill::test::runTestsInApplication(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int failed = 0;
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1366, 768}}) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        sijill::test::XSession session(width, height);
        if (!session.problem().empty()) {
            std::fprintf(stderr, "desktop %s: %s\n", size.c_str(), session.problem().c_str());
            return 1;
        }
        std::printf("desktop %s on %s\n", size.c_str(), session.display().c_str());
        std::fflush(stdout);
        const int status = sijill::test::runWithTimeout(
            "/proc/self/exe", args,
            {"DISPLAY=" + session.display(), "QT_QPA_PLATFORM=xcb", "SIJILL_DESKTOP_SIZE=" + size},
            240);
        if (status != 0) {
            std::fprintf(stderr, "desktop %s: the tests failed (status %d)\n", size.c_str(),
                         status);
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
