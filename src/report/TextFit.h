#pragma once

#include "report/DrawnPage.h"
#include "report/TextInk.h"

#include <QFont>
#include <QHash>
#include <QPointF>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace sijill::report {

// The smallest share of its designed size a text is shrunk to before it is
// wrapped.
constexpr double kMinTextScale = 0.7;
// The smallest share of all: a text that fits neither shrunk to the floor nor
// wrapped at it is made smaller still, down to this, before it is shortened.
constexpr double kSmallestTextScale = 0.45;

// Fits a text item into its box, one rule for every layout: at its designed
// size on one line; else shrunk step by step down to kMinTextScale on one
// line; else wrapped over as many lines as the box's height takes, at the
// largest size from designed down to the floor that fits; else at the largest
// size below the floor, down to kSmallestTextScale, on one line or wrapped;
// else it is shortened: the longest beginning of it that fits at the floor size, wrapped,
// followed by "…", and marked `cut`, so that no text is cut without a sign.
// Sets the item's font, flags, `scale` and `cut` (and its text when
// shortened); returns false when shortened.
// A text fits when its glyphs as drawn are no larger than its area; a line of
// a detail row by the height its kinds of letters reach in the font (the
// tallest and deepest of its alphabet), or its own glyphs where they reach
// further, so that the texts of a column fit alike whatever their letters.
// It is then moved by the least amount that brings them inside (`shift`), so
// textFits.
class TextFitter {
public:
    // Where a fitted text stood before it was moved: its glyphs and the
    // baseline of its first line, in page twips.
    struct Placed {
        QRectF ink;
        double baseline = 0;
    };
    bool fit(DrawnItem& item, Placed* placed = nullptr);

private:
    struct Fitted {
        int pixelSize;
        int flags;
        bool cut;
        QPointF shift;
        QRectF ink; // from the area's top left corner, before the shift
        double baseline;
        QString shortText; // what a cut text prints instead
    };
    std::optional<Fitted> fitsAt(const DrawnItem& item, int pixelSize, int flags,
                                 const QString& text = QString()) const;
    Fitted shortened(const DrawnItem& item, int pixelSize, int flags) const;
    std::pair<double, double> reach(const QFont& font, const QString& text) const;

    struct ReachKey {
        QFont font;
        int kinds; // of letters
        bool operator==(const ReachKey&) const = default;
        friend size_t qHash(const ReachKey& key, size_t seed = 0) {
            return qHashMulti(seed, key.font, key.kinds);
        }
    };

    QHash<QString, Fitted> cache_; // the same text in a box of the same size fits alike
    mutable QHash<ReachKey, std::pair<double, double>> reaches_;
};

// Texts that stand side by side in one band on nearly the same baseline are
// put on one: all are moved up or down alike, by the least that keeps every
// one's glyphs inside its area. A text that cannot share it (its neighbours'
// room and its own do not meet) keeps its own place, inside its area.
void shareBaselines(const std::vector<std::pair<DrawnItem*, TextFitter::Placed>>& texts);

} // namespace sijill::report
