#pragma once

#include "report/ReportModel.h"

#include <QFont>
#include <QImage>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
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
    // What the menu item or button that opened it calls it: the preview's
    // title and the sheet's name when its shortened texts are told. Empty
    // for a job with no opener of its own.
    QString title;
    // The class the sheet was filled for, when a run over classes prints it:
    // with the title, it names the job in the printer's queue.
    QString className;
    Orientation orientation = Orientation::Portrait;
    QSizeF paperSize; // twips
    double scale = 1; // below 1 when the layout is wider than the paper
    double previewWidth = 0;
    std::vector<ReportPage> pages;
    // Every text that was shortened, in page order: empty when every word prints.
    std::vector<CutText> cutTexts;
};

} // namespace sijill::report
