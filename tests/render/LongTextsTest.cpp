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
