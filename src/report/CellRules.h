#pragma once

#include "report/DrawnPage.h"

#include <QMarginsF>
#include <QRectF>
#include <vector>

namespace sijill::report {

// How far a text's glyphs keep from every rule of its cell: half a millimetre,
// so that on paper ink never touches a line.
constexpr double kInkClearance = 1440 / 25.4 * 0.5;
// What the fitting keeps: a fifth of a millimetre more, as a printer's or a
// viewer's rasterizer draws glyphs up to a device pixel fuller than their
// outlines, or a pixel off them where it fits them to its grid: at 150 dpi,
// a preview's or a fax's, a pixel is 0.17 mm.
constexpr double kFittingClearance = kInkClearance + 1440 / 25.4 * 0.2;

// One straight stroke drawn on a page, across or down it: a line, or an edge of
// a bordered box. Diagonal lines border no cell and are left out.
struct Rule {
    Qt::Orientation orientation; // Horizontal: runs across the page at y `at`
    double at;                   // its middle
    double from, to;             // its ends along its length
    double halfWidth;            // half its pen
};

// The rules the drawn items make.
std::vector<Rule> rulesOf(const std::vector<DrawnItem>& items);

// How far in from each side of `box` its text must stay to keep `clearance`
// from the rules of its cell: the nearest rule on each side of the box's
// middle that runs alongside it. Zero on a side where no rule comes near.
QMarginsF cellClearance(const QRectF& box, const std::vector<Rule>& rules,
                        double clearance = kFittingClearance);

} // namespace sijill::report
