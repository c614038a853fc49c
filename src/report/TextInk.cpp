#include "report/TextInk.h"

#include <QCache>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>
#include <mutex>
#include <optional>

namespace sijill::report {

namespace {

// The bounds of glyph outlines, per font and size. Building an outline is what
// makes measuring ink costly, and a list repeats the same few dozen glyphs.
// Shared by every layout in the process, guarded for use from any thread, and
// emptied when it holds more than kLimit glyphs, so it cannot grow without end.
class GlyphBounds {
public:
    using Table = QHash<quint32, QRectF>;

    // Runs `use` with the table of `font`'s glyphs, under the lock.
    template <typename Use> void with(const QRawFont& font, Use use) {
        const QString key = QStringLiteral("%1\x1f%2\x1f%3\x1f%4\x1f%5\x1f%6")
                                .arg(font.familyName(), font.styleName())
                                .arg(font.pixelSize())
                                .arg(font.weight())
                                .arg(int(font.style()))
                                .arg(int(font.hintingPreference()));
        const std::lock_guard<std::mutex> lock(mutex_);
        if (count_ > kLimit) {
            fonts_.clear();
            count_ = 0;
        }
        Table& table = fonts_[key];
        const qsizetype before = table.size();
        use([&](quint32 glyph) -> const QRectF& {
            auto found = table.constFind(glyph);
            if (found == table.constEnd())
                found = table.insert(glyph, font.pathForGlyph(glyph).boundingRect());
            return *found;
        });
        count_ += table.size() - before;
    }

private:
    static constexpr qsizetype kLimit = 50000;
    std::mutex mutex_;
    QHash<QString, Table> fonts_;
    qsizetype count_ = 0;
};

GlyphBounds& glyphBounds() {
    static GlyphBounds bounds;
    return bounds;
}

// The painter's flags turned to what they mean on the page: a right-to-left
// painter swaps left and right unless the flags say they are absolute.
int visualFlags(int flags) {
    if (!(flags & Qt::AlignHorizontal_Mask))
        flags |= Qt::AlignLeft;
    if (!(flags & Qt::AlignAbsolute) && (flags & (Qt::AlignLeft | Qt::AlignRight)))
        flags ^= Qt::AlignLeft | Qt::AlignRight;
    return flags | Qt::AlignAbsolute;
}

// The painter's transform for the item: its shift, and a quarter turn left
// for upright text.
QTransform placing(const DrawnItem& item) {
    QTransform t;
    t.translate(item.shift.x(), item.shift.y());
    if (item.vertical) {
        const QPointF corner = item.textArea().bottomLeft();
        t.translate(corner.x(), corner.y());
        t.rotate(-90);
    }
    return t;
}

int lettersOf(const QString& text, int from = 0) {
    int n = 0;
    for (int i = from; i < text.size(); ++i)
        n += !text.at(i).isSpace();
    return n;
}

// What decides where a text's glyphs reach from its area's top left corner:
// the text, its font, flags, the size of its box and whether it stands upright.
struct InkKey {
    QString text;
    QFont font;
    int flags = 0;
    double width = 0;
    double height = 0;
    bool vertical = false;
    bool operator==(const InkKey&) const = default;
};

size_t qHash(const InkKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.text, key.font, key.flags, key.width, key.height, key.vertical);
}

// Texts measured, from their area's corner. Prints repeat texts (row numbers,
// captions, a class's names on each list printed for it) and the fitting tries
// a text at several sizes, its designed size twice; shaping them again is the
// costly part. Shared by every layout in the process, guarded for use from any
// thread, and holding at most kLimit texts, the least recently asked for going
// first.
class InkCache {
public:
    std::optional<DrawnText> find(const InkKey& key) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (const DrawnText* found = texts_.object(key))
            return *found;
        return std::nullopt;
    }
    void insert(const InkKey& key, const DrawnText& drawn) {
        const std::lock_guard<std::mutex> lock(mutex_);
        texts_.insert(key, new DrawnText(drawn));
    }

private:
    static constexpr qsizetype kLimit = 10000;
    std::mutex mutex_;
    QCache<InkKey, DrawnText> texts_{kLimit};
};

InkCache& inkCache() {
    static InkCache cache;
    return cache;
}

DrawnText movedBy(DrawnText drawn, QPointF offset) {
    if (!drawn.ink.isNull())
        drawn.ink.translate(offset);
    drawn.baseline += offset.y();
    return drawn;
}

// The text laid out and its glyphs' bounds gathered, as textInk() tells them.
DrawnText measuredInk(const DrawnItem& item) {
    const QRectF box = item.textBox();
    const int flags = visualFlags(item.flags);
    const bool wrap = flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere);
    QString text = item.text;
    for (QChar& c : text) {
        if (c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
        else if (c == QLatin1Char('\n'))
            c = QChar::LineSeparator;
    }

    QTextLayout layout(text, item.font);
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignLeft);
    if (flags & Qt::TextWrapAnywhere)
        option.setWrapMode(QTextOption::WrapAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const QFontMetricsF metrics(item.font);
    const double lineWidth = wrap ? std::max(0.0, box.width()) : double(0x01000000);
    const double leading = metrics.leading();
    double height = -leading;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        height += leading;
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent(); // unrounded, as the painter adds it
        // Every line is drawn, past the box's foot too (Qt::TextDontClip):
        // whether its glyphs stay inside is the ink's to tell.
    }
    layout.endLayout();
    // Where lines break or end in blanks, the painter places right-to-left lines by the blanks
    // it moved to their ends, which the public layout does not tell: the rare
    // text broken into lines is measured by drawing it.
    if (wrap && (layout.lineCount() != 1 || layout.lineAt(0).textLength() < text.size() ||
                 text.back().isSpace()))
        return drawnText(item);

    const QTransform toPage = placing(item);
    double top = 0;
    if (flags & Qt::AlignBottom)
        top = box.height() - height;
    else if (flags & Qt::AlignVCenter)
        top = (box.height() - height) / 2;

    DrawnText drawn;
    QRectF ink;
    int lastEnd = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        double left = 0;
        if (flags & Qt::AlignRight)
            left = box.width() - line.horizontalAdvance();
        else if (flags & Qt::AlignHCenter)
            left = (box.width() - line.horizontalAdvance()) / 2;
        const QPointF origin(box.x() + left, box.y() + top);
        if (i == 0)
            drawn.baseline = toPage.map(origin + QPointF(0, line.y() + line.ascent())).y();
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            glyphBounds().with(run.rawFont(), [&](auto bounds) {
                for (qsizetype g = 0; g < glyphs.size(); ++g) {
                    const QRectF& b = bounds(glyphs[g]);
                    if (!b.isNull())
                        ink |= b.translated(origin + positions[g]);
                }
            });
        }
        lastEnd = line.textStart() + line.textLength();
    }
    drawn.ink = ink.isNull() ? QRectF() : toPage.mapRect(ink);
    drawn.whole = lettersOf(text, lastEnd) == 0;
    return drawn;
}

} // namespace

DrawnText textInk(const DrawnItem& item) {
    if (item.kind != DrawnItem::Kind::Text || item.text.isEmpty())
        return {};
    const QRectF box = item.textBox();
    const InkKey key{item.text, item.font, item.flags, box.width(), box.height(), item.vertical};
    std::optional<DrawnText> drawn = inkCache().find(key);
    if (!drawn) {
        // Measured with its area's corner at the page's and unmoved, so that
        // the same text in a box of the same size anywhere reads the same.
        DrawnItem atCorner = item;
        atCorner.rect =
            QRectF(QPointF(-item.padding.left(), -item.padding.top()), item.rect.size());
        atCorner.shift = QPointF();
        drawn = measuredInk(atCorner);
        inkCache().insert(key, *drawn);
    }
    return movedBy(*drawn, item.textArea().topLeft() + item.shift);
}

} // namespace sijill::report
