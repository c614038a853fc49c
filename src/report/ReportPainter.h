#pragma once

#include "report/DrawnPage.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace sijill::report {

// Draws one laid-out page. The painter's units must be twips of the page.
void paintPage(QPainter& painter, const ReportPage& page);

// How a text item is drawn on the page: where its glyphs' outlines reach, in
// twips (Arabic marks and hamza included, not the advance; null when nothing
// is drawn), whether every letter is drawn, and where its first line's
// baseline stands (y, in twips). Every line is drawn, past the box's foot too.
struct DrawnText {
    QRectF ink;
    bool whole = true;
    double baseline = 0;
};
DrawnText drawnText(const DrawnItem& item);

// Paints every page onto a paged device (a printer or a PDF writer) whose
// page is the report's paper, from its top left corner, `dotsPerTwip` device
// units to a twip. ReportError when the device reports the job failed.
void paintReport(QPagedPaintDevice& device, const LaidOutReport& report, double dotsPerTwip);

// The report as a PDF document whose text can be searched and copied.
QByteArray pdfDocument(const LaidOutReport& report);

// Writes the report as a PDF file, whole or not at all: written to a
// temporary file beside `path`, checked (every write, the flush, the file's
// end-of-file trailer), then renamed into place. ReportError naming the file
// on any failure; an old file of that name stays as it was.
void writePdf(const LaidOutReport& report, const QString& path);

// True when the file starts and ends as a PDF file does (a cut-off file lacks
// its final "%%EOF").
bool endsAsPdf(const QString& path);

} // namespace sijill::report
