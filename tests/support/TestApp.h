#pragma once

#include "platform/QtArabic.h"

#include <QApplication>
#include <QWidget>
#include <cstring>
#include <gtest/gtest.h>

namespace sijill::test {

// The option that adds a test leaving a window open on purpose: run alone,
// its failure shows that the check after every test is installed.
inline constexpr const char* kLeaveAWindowOpen = "--sijill-leave-a-window-open";

class LeavesAWindowOpen : public ::testing::Test {
public:
    void TestBody() override {
        auto* window = new QWidget;
        window->setObjectName(QStringLiteral("leftOpenOnPurpose"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    }
};

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
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], kLeaveAWindowOpen) == 0)
            ::testing::RegisterTest("WindowsLeftOpenCheck", "LeavesAWindowOpen", nullptr, nullptr,
                                    __FILE__, __LINE__,
                                    []() -> ::testing::Test* { return new LeavesAWindowOpen; });
    if (beforeRun)
        beforeRun();
    return RUN_ALL_TESTS();
}

} // namespace sijill::test
