#include "report/PrintablePicture.h"

#include <QColor>
#include <QImage>
#include <QtMath>

#include <gtest/gtest.h>

using namespace sijill;

TEST(PrintablePicture, ALargePictureIsScaledToItsBoxAtPrintResolutionOnceARun) {
    QImage logo(640, 240, QImage::Format_ARGB32);
    logo.fill(QColor(27, 110, 60));
    // The name lists' logo box: 2835 by 1065 twips, 1.97 by 0.74 inches.
    const QImage printed = report::printablePicture(logo, QSizeF(2835, 1065));
    EXPECT_LE(printed.width(), qCeil(2835 / 1440.0 * report::kPictureDotsPerInch));
    EXPECT_LE(printed.height(), qCeil(1065 / 1440.0 * report::kPictureDotsPerInch));
    EXPECT_LT(printed.width(), logo.width());
    // Proportions kept, and the next job of the run gets the same picture.
    EXPECT_NEAR(double(printed.width()) / printed.height(), 640.0 / 240.0, 0.02);
    EXPECT_EQ(report::printablePicture(logo, QSizeF(2835, 1065)).cacheKey(), printed.cacheKey());
    EXPECT_EQ(printed.pixelColor(printed.width() / 2, printed.height() / 2), QColor(27, 110, 60));
}

TEST(PrintablePicture, APictureNoFinerThanPrintIsLeftAsItIs) {
    QImage small(100, 40, QImage::Format_ARGB32);
    small.fill(Qt::white);
    EXPECT_EQ(report::printablePicture(small, QSizeF(2835, 1065)).cacheKey(), small.cacheKey());
    EXPECT_TRUE(report::printablePicture(QImage(), QSizeF(100, 100)).isNull());
    EXPECT_EQ(report::printablePicture(small, QSizeF()).cacheKey(), small.cacheKey());
}
