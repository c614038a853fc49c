#include <QApplication>
#include <gtest/gtest.h>

// Every test runs inside one QApplication, right to left like the program.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
