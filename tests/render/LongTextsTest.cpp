#include "render/DrawnInk.h"
#include "render/RenderedLayouts.h"
#include "report/CellRules.h"
#include "report/PdfTextMaps.h"
#include "report/ReportPainter.h"
#include "report/TextInk.h"
#include "support/PdfText.h"

#include <QFontMetricsF>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

using namespace sijill;

namespace {

TEST(LongTexts, AreAsLongAsSchoolsTypeThem) {
    struct Lengths {
        test::Fill fill;
        qsizetype school, administration, name, committee;
    };
    for (const Lengths& l : {Lengths{test::Fill::Long, 60, 50, 45, 29},
                             Lengths{test::Fill::Longest, 100, 80, 60, 60}}) {
        const test::FillTexts t = test::fillTexts(l.fill);
        EXPECT_EQ(t.school.size(), l.school);
        EXPECT_EQ(t.administration.size(), l.administration);
        EXPECT_EQ(t.committee.size(), l.committee);
        qsizetype longest = 0;
        for (const QString& n : t.names)
            longest = std::max(longest, n.size());
        EXPECT_EQ(longest, l.name);
        EXPECT_EQ(t.seat(0).size(), 5);
    }
}

// Every layout laid out with each fill, and a name for its case.
template <typename Check> void forEveryFilledLayout(Check check) {
    for (test::Fill fill : test::kFills) {
        for (const test::LayoutFill& f : test::layoutFills())
            check(test::fillCase(f.layout, fill).toStdString(), test::filledLayout(f.layout, fill));
    }
}

// No layout cuts a word: every text fits its box, shrunk or wrapped at most,
// clear of the texts around it. Past that a text is shortened, visibly: it
// ends in "…" and is reported (none of the fills' texts is that long).
TEST(LongTexts, NoLayoutCutsAText) {
    EXPECT_EQ(test::layoutFills().size(), 44u);
    forEveryFilledLayout([](const std::string& name, const report::LaidOutReport& r) {
        EXPECT_FALSE(r.pages.empty()) << name;
        for (const report::CutText& cut : r.cutTexts)
            ADD_FAILURE() << name << " page " << cut.page + 1 << " " << cut.control.toStdString()
                          << " row " << cut.row << ": \"" << cut.text.toStdString() << "\"";
        for (const report::ReportPage& page : r.pages) {
            // No text runs into another: their glyphs stand apart.
            std::vector<std::pair<const report::DrawnItem*, QRectF>> inks;
            for (const report::DrawnItem& i : page.items) {
                EXPECT_EQ(i.cut,
                          i.kind == report::DrawnItem::Kind::Text && i.text.endsWith(QChar(0x2026)))
                    << name << " " << i.control.toStdString() << " \"" << i.text.toStdString()
                    << "\"";
                const QRectF ink = report::drawnText(i).ink;
                if (ink.isNull())
                    continue;
                for (const auto& [other, otherInk] : inks) {
                    if (ink.intersects(otherInk))
                        ADD_FAILURE() << name << ": " << i.control.toStdString() << " \""
                                      << i.text.toStdString() << "\" runs into "
                                      << other->control.toStdString() << " \""
                                      << other->text.toStdString() << "\"";
                }
                inks.emplace_back(&i, ink);
            }
        }
    });
}

// The texts of one column (a control of the detail band) print at one size:
// one prints smaller than another of its page only where it is too wide for
// its box at the larger size, never for the letters it holds.
TEST(LongTexts, AColumnPrintsItsTextsAtOneSizeWhereTheyFitItsWidth) {
    forEveryFilledLayout([](const std::string& name, const report::LaidOutReport& r) {
        for (const report::ReportPage& page : r.pages) {
            QHash<QString, std::vector<const report::DrawnItem*>> columns;
            for (const report::DrawnItem& i : page.items) {
                if (i.kind == report::DrawnItem::Kind::Text && i.row >= 0 && !i.cut &&
                    !i.text.trimmed().isEmpty())
                    columns[i.section + QLatin1Char('/') + i.control].push_back(&i);
            }
            for (const auto& column : std::as_const(columns)) {
                const report::DrawnItem* largest = *std::max_element(
                    column.begin(), column.end(),
                    [](const auto* a, const auto* b) { return a->scale < b->scale; });
                for (const report::DrawnItem* i : column) {
                    if (i->scale >= largest->scale - 1e-9)
                        continue;
                    report::DrawnItem atLargest = *i;
                    atLargest.font = largest->font;
                    atLargest.flags &= ~Qt::TextWordWrap;
                    atLargest.shift = QPointF();
                    const QRectF ink = report::textInk(atLargest).ink;
                    EXPECT_GT(ink.width(), atLargest.textArea().width() + 0.5)
                        << name << " " << i->control.toStdString() << " row " << i->row << " \""
                        << i->text.toStdString() << "\" prints at " << i->scale
                        << " though it fits its width at " << largest->scale;
                }
            }
        }
    });
}

// The widest rule (cell border or line) drawn on a page.
double widestRule(const report::ReportPage& page) {
    double widest = 0;
    for (const report::DrawnItem& i : page.items) {
        if (i.kind == report::DrawnItem::Kind::Line || i.bordered)
            widest = std::max(widest, i.borderWidth);
    }
    return widest;
}

// How far ink stands from a rule, where the rule runs alongside it; nothing
// where it does not (a rule beyond the ink's ends borders another cell).
std::optional<double> gapToRule(const QRectF& ink, const report::Rule& r, double overlap) {
    const bool across = r.orientation == Qt::Horizontal;
    const double low = across ? ink.left() : ink.top();
    const double high = across ? ink.right() : ink.bottom();
    if (std::min(high, r.to) - std::max(low, r.from) <= overlap)
        return std::nullopt;
    const double before = across ? ink.top() : ink.left();
    const double after = across ? ink.bottom() : ink.right();
    return std::max(before - (r.at + r.halfWidth), (r.at - r.halfWidth) - after);
}

// What is printed stays inside its box, the width of the page's widest rule
// kept free all round, is not clipped, and keeps half a millimetre from every
// rule beside it:
// read from the pixels of the written PDF, each text drawn alone (the
// fitting's own measure is not trusted here).
TEST(LongTexts, EveryDrawnTextStaysInsideItsBoxClearOfItsRules) {
    if (!test::havePdfToPpm())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    struct Probe {
        std::string layout;
        const report::DrawnItem* item;
        std::size_t drawn; // index into `items`, drawn once for every text alike
        double rule;
        std::shared_ptr<const std::vector<report::Rule>> rules;
    };
    std::vector<report::DrawnItem> items;
    std::vector<Probe> probes;
    QHash<QString, std::size_t> seen; // the same text in the same box draws alike
    forEveryFilledLayout([&](const std::string& name, const report::LaidOutReport& r) {
        for (const report::ReportPage& page : r.pages) {
            const double rule = widestRule(page);
            auto rules =
                std::make_shared<const std::vector<report::Rule>>(report::rulesOf(page.items));
            for (const report::DrawnItem& i : page.items) {
                if (i.kind != report::DrawnItem::Kind::Text || i.text.trimmed().isEmpty())
                    continue;
                const QMarginsF& in = i.padding;
                const QString key = QStringLiteral("%1|%2|%3|%4x%5|%6,%7,%8,%9|%10,%11|%12")
                                        .arg(i.font.key())
                                        .arg(i.flags)
                                        .arg(i.vertical)
                                        .arg(i.rect.width())
                                        .arg(i.rect.height())
                                        .arg(in.left())
                                        .arg(in.top())
                                        .arg(in.right())
                                        .arg(in.bottom())
                                        .arg(i.shift.x())
                                        .arg(i.shift.y())
                                        .arg(i.text);
                auto found = seen.constFind(key);
                if (found == seen.constEnd()) {
                    found = seen.insert(key, items.size());
                    items.push_back(i);
                }
                probes.push_back({name, &i, *found, rule, rules});
            }
        }
    });
    for (const double dpi : test::kInkDpis) {
        QTemporaryDir dir;
        const std::vector<QRectF> drawn = test::inkFromPdf(items, dir.path(), dpi);
        // A pixel at the box's edge may be dark though the glyphs stop inside it.
        const double pixel = 1440 / dpi;
        for (const Probe& p : probes) {
            const report::DrawnItem& item = *p.item;
            const QRectF& seenInk = drawn[p.drawn];
            if (seenInk.isNull())
                continue;
            const QRectF ink =
                seenInk.translated(item.rect.topLeft() - items[p.drawn].rect.topLeft());
            const auto where = [&] {
                return std::to_string(int(dpi)) + " dpi: " + p.layout + " " +
                       item.control.toStdString() + " row " + std::to_string(item.row) + " \"" +
                       item.text.toStdString() + "\"";
            };
            const double in = p.rule;
            const QRectF allowed =
                item.rect.adjusted(in - pixel, in - pixel, pixel - in, pixel - in);
            if (!allowed.adjusted(-0.5, -0.5, 0.5, 0.5).contains(ink))
                ADD_FAILURE() << where() << ": past its box by "
                              << std::max(0.0, allowed.left() - ink.left()) << " left, "
                              << std::max(0.0, ink.right() - allowed.right()) << " right, "
                              << std::max(0.0, allowed.top() - ink.top()) << " top, "
                              << std::max(0.0, ink.bottom() - allowed.bottom())
                              << " bottom (twips)";
            // Nothing of a fitted text is clipped: the paper shows its glyphs'
            // outlines to their ends (dark pixels may stop short of a thin stroke's
            // tip by a pixel or two; at a preview's resolution a thin tail does
            // not darken a pixel at all, so the printer's tells).
            const QRectF outline = report::drawnText(item).ink;
            const double tip = 2 * pixel;
            if (dpi == test::kInkDpis[0] && !item.cut && !outline.isNull() &&
                !ink.adjusted(-tip, -tip, tip, tip).contains(outline))
                ADD_FAILURE() << where() << ": clipped by "
                              << std::max(0.0, ink.left() - outline.left()) << " left, "
                              << std::max(0.0, outline.right() - ink.right()) << " right, "
                              << std::max(0.0, ink.top() - outline.top()) << " top, "
                              << std::max(0.0, outline.bottom() - ink.bottom())
                              << " bottom (twips)";
            for (const report::Rule& r : *p.rules) {
                const std::optional<double> gap = gapToRule(ink, r, pixel);
                if (!gap || *gap >= report::kInkClearance - pixel / 2)
                    continue;
                ADD_FAILURE() << where() << ": " << *gap * 25.4 / 1440 << " mm from the "
                              << (r.orientation == Qt::Horizontal ? "rule across at y "
                                                                  : "rule down at x ")
                              << r.at;
                break;
            }
        }
    }
}

// The words of a text as a reader searches them, each with how often it
// stands there: runs of letters and runs of digits, whatever punctuation or
// line breaks stand between them (an extractor may put the digits of "14هـ"
// on either side of its letters).
QHash<QString, int> wordsOf(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{M}]+|\\p{N}+"));
    QHash<QString, int> words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        ++words[it.next().captured()];
    return words;
}

// The letters and digits of a text run together: where an extractor takes a
// narrow space between two one-letter words for none, the letters still stand
// there in order.
QString runTogether(const QString& text) {
    static const QRegularExpression other(QStringLiteral("[^\\p{L}\\p{M}\\p{N}]+"));
    return QString(text).remove(other);
}

// A word as a reader gives it and a search that normalises finds it: the
// presentation forms folded (NFKC) for a reader that gives a lam-alef
// ligature as its one character.
QString asSearched(const QString& text, const test::PdfReader& reader) {
    return reader.givesPresentationForms ? text.normalized(QString::NormalizationForm_KC) : text;
}

// Whether a word is drawn with the lam-alef-maksura ligature (U+FC43): a lam
// that an alef maksura follows.
bool hasLamAlefMaksura(const QString& word) {
    return word.contains(QStringLiteral(u"\u0644\u0649"));
}

// A printed text of several words, letters only, drawn on one line, which a
// viewer's search finds as the user types it.
bool isPhrase(const report::DrawnItem& item) {
    static const QRegularExpression words(QStringLiteral("^[\\p{L}\\p{M}]+( [\\p{L}\\p{M}]+)+$"));
    if (item.kind != report::DrawnItem::Kind::Text || item.vertical || item.cut ||
        !words.match(item.text).hasMatch())
        return false;
    // Not wrapped: it fits its box's width, with room to spare for the
    // measures of another device.
    return !(item.flags & Qt::TextWordWrap) ||
           QFontMetricsF(item.font).horizontalAdvance(item.text) < 0.95 * item.textBox().width();
}

// The same, read back from the written PDF by each reader (those of the
// browsers' viewers too, all side by side): every word the pages print can be
// found in the file's text as it was typed, as often as it is printed, so
// that a word lost on one row is not hidden by the same word read right on
// another. No tab stands between the words, and PDFium's search finds the
// texts of several words.
TEST(LongTexts, EveryPrintedWordCanBeFoundInThePdf) {
    for (const test::PdfReader& reader : test::pdfReaders()) {
        if (!test::haveReader(reader))
            GTEST_SKIP() << reader.name << " is not installed (scripts/setup-deps)";
    }
    struct Written {
        std::string name;
        std::vector<std::pair<QString, bool>> texts; // each printed text, and whether it is turned
        QStringList phrases;
    };
    QTemporaryDir dir;
    std::vector<Written> written;
    QStringList files;
    report::clearPdfTextMapFailures();
    forEveryFilledLayout([&](const std::string& name, const report::LaidOutReport& r) {
        files << dir.filePath(QString::fromStdString(name) + QStringLiteral(".pdf"));
        report::writePdf(r, files.back());
        Written& w = written.emplace_back(Written{name, {}, {}});
        for (const report::ReportPage& page : r.pages) {
            for (const report::DrawnItem& item : page.items) {
                if (item.kind != report::DrawnItem::Kind::Text)
                    continue;
                w.texts.emplace_back(item.text, item.vertical);
                // A sample: a few of each document's texts of several words.
                if (w.phrases.size() < 6 && isPhrase(item) && !w.phrases.contains(item.text))
                    w.phrases << item.text;
            }
        }
    });
    EXPECT_TRUE(report::pdfTextMapFailures().isEmpty())
        << report::pdfTextMapFailures().join('\n').toStdString();
    std::vector<QStringList> phrases;
    for (const Written& w : written)
        phrases.push_back(w.phrases);
    const std::vector<std::vector<test::PdfReading>> read =
        test::readPdfs(files, phrases, std::chrono::minutes(5));
    qsizetype phrasesSought = 0;
    for (size_t r = 0; r < test::pdfReaders().size(); ++r) {
        const test::PdfReader& reader = test::pdfReaders()[r];
        for (size_t f = 0; f < written.size(); ++f) {
            const Written& w = written[f];
            const test::PdfReading& got = read[r][f];
            ASSERT_TRUE(got.failure.isEmpty())
                << w.name << ", " << reader.name << ": " << got.failure.toStdString();
            QHash<QString, int> printed;
            for (const auto& [text, turned] : w.texts) {
                if (turned && !reader.readsTurnedText)
                    continue;
                const QHash<QString, int> words = wordsOf(text);
                for (auto word = words.begin(); word != words.end(); ++word) {
                    if (reader.readsLamAlefMaksura || !hasLamAlefMaksura(word.key()))
                        printed[word.key()] += word.value();
                }
            }
            const QString text = asSearched(got.text, reader);
            const QHash<QString, int> found = wordsOf(text);
            const QString together = runTogether(text);
            QStringList lost;
            for (auto word = printed.begin(); word != printed.end(); ++word) {
                const int seen = std::max(found.value(word.key()), int(together.count(word.key())));
                if (seen < word.value())
                    lost << QStringLiteral("%1 (%2 of %3)")
                                .arg(word.key())
                                .arg(seen)
                                .arg(word.value());
            }
            EXPECT_TRUE(lost.isEmpty()) << w.name << ", " << reader.name << ": "
                                        << lost.join(QLatin1Char(' ')).toStdString();
            static const QRegularExpression tabBetweenWords(
                QStringLiteral("[\\p{L}\\p{N}][ ]*\\t[ \\t]*[\\p{L}\\p{N}]"));
            EXPECT_FALSE(text.contains(tabBetweenWords))
                << w.name << ", " << reader.name << ": a tab between words";
            if (!reader.searches)
                continue;
            ASSERT_EQ(got.found.size(), size_t(w.phrases.size())) << w.name;
            for (qsizetype p = 0; p < w.phrases.size(); ++p) {
                EXPECT_TRUE(got.found[size_t(p)])
                    << w.name << ", " << reader.name << " does not find \""
                    << w.phrases[p].toStdString() << "\"";
            }
            phrasesSought += w.phrases.size();
        }
    }
    EXPECT_GE(phrasesSought, 300) << "too few texts of several words searched";
}

} // namespace
