#pragma once

#include "report/ReportModel.h"

#include <QFont>
#include <QImage>
#include <QMarginsF>
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
    // How the text was fitted into its box: the share of its designed size it
    // is drawn at, and whether it was cut (it does not fit even shrunk to the
    // floor and wrapped).
    double scale = 1;
    bool cut = false;
    bool vertical = false; // turned a quarter left: lines run up the box

    // Kept free inside `rect` on each side, so that no glyph comes near a rule
    // of the cell the text stands in.
    QMarginsF padding;
    // Where the fitting moved the text, in twips, so that its glyphs stand
    // inside its area.
    QPointF shift;

    // Where the text's glyphs must stay: `rect` less its padding.
    QRectF textArea() const { return rect.marginsRemoved(padding); }
    // The box the text is laid out in: its area, or for vertical text the area
    // turned, its width the area's height.
    QRectF textBox() const {
        const QRectF area = textArea();
        return vertical ? QRectF(0, 0, area.height(), area.width()) : area;
    }

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

// Whether a text item's glyphs, as they are drawn (marks included), stay
// inside its area.
bool textFits(const DrawnItem& item);

// A text the engine could not fit into its box, even shrunk and wrapped, so
// that it prints shortened, ending in "…".
struct CutText {
    int page = 0; // 0-based
    QString section;
    QString control;
    int row = -1;
    QString text; // the whole text, as it was given
};

// A whole report laid out once: what a preview shows and a printer prints.
struct LaidOutReport {
    QString layoutName;
    Orientation orientation = Orientation::Portrait;
    QSizeF paperSize; // twips
    double scale = 1; // below 1 when the layout is wider than the paper
    double previewWidth = 0;
    std::vector<ReportPage> pages;
    // Every text that was shortened, in page order: empty when every word prints.
    std::vector<CutText> cutTexts;
};

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
