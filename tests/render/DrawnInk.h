#pragma once

#include "report/ReportPages.h"

#include <QRectF>
#include <QString>
#include <vector>

namespace sijill::test {

// The resolutions the written PDF pages are read back at: a printer's, fine
// enough that a pixel is far below the half millimetre texts keep from rules,
// and a preview's or a fax's, where a rasterizer fitting glyphs to its grid
// moves them by up to a pixel of 0.17 mm.
constexpr double kInkDpis[] = {300, 150};

// Whether poppler's pdftoppm is here to turn a written PDF into pixels.
bool havePdfToPpm();

// Where each text item is seen on paper: every item is drawn alone, in black,
// in a slot of its own on pages of a PDF written as the program writes its
// PDF files; the pages are rendered by pdftoppm and the dark pixels of each
// slot give the item's ink, in page twips. A null rect where nothing is seen.
// The PDF and its pictures are written into `folder`.
std::vector<QRectF> inkFromPdf(const std::vector<report::DrawnItem>& items, const QString& folder,
                               double dpi);

} // namespace sijill::test
