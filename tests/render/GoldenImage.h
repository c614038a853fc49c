#pragma once

#include "report/ReportPages.h"

#include <QImage>
#include <QString>

namespace sijill::test {

// The resolution pages are rendered at for the stored pictures.
constexpr double kGoldenDpi = 72;

// One page painted straight from the laid-out items, in grey on white.
QImage renderPage(const report::LaidOutReport& report, int page, double dpi = kGoldenDpi);

// How far a rendered picture may stray from its stored one: a pixel differs
// when its grey level is more than `grey` away, and the picture fails when
// more than `share` of its pixels differ (or its size changed).
struct Tolerance {
    int grey = 48;
    double share = 0.00002; // ten pixels of an A4 page at 72 dpi
};

struct GoldenResult {
    bool ok = false;
    QString message; // why not, and how to rewrite the stored picture
};

// Compares `actual` with the stored picture `name`.png in the golden folder.
// With SIJILL_REWRITE_GOLDEN=1 set, writes `actual` there instead. A failure
// writes the actual picture and the difference picture into `diffFolder`.
GoldenResult checkGolden(const QString& name, const QImage& actual, const QString& goldenFolder,
                         const QString& diffFolder, Tolerance tolerance = {});

} // namespace sijill::test
