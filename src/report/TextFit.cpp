#include "report/TextFit.h"

#include <algorithm>
#include <cmath>

namespace sijill::report {

namespace {

constexpr int kSteps = 6; // 100 % down to the floor in steps of 5 %
// Below the floor, down to the smallest size, in steps of 5 % as well.
constexpr int kLastSteps = kSteps + 5;
static_assert(1.0 - (1.0 - kMinTextScale) * kLastSteps / kSteps - kSmallestTextScale < 1e-9);

int sizeAt(int designed, int step) {
    const double scale = 1.0 - (1.0 - kMinTextScale) * step / kSteps;
    return std::max(1, static_cast<int>(std::lround(designed * scale)));
}

DrawnItem trialOf(const DrawnItem& item, int pixelSize, int flags,
                  const QString& text = QString()) {
    DrawnItem trial;
    trial.kind = DrawnItem::Kind::Text;
    trial.rect = item.rect;
    trial.vertical = item.vertical;
    trial.padding = item.padding;
    trial.text = text.isNull() ? item.text : text;
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
    return QStringLiteral("%1\x1f%2\x1f%3\x1f%4x%5\x1f%6\x1f%7\x1f")
               .arg(item.font.key())
               .arg(item.flags)
               .arg(item.font.pixelSize())
               .arg(sizeKey(item.textArea().width()), sizeKey(item.textArea().height()))
               .arg(item.vertical)
               .arg(item.row >= 0) +
           item.text;
}

// The kinds of characters whose letters reach a known height and depth.
enum Letters { kArabic = 1, kOtherLetters = 2, kDigits = 4 };

int lettersIn(const QString& text) {
    int kinds = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        // Spaces, digits, Latin and the Arabic letters without asking the
        // character tables: a page asks for every text at each size tried.
        if (u == u' ')
            continue;
        if ((u >= u'0' && u <= u'9') || (u >= 0x0660 && u <= 0x0669))
            kinds |= kDigits;
        else if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'))
            kinds |= kOtherLetters;
        else if (u >= 0x0621 && u <= 0x064A)
            kinds |= kArabic;
        else if (c.isDigit())
            kinds |= kDigits;
        else if (c.isLetter())
            kinds |= c.script() == QChar::Script_Arabic ? kArabic : kOtherLetters;
    }
    return kinds;
}

// Every letter of the alphabet, with its hamza and madda forms, alone and
// joined at the end of a word, and lam-alef: the tallest and the deepest
// letters a name may hold. Vowel marks are left out: a text that carries
// them reaches past these by its own ink.
const QString& arabicLetters() {
    static const QString letters = [] {
        const QString alphabet = QStringLiteral("ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي");
        QString all = QStringLiteral("لا لأ لآ لإ");
        for (QChar c : alphabet)
            all += QLatin1Char(' ') + c + QLatin1Char(' ') + QChar(0x0628) + c;
        return all;
    }();
    return letters;
}

} // namespace

// How far above and below its baseline the letters of a text's kinds reach
// in this font: the top and the bottom, from the baseline; empty (top not
// above bottom) for a text of no letters or digits.
std::pair<double, double> TextFitter::reach(const QFont& font, const QString& text) const {
    const int kinds = lettersIn(text);
    if (!kinds)
        return {0, 0};
    const ReachKey key{font, kinds};
    if (const auto found = reaches_.constFind(key); found != reaches_.constEnd())
        return *found;
    QString letters;
    if (kinds & kArabic)
        letters += arabicLetters() + QLatin1Char(' ');
    if (kinds & kOtherLetters)
        letters += QStringLiteral("Hdgjpqy ");
    if (kinds & kDigits)
        letters += QStringLiteral("0123456789 \u0660\u0661\u0662\u0663\u0664\u0665\u0666"
                                  "\u0667\u0668\u0669");
    DrawnItem line;
    line.kind = DrawnItem::Kind::Text;
    line.text = letters.trimmed();
    line.font = font;
    line.flags = Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignTop;
    line.rect = QRectF(0, 0, 1e6, 1e5);
    const DrawnText drawn = textInk(line);
    const std::pair<double, double> found =
        drawn.ink.isNull()
            ? std::pair<double, double>{0, 0}
            : std::pair{drawn.ink.top() - drawn.baseline, drawn.ink.bottom() - drawn.baseline};
    reaches_.insert(key, found);
    return found;
}

// Whether the text, at this size and wrapping, fits its area by its ink,
// and how far it must move for its glyphs to stand inside it (a first letter
// reaching past its advance, Arabic glyphs sitting below the middle of their
// tall line). Nothing when they are larger or when lines are left out.
std::optional<TextFitter::Fitted> TextFitter::fitsAt(const DrawnItem& item, int pixelSize,
                                                     int flags, const QString& text) const {
    DrawnItem trial = trialOf(item, pixelSize, flags, text);
    const bool lineOfItsOwn = !trial.vertical && !trial.text.contains(QLatin1Char('\n'));
    const bool ofAColumn = item.row >= 0 && lineOfItsOwn;
    // Where the letters' reach is higher than the area, no line of them fits
    // (nor two): the text need not be laid out at this size.
    const auto [top, bottom] =
        ofAColumn ? reach(trial.font, trial.text) : std::pair<double, double>{0, 0};
    if (bottom - top > trial.textArea().height() + 0.5)
        return std::nullopt;
    DrawnText drawn = textInk(trial);
    // Wrapping a text as wide as its area at most leaves it on one line: it
    // is judged as that line.
    if (lineOfItsOwn && (flags & Qt::TextWordWrap)) {
        DrawnItem single = trialOf(item, pixelSize, flags & ~Qt::TextWordWrap, text);
        const DrawnText line = textInk(single);
        if (line.whole && line.ink.width() <= single.textArea().width() + 0.5) {
            trial = std::move(single);
            drawn = line;
        }
    }
    if (!drawn.whole)
        return std::nullopt;
    const QRectF area = trial.textArea();
    const QPointF corner = area.topLeft();
    Fitted fitted{pixelSize, trial.flags, false, {}, {}, drawn.baseline - corner.y(), {}};
    if (drawn.ink.isNull())
        return fitted;
    const QRectF& ink = drawn.ink;
    // A line of a detail row, one of a column whose rows print other texts,
    // is given the height its kinds of letters may reach, not its own
    // letters' alone: the names of a column fit alike by height and stand on
    // one baseline, and only width sets one apart.
    QRectF room = ink;
    if (ofAColumn && !(trial.flags & Qt::TextWordWrap) && top < bottom) {
        room.setTop(std::min(ink.top(), drawn.baseline + top));
        room.setBottom(std::max(ink.bottom(), drawn.baseline + bottom));
    }
    if (room.width() > area.width() + 0.5 || room.height() > area.height() + 0.5)
        return std::nullopt;
    const auto inward = [](double low, double high, double areaLow, double areaHigh) {
        return low < areaLow ? areaLow - low : (high > areaHigh ? areaHigh - high : 0.0);
    };
    fitted.shift = QPointF(inward(room.left(), room.right(), area.left(), area.right()),
                           inward(room.top(), room.bottom(), area.top(), area.bottom()));
    fitted.ink = ink.translated(-corner);
    return fitted;
}

// The longest beginning of a text that fits its area with an ellipsis after
// it, at the floor size and wrapped: whole words where a word fits, else
// letters. A text of which not even one letter fits is shown as the ellipsis.
TextFitter::Fitted TextFitter::shortened(const DrawnItem& item, int pixelSize, int flags) const {
    const QString text = item.text.simplified();
    const QChar ellipsis(0x2026);
    const auto attempt = [&](qsizetype length) {
        return fitsAt(item, pixelSize, flags, text.left(length).trimmed() + ellipsis);
    };
    // Where the text may end: after each word, else after each letter.
    std::vector<qsizetype> ends;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(' '))
            ends.push_back(i);
    }
    if (ends.empty() || !attempt(ends.front())) {
        ends.clear();
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (!text.at(i).isMark() && !text.at(i).isLowSurrogate())
                ends.push_back(i);
        }
    }
    // The fitting ends form a run from the start: search for the last.
    std::optional<Fitted> best;
    qsizetype bestEnd = 0;
    std::size_t low = 0, high = ends.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (auto at = attempt(ends[middle])) {
            best = at;
            bestEnd = ends[middle];
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    Fitted result = best ? *best : Fitted{pixelSize, flags, false, {}, {}, 0, {}};
    result.cut = true;
    result.shortText = text.left(bestEnd).trimmed() + ellipsis;
    return result;
}

bool TextFitter::fit(DrawnItem& item, Placed* placed) {
    if (item.kind != DrawnItem::Kind::Text || item.text.isEmpty())
        return true;
    const int designed = item.font.pixelSize();
    const int oneLine = item.flags & ~Qt::TextWordWrap;
    // Most texts fit at their designed size on one line.
    std::optional<Fitted> fitted;
    if (!item.text.contains(QLatin1Char('\n')))
        fitted = fitsAt(item, designed, oneLine);
    if (!fitted) {
        const QString key = cacheKey(item);
        auto found = cache_.constFind(key);
        if (found == cache_.constEnd()) {
            const int wrapped = item.flags | Qt::TextWordWrap;
            Fitted result{sizeAt(designed, kLastSteps), wrapped, true, {}, {}, 0, {}};
            bool done = false;
            const auto firstFit = [&](int from, int to, std::initializer_list<int> ways) {
                for (int step = from; step <= to && !done; ++step) {
                    const int size = sizeAt(designed, step);
                    if (step > from && size == sizeAt(designed, step - 1))
                        continue;
                    for (int flags : ways) {
                        if (const auto at = fitsAt(item, size, flags)) {
                            result = *at;
                            done = true;
                            break;
                        }
                    }
                }
            };
            // Down to the floor on one line, then wrapped; past the floor, a
            // size smaller still, on one line or wrapped, as the box takes it.
            firstFit(0, kSteps, {oneLine});
            firstFit(0, kSteps, {wrapped});
            firstFit(kSteps + 1, kLastSteps, {oneLine, wrapped});
            if (!done)
                result = shortened(item, result.pixelSize, wrapped);
            found = cache_.insert(key, result);
        }
        fitted = *found;
    }
    if (fitted->cut)
        item.text = fitted->shortText;
    item.font.setPixelSize(fitted->pixelSize);
    item.flags = fitted->flags;
    item.scale = double(fitted->pixelSize) / designed;
    item.cut = fitted->cut;
    item.shift = fitted->shift;
    if (placed)
        *placed = {fitted->ink.translated(item.textArea().topLeft()),
                   fitted->baseline + item.textArea().top()};
    return !item.cut;
}

void shareBaselines(const std::vector<std::pair<DrawnItem*, TextFitter::Placed>>& texts) {
    // Where each text's first baseline may go with its glyphs inside its area.
    struct Line {
        DrawnItem* item;
        double baseline;
        double low;
        double high;
    };
    std::vector<Line> lines;
    for (const auto& [item, placed] : texts) {
        if (item->vertical || item->cut || (item->flags & Qt::TextWordWrap) || placed.ink.isNull())
            continue;
        const QRectF area = item->textArea();
        lines.push_back({item, placed.baseline, placed.baseline + area.top() - placed.ink.top(),
                         placed.baseline + area.bottom() - placed.ink.bottom()});
    }
    std::sort(lines.begin(), lines.end(),
              [](const Line& a, const Line& b) { return a.baseline < b.baseline; });
    for (std::size_t first = 0; first < lines.size();) {
        // Baselines closer than a quarter of the smaller letters are one line
        // to a reader, and to a PDF reader's line finder.
        double low = lines[first].low, high = lines[first].high, sum = 0;
        std::size_t end = first;
        for (; end < lines.size(); ++end) {
            const double size =
                std::min(lines[first].item->font.pixelSize(), lines[end].item->font.pixelSize());
            if (lines[end].baseline - lines[first].baseline >= size / 4.0)
                break;
            low = std::max(low, lines[end].low);
            high = std::min(high, lines[end].high);
            sum += lines[end].baseline;
        }
        if (end - first > 1 && low <= high) {
            const double common = std::clamp(sum / double(end - first), low, high);
            for (std::size_t i = first; i < end; ++i)
                lines[i].item->shift.setY(common - lines[i].baseline);
        }
        first = end;
    }
}

} // namespace sijill::report
