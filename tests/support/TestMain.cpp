#include "support/TestApp.h"
#include "support/WindowsLeftOpen.h"

// Every test runs without a screen unless the run names a platform, and
// fails when it leaves a window open.
int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test prints on the machine's own spooler: one that needs a spooler
    // starts its own and names it.
    qputenv("CUPS_SERVER", "/nonexistent/sijill-tests/cups.sock");
    return sijill::test::runTestsInApplication(argc, argv, sijill::test::checkWindowsAfterEachTest);
}
