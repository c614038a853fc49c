#include "platform/QtArabic.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test runs inside one QApplication, right to left like the program.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    // Waits of the program return at once in tests unless a test asks otherwise.
    if (!qEnvironmentVariableIsSet("SIJILL_WAIT_SCALE"))
        qputenv("SIJILL_WAIT_SCALE", "0");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    sijill::platform::setUpArabicDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
