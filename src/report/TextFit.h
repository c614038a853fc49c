#pragma once

#include "report/ReportPages.h"

#include <QHash>
#include <QPointF>
#include <QString>

namespace sijill::report {

// The smallest share of its designed size a text is shrunk to before it is
// wrapped or, past both, cut.
constexpr double kMinTextScale = 0.7;

// Fits a text item into its box, one rule for every layout: at its designed
// size on one line; else shrunk step by step down to kMinTextScale on one
// line; else wrapped over as many lines as the box's height takes, at the
// largest size from designed down to the floor that fits; else it is cut:
// drawn at the floor size, wrapped, clipped by its box, and marked `cut`.
// Sets the item's font, flags, `scale` and `cut`; returns false when cut.
// A text fits when its glyphs as drawn are no larger than its area; it is then
// moved by the least amount that brings them inside (`shift`), so textFits.
class TextFitter {
public:
    bool fit(DrawnItem& item);

private:
    struct Fitted {
        int pixelSize;
        int flags;
        bool cut;
        QPointF shift;
    };
    QHash<QString, Fitted> cache_; // the same text in a box of the same size fits alike
};

} // namespace sijill::report
