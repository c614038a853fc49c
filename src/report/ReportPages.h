#pragma once

#include "report/DrawnPage.h"
#include "report/ReportModel.h"

#include <QSizeF>

namespace sijill::report {

// Whether a text item's glyphs, as they are drawn (marks included), stay
// inside its area.
bool textFits(const DrawnItem& item);

// Lays a layout out over A4 pages with its current data source: report header
// once at the top of page 1, page header on every page, one detail band a row,
// page footer at the foot of every page, report footer once after the last
// row (on a new page when it does not fit, taking the last row along so that
// no page holds headings and footer alone). Every text is fitted into its box
// (TextFitter) and a text that cannot be is listed in `cutTexts`. A field that a text box binds and
// the data source lacks is a ReportError. Texts side by side in a band share
// one baseline where their cells allow (shareBaselines).
LaidOutReport layOut(const ReportLayout& layout);

// Closes the detail band up so that `rows` rows stand on one page with the
// headers, the page footer and the report footer: the band, its controls'
// heights and their tops shrink by one share, never below kMinTextScale of the
// band (the floor its texts shrink to). Returns false and leaves the band as
// it is when the rows fit already, cannot fit even at that floor, or would
// shorten a text, or shrink one past the floor, that the band as designed
// prints at the floor or larger. The layout's data source must be
// set: its rows are laid out to check.
bool fitRowsToOnePage(ReportLayout& layout, int rows);

// A4 in twips, turned for the orientation.
QSizeF paperSizeFor(Orientation orientation);

} // namespace sijill::report
