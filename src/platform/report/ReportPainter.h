#pragma once

#include "platform/report/ReportPages.h"

#include <QByteArray>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace sijill::report {

// Draws one laid-out page. The painter's units must be twips of the page.
void paintPage(QPainter& painter, const ReportPage& page);

// Paints every page onto a paged device (a printer or a PDF writer) whose
// page is the report's paper, from its top left corner, `dotsPerTwip` device
// units to a twip.
void paintReport(QPagedPaintDevice& device, const LaidOutReport& report, double dotsPerTwip);

// The report as a PDF document whose text can be searched and copied.
QByteArray pdfDocument(const LaidOutReport& report);

// Writes the report as a PDF file; ReportError when the file cannot be written.
void writePdf(const LaidOutReport& report, const QString& path);

} // namespace sijill::report
