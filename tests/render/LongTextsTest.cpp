#include "render/DrawnInk.h"
#include "render/RenderedLayouts.h"
#include "report/PdfTextMaps.h"
#include "report/ReportPainter.h"
#include "support/PdfText.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sijill;

namespace {

TEST(LongTexts, AreTheLongestTheDataHolds) {
    const test::FillTexts t = test::longestTexts();
    EXPECT_EQ(t.school.size(), 60);
    EXPECT_EQ(t.administration.size(), 50);
    int longest = 0;
    for (const QString& n : t.names) {
        if (n.size() == 45 && n.split(' ').size() == 5)
            ++longest;
    }
    EXPECT_GT(longest, 0);
    EXPECT_EQ(t.seat(0).size(), 5);
}

// No layout cuts a word: every text fits its box, shrunk or wrapped at most.
TEST(LongTexts, NoLayoutCutsAText) {
    EXPECT_EQ(test::layoutFills().size(), 44u);
    for (const test::LayoutFill& f : test::layoutFills()) {
        const report::LaidOutReport& r = test::filledLayout(f.layout);
        EXPECT_FALSE(r.pages.empty()) << f.layout.toStdString();
        for (const report::CutText& cut : r.cutTexts)
            ADD_FAILURE() << f.layout.toStdString() << " page " << cut.page + 1 << " "
                          << cut.control.toStdString() << " row " << cut.row << ": \""
                          << cut.text.toStdString() << "\"";
    }
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

// What is printed stays inside its box, the width of the page's widest rule
// kept free all round: read from the pixels of the written PDF, each text drawn
// alone (the fitting's own measure is not trusted here).
TEST(LongTexts, EveryDrawnTextStaysInsideItsBox) {
    if (!test::havePdfToPpm())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    struct Probe {
        QString layout;
        double rule = 0;
    };
    std::vector<report::DrawnItem> items;
    std::vector<Probe> probes;
    QSet<QString> seen; // the same text in the same box draws alike
    for (const test::LayoutFill& f : test::layoutFills()) {
        for (const report::ReportPage& page : test::filledLayout(f.layout).pages) {
            const double rule = widestRule(page);
            for (const report::DrawnItem& i : page.items) {
                if (i.kind != report::DrawnItem::Kind::Text || i.text.trimmed().isEmpty())
                    continue;
                const QString key = QStringLiteral("%1|%2|%3|%4x%5|%6|%7")
                                        .arg(i.font.key())
                                        .arg(i.flags)
                                        .arg(i.vertical)
                                        .arg(i.rect.width())
                                        .arg(i.rect.height())
                                        .arg(rule)
                                        .arg(i.text);
                if (seen.contains(key))
                    continue;
                seen.insert(key);
                items.push_back(i);
                probes.push_back({f.layout, rule});
            }
        }
    }
    QTemporaryDir dir;
    const std::vector<QRectF> ink = test::inkFromPdf(items, dir.path());
    // A pixel at the box's edge may be dark though the glyphs stop inside it.
    const double pixel = 1440 / test::kInkDpi;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const double in = probes[i].rule;
        const QRectF allowed =
            items[i].rect.adjusted(in - pixel, in - pixel, pixel - in, pixel - in);
        if (ink[i].isNull() || allowed.adjusted(-0.5, -0.5, 0.5, 0.5).contains(ink[i]))
            continue;
        ADD_FAILURE() << probes[i].layout.toStdString() << " " << items[i].control.toStdString()
                      << " row " << items[i].row << " \"" << items[i].text.toStdString()
                      << "\": past its box by " << std::max(0.0, allowed.left() - ink[i].left())
                      << " left, " << std::max(0.0, ink[i].right() - allowed.right()) << " right, "
                      << std::max(0.0, allowed.top() - ink[i].top()) << " top, "
                      << std::max(0.0, ink[i].bottom() - allowed.bottom()) << " bottom (twips)";
    }
}

// The words of a text as a reader searches them: runs of letters and runs of
// digits, whatever punctuation or line breaks stand between them (an extractor
// may put the digits of "143هـ" on either side of its letters).
QSet<QString> wordsOf(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{M}]+|\\p{N}+"));
    QSet<QString> words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words.insert(it.next().captured());
    return words;
}

// The letters and digits of a text run together: where an extractor takes a
// narrow space between two one-letter words for none, the letters still stand
// there in order.
QString runTogether(const QString& text) {
    static const QRegularExpression other(QStringLiteral("[^\\p{L}\\p{M}\\p{N}]+"));
    return QString(text).remove(other);
}

// The same, read back from the written PDF: every word the pages print can be
// found in the file's text as it was typed.
TEST(LongTexts, EveryPrintedWordCanBeFoundInThePdf) {
    if (!test::havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    report::clearPdfTextMapFailures();
    for (const test::LayoutFill& f : test::layoutFills()) {
        const report::LaidOutReport& r = test::filledLayout(f.layout);
        const QString pdf = dir.filePath(f.layout + QStringLiteral(".pdf"));
        report::writePdf(r, pdf);
        const QString text = test::pdfText(pdf);
        const QSet<QString> found = wordsOf(text);
        const QString together = runTogether(text);
        QSet<QString> printed;
        for (const report::ReportPage& page : r.pages) {
            for (const report::DrawnItem& item : page.items) {
                if (item.kind == report::DrawnItem::Kind::Text)
                    printed.unite(wordsOf(item.text));
            }
        }
        QStringList lost;
        for (const QString& w : printed) {
            if (!found.contains(w) && !together.contains(w))
                lost << w;
        }
        EXPECT_TRUE(lost.isEmpty())
            << f.layout.toStdString() << ": " << lost.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_TRUE(report::pdfTextMapFailures().isEmpty())
        << report::pdfTextMapFailures().join('\n').toStdString();
}

} // namespace
