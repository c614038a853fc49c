#pragma once

#include "report/ReportPainter.h"

namespace sijill::report {

// Where a text item's glyphs reach on the page, laid out line by line as
// QPainter::drawText lays out a text in a box, without drawing it. Agrees
// with drawnText(), which it falls back to for a text of several lines. The
// same text in the same font and flags, in a box of the same size, is laid out
// once: asked for again, anywhere on a page, it is answered from memory.
DrawnText textInk(const DrawnItem& item);

} // namespace sijill::report
