#include "support/TestApp.h"
#include "support/WindowsLeftOpen.h"

// Every test runs without a screen unless the run names a platform, and
// fails when it leaves a window open.
int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return sijill::test::runTestsInApplication(argc, argv, sijill::test::checkWindowsAfterEachTest);
}
