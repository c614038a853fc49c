#include "render/GoldenImage.h"

#include "report/ReportPainter.h"

#include <QDir>
#include <QPainter>
#include <cstdlib>

namespace sijill::test {

namespace {

const char* const kRewriteFlag = "SIJILL_REWRITE_GOLDEN";

// Red where the pictures differ past the tolerance, the stored picture faint
// elsewhere.
QImage differenceImage(const QImage& expected, const QImage& actual, int grey, int* differing) {
    QImage diff(actual.size(), QImage::Format_RGB32);
    *differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const uchar* a = actual.constScanLine(y);
        const uchar* e = expected.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(diff.scanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            if (std::abs(int(a[x]) - int(e[x])) > grey) {
                ++*differing;
                out[x] = qRgb(255, 0, 0);
            } else {
                const int faint = 255 - (255 - e[x]) / 4;
                out[x] = qRgb(faint, faint, faint);
            }
        }
    }
    return diff;
}

// The stored form: 16 grey levels in a palette, which keeps the files small.
QImage storedForm(const QImage& grey) {
    QImage out(grey.size(), QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 16; ++i)
        palette << qRgb(i * 17, i * 17, i * 17);
    out.setColorTable(palette);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        uchar* line = out.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            line[x] = static_cast<uchar>((in[x] + 8) / 17);
    }
    return out;
}

} // namespace

QImage renderPage(const report::LaidOutReport& report, int page, double dpi) {
    const double dotsPerTwip = dpi / 1440.0;
    const QSize size(qRound(report.paperSize.width() * dotsPerTwip),
                     qRound(report.paperSize.height() * dotsPerTwip));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        painter.scale(dotsPerTwip, dotsPerTwip);
        report::paintPage(painter, report.pages.at(static_cast<std::size_t>(page)));
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

GoldenResult checkGolden(const QString& name, const QImage& actual, const QString& goldenFolder,
                         const QString& diffFolder, Tolerance tolerance) {
    const QString stored = QDir(goldenFolder).filePath(name + QStringLiteral(".png"));
    const QString rewrite =
        QStringLiteral("If the change is meant, rewrite the stored pictures with: "
                       "%1=1 ctest -R Golden (or run test_render with %1=1); they are "
                       "written to %2")
            .arg(QString::fromLatin1(kRewriteFlag), goldenFolder);
    if (qEnvironmentVariableIntValue(kRewriteFlag) == 1) {
        QDir().mkpath(goldenFolder);
        if (!storedForm(actual).save(stored, "PNG", 9))
            return {false, QStringLiteral("cannot write %1").arg(stored)};
        return {true, {}};
    }
    const QImage expected = QImage(stored).convertToFormat(QImage::Format_Grayscale8);
    QDir().mkpath(diffFolder);
    const QString actualFile = QDir(diffFolder).filePath(name + QStringLiteral("-actual.png"));
    if (expected.isNull()) {
        actual.save(actualFile, "PNG");
        return {false, QStringLiteral("no stored picture %1 (this one is in %2). %3")
                           .arg(stored, actualFile, rewrite)};
    }
    if (expected.size() != actual.size()) {
        actual.save(actualFile, "PNG");
        return {false, QStringLiteral("%1: size %2x%3, stored %4x%5 (this one is in %6). %7")
                           .arg(name)
                           .arg(actual.width())
                           .arg(actual.height())
                           .arg(expected.width())
                           .arg(expected.height())
                           .arg(actualFile, rewrite)};
    }
    int differing = 0;
    const QImage diff = differenceImage(expected, actual, tolerance.grey, &differing);
    const double share = double(differing) / (actual.width() * actual.height());
    if (share <= tolerance.share)
        return {true, {}};
    const QString diffFile = QDir(diffFolder).filePath(name + QStringLiteral("-diff.png"));
    actual.save(actualFile, "PNG");
    diff.save(diffFile, "PNG");
    return {false, QStringLiteral("%1: %2 pixels (%3 %) differ by more than %4 grey levels, %5 % "
                                  "allowed; the difference is in %6, the new picture in %7. %8")
                       .arg(name)
                       .arg(differing)
                       .arg(share * 100, 0, 'f', 3)
                       .arg(tolerance.grey)
                       .arg(tolerance.share * 100, 0, 'f', 3)
                       .arg(diffFile, actualFile, rewrite)};
}

} // namespace sijill::test
