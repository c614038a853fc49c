#include "report/TextFit.h"

#include <QFontMetricsF>
#include <cmath>

namespace sijill::report {

namespace {

constexpr int kSteps = 6; // 100 % down to the floor in steps of 5 %

int sizeAt(int designed, int step) {
    const double scale = 1.0 - (1.0 - kMinTextScale) * step / kSteps;
    return std::max(1, static_cast<int>(std::lround(designed * scale)));
}

bool fitsAt(const DrawnItem& item, int pixelSize, int flags) {
    DrawnItem trial;
    trial.kind = DrawnItem::Kind::Text;
    trial.rect = item.rect;
    trial.vertical = item.vertical;
    trial.text = item.text;
    trial.font = item.font;
    trial.font.setPixelSize(pixelSize);
    trial.flags = flags;
    return textFits(trial);
}

// Most texts fit at their designed size on one line: a cheaper test than
// textFits that never accepts what textFits refuses (the advance is at least
// the laid-out width of one line, which may drop trailing blanks).
bool fitsOnOneLineAsDesigned(const DrawnItem& item) {
    if (item.text.contains(QLatin1Char('\n')))
        return false;
    const QFontMetricsF metrics(item.font);
    const QRectF box = item.textBox();
    return metrics.horizontalAdvance(item.text) <= box.width() + 0.5 &&
           metrics.tightBoundingRect(item.text).height() <= box.height() + 0.5;
}

QString cacheKey(const DrawnItem& item) {
    return QStringLiteral("%1\x1f%2\x1f%3\x1f%4x%5\x1f%6\x1f")
               .arg(item.font.key())
               .arg(item.flags)
               .arg(item.font.pixelSize())
               .arg(item.rect.width())
               .arg(item.rect.height())
               .arg(item.vertical) +
           item.text;
}

} // namespace

bool TextFitter::fit(DrawnItem& item) {
    if (item.kind != DrawnItem::Kind::Text || item.text.isEmpty())
        return true;
    if (fitsOnOneLineAsDesigned(item)) {
        item.flags &= ~Qt::TextWordWrap;
        return true;
    }
    const QString key = cacheKey(item);
    auto found = cache_.constFind(key);
    if (found == cache_.constEnd()) {
        const int designed = item.font.pixelSize();
        const int oneLine = item.flags & ~Qt::TextWordWrap;
        const int wrapped = item.flags | Qt::TextWordWrap;
        Fitted result{sizeAt(designed, kSteps), wrapped, true};
        bool done = false;
        for (int flags : {oneLine, wrapped}) {
            for (int step = 0; step <= kSteps && !done; ++step) {
                const int size = sizeAt(designed, step);
                if (step > 0 && size == sizeAt(designed, step - 1))
                    continue;
                if (fitsAt(item, size, flags)) {
                    result = {size, flags, false};
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
    return !item.cut;
}

} // namespace sijill::report
