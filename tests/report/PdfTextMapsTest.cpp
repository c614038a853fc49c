#include "report/PdfTextMaps.h"
#include "report/LayoutLibrary.h"
#include "report/PreviewWindow.h"
#include "report/ReportPages.h"
#include "report/ReportPainter.h"
#include "report/SampleClass.h"
#include "support/PdfText.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace sijill;

namespace {

// The map Qt 6.4 writes for a Noto Sans Arabic subset: digits, a plain alef,
// presentation forms, the lam-alef ligature and the space glyph, which the
// font's character map gives to the tab first.
const QByteArray kQtMap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                          "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                          "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
                          "2 beginbfrange\n<0000> <0000> <0000>\n"
                          "<0001> <0005> [<0031> <0627> <FEDF> <FE8E> <FEFB> ]\n"
                          "endbfrange\n2 beginbfchar\n<0010> <FEEA>\n<0011> <0009>\nendbfchar\n"
                          "1 beginbfrange\n<0020> <0022> <FEE3>\nendbfrange\n"
                          "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";

// A one-page document showing `text` (a content stream) in a font mapped by
// kQtMap, uncompressed, with a true cross-reference table.
QByteArray pdfShowing(const QByteArray& text) {
    const QByteArray objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] "
        "/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type0 /BaseFont /F /Encoding /Identity-H /ToUnicode 6 0 R >>",
        "<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream",
        "<< /Length " + QByteArray::number(kQtMap.size()) + " >>\nstream\n" + kQtMap +
            "\nendstream"};
    QByteArray pdf = "%PDF-1.4\n";
    QByteArray xref = "xref\n0 7\n0000000000 65535 f \n";
    for (int i = 0; i < 6; ++i) {
        xref += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype at = pdf.size();
    return pdf + xref + "trailer\n<< /Size 7 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(at) +
           "\n%%EOF\n";
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A class whose names hold every lam-alef ligature and the word of God, which
// fonts draw as one glyph of several letters.
report::ReportRowset classRows() {
    report::ReportRowset rows = test::sampleClass(12);
    rows.set(0, QStringLiteral("d1"), QStringLiteral("علاء سلامة الفلاحي"));
    rows.set(1, QStringLiteral("d1"), QStringLiteral("عبدالإله الأحمد آلاء الآلوسي"));
    rows.set(2, QStringLiteral("d1"), QStringLiteral("عبدالله لؤي اللهيبي"));
    return rows;
}

report::LaidOutReport classList() {
    test::TestHome home;
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    layout.resetToDesign();
    test::fillSampleHeader(layout);
    layout.setDataSource(classRows());
    return report::layOut(layout);
}

} // namespace

TEST(PdfTextMaps, PresentationFormsMapBackToTheLettersTyped) {
    bool changed = false;
    const QByteArray out = report::normalisedToUnicodeCMap(kQtMap, &changed);
    ASSERT_FALSE(out.isEmpty());
    EXPECT_TRUE(changed);
    EXPECT_TRUE(out.contains("<0003> <0644>")); // initial lam
    // The lam-alef ligature keeps its one character, which a reader that
    // takes each glyph on its own reads in the right order; a space is a
    // space.
    EXPECT_TRUE(out.contains("<0005> <FEFB>"));
    EXPECT_TRUE(out.contains("<0011> <0020>"));
    EXPECT_TRUE(out.contains("<0010> <0647>")); // final heh from a bfchar entry
    // A counting range: FEE3, FEE4, FEE5 are forms of meem and noon.
    EXPECT_TRUE(out.contains("<0020> <0645>"));
    EXPECT_TRUE(out.contains("<0021> <0645>"));
    EXPECT_TRUE(out.contains("<0022> <0646>"));
    // Plain text and the codespace are kept.
    EXPECT_TRUE(out.contains("<0001> <0031>"));
    EXPECT_TRUE(out.contains("<0002> <0627>"));
    EXPECT_TRUE(out.contains("<0000> <FFFF>"));
    EXPECT_EQ(out.count("<FE"), 1);
    EXPECT_FALSE(out.contains("<0009>"));
}

// A font of 150 glyphs, mapped in one range as a writer may: the rewritten map
// holds every glyph in blocks of at most 100 entries, as PDF allows.
TEST(PdfTextMaps, ARewrittenMapKeepsItsBlocksWithinAHundredEntries) {
    QByteArray cmap = "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
                      "1 beginbfrange\n<0001> <0096> [";
    for (int glyph = 0; glyph < 150; ++glyph)
        cmap += " <" + QByteArray::number(0xFE80 + glyph % 0x70, 16).toUpper() + ">";
    cmap += " ]\nendbfrange\n";
    const QByteArray out = report::normalisedToUnicodeCMap(cmap);
    ASSERT_FALSE(out.isEmpty());
    const QList<QByteArray> lines = out.split('\n');
    int mapped = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> words = lines[i].split(' ');
        if (words.size() != 2 || (words[1] != "beginbfchar" && words[1] != "beginbfrange"))
            continue;
        const QByteArray end = "end" + words[1].mid(5);
        qsizetype entries = 0;
        while (i + 1 + entries < lines.size() && lines[i + 1 + entries] != end)
            ++entries;
        EXPECT_LE(entries, 100);
        EXPECT_EQ(words[0].toInt(), entries) << "a block's count differs from its entries";
        mapped += static_cast<int>(entries);
    }
    EXPECT_EQ(mapped, 150);
}

TEST(PdfTextMaps, AMapWithoutPresentationFormsIsLeftAloneAndAnUnreadableOneIsRefused) {
    bool changed = true;
    const QByteArray latin = "1 beginbfchar\n<0001> <0041>\nendbfchar\n";
    EXPECT_FALSE(report::normalisedToUnicodeCMap(latin, &changed).isEmpty());
    EXPECT_FALSE(changed);
    // Cut in the middle of a range, an odd hex string, nothing mapped.
    EXPECT_TRUE(report::normalisedToUnicodeCMap("1 beginbfrange\n<0001> <0003> [<0031>").isEmpty());
    EXPECT_TRUE(
        report::normalisedToUnicodeCMap("1 beginbfchar\n<0001> <041>\nendbfchar").isEmpty());
    EXPECT_TRUE(report::normalisedToUnicodeCMap("begincmap endcmap").isEmpty());
}

namespace {

// "Print to file" in the preview's print dialog, chosen as a person does: the
// file printer, then the file's name.
void printToFileFromPreview(const report::LaidOutReport& r, const QString& pdf) {
    test::ScriptedScope scope;
    scope.dialogs().custom = [&](QDialog& d) {
        auto* printers = d.findChild<QComboBox*>(QStringLiteral("printers"));
        auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!qobject_cast<QPrintDialog*>(&d) || !printers || !file)
            return false;
        d.show(); // the dialog lists its printers when it is shown
        printers->setCurrentIndex(printers->count() - 1);
        file->setText(pdf);
        d.accept();
        return true;
    };
    report::PreviewWindow preview(r);
    preview.printButton->click();
    EXPECT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_TRUE(scope.dialogs().unanswered.isEmpty()) << "the print dialog was not scripted";
    EXPECT_TRUE(scope.systemShown.empty());
}

} // namespace

TEST(PdfTextMaps, AClassListPdfGivesBackTheStudentsNamesAsTyped) {
    for (const test::PdfReader& reader : test::pdfReaders()) {
        if (!test::haveReader(reader))
            GTEST_SKIP() << reader.name << " is not installed (scripts/setup-deps)";
    }
    QTemporaryDir dir;
    const report::LaidOutReport list = classList();
    const std::pair<const char*, void (*)(const report::LaidOutReport&, const QString&)> writers[] =
        {{"written", &report::writePdf}, {"printed from the preview", &printToFileFromPreview}};
    for (const auto& [how, write] : writers) {
        SCOPED_TRACE(how);
        const QString pdf = dir.filePath(QString::fromLatin1(how) + QStringLiteral(".pdf"));
        report::clearPdfTextMapFailures();
        write(list, pdf);
        EXPECT_TRUE(report::looksWhole(readAll(pdf)));
        EXPECT_TRUE(report::pdfTextMapFailures().isEmpty());
        // Each reader orders a right-to-left line its own way (poppler by the
        // glyphs' places, the others as they are written): all give back the
        // words as typed, the lam-alef ones too, poppler in plain letters, the
        // others with the ligature's one character, which a search that
        // normalises finds.
        for (const test::PdfReader& reader : test::pdfReaders()) {
            SCOPED_TRACE(reader.name);
            const QString given = test::pdfText(pdf, reader);
            EXPECT_FALSE(given.isEmpty());
            EXPECT_FALSE(given.contains(QLatin1Char('\t')));
            for (QChar c : given) {
                EXPECT_FALSE(c.unicode() >= 0xFE70 && c.unicode() <= 0xFEFF &&
                             !(reader.givesPresentationForms && c.unicode() >= 0xFEF5))
                    << "presentation form left";
            }
            const QString text = reader.givesPresentationForms
                                     ? given.normalized(QString::NormalizationForm_KC)
                                     : given;
            const report::ReportRowset rows = classRows();
            for (int i = 0; i < rows.rowCount(); ++i) {
                // Compared word by word: extracted right-to-left lines need not
                // keep the order of the words, but every word comes back as typed.
                for (const QString& word :
                     rows.text(i, QStringLiteral("d1")).split(' ', Qt::SkipEmptyParts))
                    EXPECT_TRUE(text.contains(word)) << word.toStdString();
            }
            for (const char* header : {"المملكة", "الإدارة", "الأمل", "الابتدائية", "الاسم"})
                EXPECT_TRUE(text.contains(QString::fromUtf8(header))) << header;
        }
    }
}

TEST(PdfTextMaps, ADocumentThatCannotBeRewrittenIsKeptAsItWasAndTheFailureRecorded) {
    const QByteArray whole = report::pdfDocument(classList());
    ASSERT_TRUE(report::looksWhole(whole));
    report::clearPdfTextMapFailures();
    // Cut short, its end lost, or cut in the middle with the end kept: never
    // repaired, never half rewritten.
    QByteArray middleCut = whole.left(whole.size() / 2) + whole.right(200);
    for (const QByteArray& damaged : {whole.left(whole.size() / 2), whole.left(40), middleCut})
        EXPECT_EQ(report::withSearchableText(damaged, QStringLiteral("Damaged")), damaged);
    EXPECT_EQ(report::pdfTextMapFailures().size(), 3);
    EXPECT_TRUE(report::pdfTextMapFailures().front().startsWith(QStringLiteral("Damaged: ")));
    // A whole document whose text map cannot be read is kept too.
    report::clearPdfTextMapFailures();
    EXPECT_EQ(report::withSearchableText("%PDF-1.4\n%%EOF\n", QStringLiteral("Empty")),
              QByteArray("%PDF-1.4\n%%EOF\n"));
    EXPECT_EQ(report::pdfTextMapFailures().size(), 1);
    // A lam-alef glyph (code 5) is given its span where it is shown alone by
    // Tj; shown by another operator, nothing is guessed.
    report::clearPdfTextMapFailures();
    const QByteArray byTj = pdfShowing("BT /F1 12 Tf 10 10 Td <00010005> Tj ET");
    const QByteArray spanned = report::withSearchableText(byTj, QStringLiteral("Tj"));
    EXPECT_NE(spanned, byTj);
    EXPECT_TRUE(report::looksWhole(spanned));
    EXPECT_TRUE(report::pdfTextMapFailures().isEmpty());
    const QByteArray byTJ = pdfShowing("BT /F1 12 Tf 10 10 Td [<0001> -20 <0005>] TJ ET");
    EXPECT_EQ(report::withSearchableText(byTJ, QStringLiteral("TJ")), byTJ);
    ASSERT_EQ(report::pdfTextMapFailures().size(), 1);
    EXPECT_TRUE(report::pdfTextMapFailures().front().startsWith(QStringLiteral("TJ: page 1")));
}
