#pragma once

#include "platform/QtArabic.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace sijill::test {

// Runs the tests inside one QApplication, right to left like the program;
// `beforeRun`, when given, runs once gtest is set up (listeners).
inline int runTestsInApplication(int argc, char** argv, void (*beforeRun)() = nullptr) {
    // Waits of the program return at once in tests unless a test asks otherwise.
    if (!qEnvironmentVariableIsSet("SIJILL_WAIT_SCALE"))
        qputenv("SIJILL_WAIT_SCALE", "0");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    sijill::platform::setUpArabicDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    if (beforeRun)
        beforeRun();
    return RUN_ALL_TESTS();
}

} // namespace sijill::test
