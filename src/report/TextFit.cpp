#include "report/TextFit.h"

#include "report/ReportPainter.h"

#include <QFontMetricsF>
#include <cmath>
#include <optional>

namespace sijill::report {

namespace {

constexpr int kSteps = 6; // 100 % down to the floor in steps of 5 %

int sizeAt(int designed, int step) {
    const double scale = 1.0 - (1.0 - kMinTextScale) * step / kSteps;
    return std::max(1, static_cast<int>(std::lround(designed * scale)));
}

DrawnItem trialOf(const DrawnItem& item, int pixelSize, int flags) {
    DrawnItem trial;
    trial.kind = DrawnItem::Kind::Text;
    trial.rect = item.rect;
    trial.vertical = item.vertical;
    trial.padding = item.padding;
    trial.text = item.text;
    trial.font = item.font;
    trial.font.setPixelSize(pixelSize);
    trial.flags = flags;
    return trial;
}

// The box's size as the cache keys it: a hundredth of a twip is far below
// anything a page shows.
QString sizeKey(double length) {
    return QString::number(std::lround(length * 100));
}

QString cacheKey(const DrawnItem& item) {
    return QStringLiteral("%1\x1f%2\x1f%3\x1f%4x%5\x1f%6\x1f")
               .arg(item.font.key())
               .arg(item.flags)
               .arg(item.font.pixelSize())
               .arg(sizeKey(item.textArea().width()), sizeKey(item.textArea().height()))
               .arg(item.vertical) +
           item.text;
}

// How far a text must move for its glyphs, no larger than its area, to stand
// inside it (a first letter reaching past its advance, Arabic glyphs sitting
// below the middle of their tall line); nothing when they are larger or when
// lines are left out.
std::optional<QPointF> placement(const DrawnItem& trial) {
    const DrawnText drawn = drawnText(trial);
    if (!drawn.whole)
        return std::nullopt;
    if (drawn.ink.isNull())
        return QPointF();
    const QRectF area = trial.textArea();
    const QRectF& ink = drawn.ink;
    if (ink.width() > area.width() + 0.5 || ink.height() > area.height() + 0.5)
        return std::nullopt;
    const auto inward = [](double low, double high, double areaLow, double areaHigh) {
        return low < areaLow ? areaLow - low : (high > areaHigh ? areaHigh - high : 0.0);
    };
    return QPointF(inward(ink.left(), ink.right(), area.left(), area.right()),
                   inward(ink.top(), ink.bottom(), area.top(), area.bottom()));
}

// Most texts fit at their designed size on one line. The advance alone
// refuses a text quickly; the drawn glyphs decide the rest, in both directions,
// so a box wide enough but too low is refused too.
std::optional<QPointF> oneLineAsDesigned(const DrawnItem& item) {
    if (item.text.contains(QLatin1Char('\n')))
        return std::nullopt;
    const QFontMetricsF metrics(item.font);
    if (metrics.horizontalAdvance(item.text) > item.textBox().width() + 0.5)
        return std::nullopt;
    return placement(trialOf(item, item.font.pixelSize(), item.flags & ~Qt::TextWordWrap));
}

} // namespace

bool TextFitter::fit(DrawnItem& item) {
    if (item.kind != DrawnItem::Kind::Text || item.text.isEmpty())
        return true;
    if (const auto shift = oneLineAsDesigned(item)) {
        item.flags &= ~Qt::TextWordWrap;
        item.shift = *shift;
        return true;
    }
    const QString key = cacheKey(item);
    auto found = cache_.constFind(key);
    if (found == cache_.constEnd()) {
        const int designed = item.font.pixelSize();
        const int oneLine = item.flags & ~Qt::TextWordWrap;
        const int wrapped = item.flags | Qt::TextWordWrap;
        Fitted result{sizeAt(designed, kSteps), wrapped, true, {}};
        bool done = false;
        for (int flags : {oneLine, wrapped}) {
            for (int step = 0; step <= kSteps && !done; ++step) {
                const int size = sizeAt(designed, step);
                if (step > 0 && size == sizeAt(designed, step - 1))
                    continue;
                if (const auto shift = placement(trialOf(item, size, flags))) {
                    result = {size, flags, false, *shift};
                    done = true;
                }
            }
            if (done)
                break;
        }
        found = cache_.insert(key, result);
    }
    const int designed = item.font.pixelSize();
    item.font.setPixelSize(found->pixelSize);
    item.flags = found->flags;
    item.scale = double(found->pixelSize) / designed;
    item.cut = found->cut;
    item.shift = found->shift;
    return !item.cut;
}

} // namespace sijill::report
