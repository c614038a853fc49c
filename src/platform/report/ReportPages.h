#pragma once

#include "platform/report/ReportModel.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace sijill::report {

// One thing drawn on a page. Rectangles are in twips from the paper's top
// left corner, after scaling to the paper.
struct DrawnItem {
    enum class Kind { Text, Rect, RoundedRect, Line, Picture };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text;
    QFont font;          // pixel size in twips
    int flags = 0;       // Qt alignment and wrap flags of the text
    QColor color;        // text or line colour
    bool filled = false; // fill the rect with `fill` first
    QColor fill;
    bool bordered = false;
    QColor border;
    double borderWidth = 0;
    QImage picture;

    QString section; // Section4 ... Section5
    QString control;
    int row = -1; // the data row of a detail band, else -1
};

struct ReportPage {
    std::vector<DrawnItem> items;

    // Lookups for tests and callers: the first text item showing exactly
    // `text`, or of control `name` (case ignored); nullptr when none.
    const DrawnItem* findText(const QString& text) const;
    const DrawnItem* findControl(const QString& name, int row = -1) const;
    // Every text of the page, in drawing order.
    QStringList texts() const;
};

// Whether a text item's text fits its box: the width of a line that may not
// wrap, or the height of the lines it wraps into (the glyphs' own height, not
// the font's line spacing).
bool textFits(const DrawnItem& item);

// A whole report laid out once: what a preview shows and a printer prints.
struct LaidOutReport {
    QString layoutName;
    Orientation orientation = Orientation::Portrait;
    QSizeF paperSize; // twips
    double scale = 1; // below 1 when the layout is wider than the paper
    double previewWidth = 0;
    std::vector<ReportPage> pages;
};

// Lays a layout out over A4 pages with its current data source: report header
// once at the top of page 1, page header on every page, one detail band a row,
// page footer at the foot of every page, report footer once after the last
// row (on a new page when it does not fit). A field that a text box binds and
// the data source lacks is a ReportError.
LaidOutReport layOut(const ReportLayout& layout);

// A4 in twips, turned for the orientation.
QSizeF paperSizeFor(Orientation orientation);

} // namespace sijill::report
