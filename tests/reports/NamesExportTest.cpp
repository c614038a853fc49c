#include "reports/NamesExport.h"
#include "data/Connection.h"
#include "platform/BidiText.h"
#include "platform/DocumentOpener.h"
#include "report/LayoutLibrary.h"
#include "reports/DocxCustomList.h"
#include "reports/OoxmlPackage.h"
#include "reports/OoxmlParts.h"
#include "reports/PrintRun.h"
#include "reports/ReportsTestSupport.h"
#include "reports/XlsxSheet.h"
#include "shell/ShellTestSupport.h"
#include "support/OddNamesSchool.h"
#include "support/TypedOrder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::expectTypedOrder;
using sijill::test::kCancel;
using sijill::test::kOk;
using sijill::test::PrintDesk;
using sijill::test::TestHome;
using sijill::test::xmlPart;

namespace {

struct SheetCell {
    QString text;
    QString style;
    QString formula;
};

// A cell of the workbook's first sheet as the file holds it.
SheetCell cellOf(const pugi::xml_document& sheet, const QString& ref) {
    for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row"))
        for (pugi::xml_node c : row.children("c"))
            if (ref == c.attribute("r").value())
                return {QString::fromUtf8(c.child("is").child("t").text().get()),
                        QString::fromUtf8(c.attribute("s").value()),
                        QString::fromUtf8(c.child("f").text().get())};
    return {};
}

QStringList namesIn(const pugi::xml_document& sheet, int from, int to) {
    QStringList out;
    for (int r = from; r <= to; ++r)
        out << cellOf(sheet, QString("C%1").arg(r)).text;
    return out;
}

QString textOf(pugi::xml_node n) {
    QString out;
    for (pugi::xpath_node t : n.select_nodes(".//w:t"))
        out += QString::fromUtf8(t.node().text().get());
    return out;
}

// Rows of a document table as their cells' texts.
std::vector<QStringList> tableRows(pugi::xml_node tbl) {
    std::vector<QStringList> rows;
    for (pugi::xml_node tr : tbl.children("w:tr")) {
        QStringList cells;
        for (pugi::xml_node tc : tr.children("w:tc"))
            cells << textOf(tc);
        rows.push_back(cells);
    }
    return rows;
}

QString fillOf(pugi::xml_node tr, int column) {
    int i = 0;
    for (pugi::xml_node tc : tr.children("w:tc"))
        if (i++ == column)
            return QString::fromUtf8(tc.child("w:tcPr").child("w:shd").attribute("w:fill").value());
    return {};
}

data::RecordSet classOf(const QString& grade, const QString& cls) {
    return loadClassStudents(grade, cls);
}

shell::SchoolProfile profile() {
    shell::SchoolProfile p;
    p.Admin = "إدارة تعليم الرياض";
    p.School = "مدرسة النور الابتدائية";
    p.ThisYear = "1447";
    p.ThisSemester = "الفصل الدراسي الأول";
    return p;
}

// A user's folders inside the test: HOME, with or without a desktop.
struct UserFolders {
    explicit UserFolders(bool desktop)
        : home("HOME", dir.path().toUtf8()),
          config("XDG_CONFIG_HOME", dir.filePath("config").toUtf8()) {
        if (desktop)
            QDir(dir.path()).mkpath("Desktop");
    }
    QString desktop() const { return dir.filePath("Desktop"); }
    QTemporaryDir dir;
    test::EnvScope home;
    test::EnvScope config;
};

// Records the documents the program opens, instead of opening them.
struct OpenedDocuments {
    explicit OpenedDocuments(bool succeed = true) {
        previous = platform::setDocumentOpener([this, succeed](const QString& path) {
            paths << path;
            return succeed;
        });
    }
    ~OpenedDocuments() {
        for (const QString& p : paths)
            QFile::remove(p);
        platform::setDocumentOpener(previous);
    }
    QStringList paths;
    std::function<bool(const QString&)> previous;
};

} // namespace

TEST(NamesExport, ClassLabelLosesStageWordsAndDashes) {
    EXPECT_EQ(excelClassLabel("أول-2"), "أول2");
    EXPECT_EQ(excelClassLabel("أول المتوسطة-3"), "أول 3");
    EXPECT_EQ(excelClassLabel("ثاني المتوسط-1"), "ثاني 1");
    EXPECT_EQ(excelClassLabel("ثالث الثانوية-2"), "ثالث 2");
    EXPECT_EQ(exportFileStem("أول/ب-1"), "أول_ب-1");
    EXPECT_EQ(cellPosition("AA4"), std::make_pair(27, 4));
    EXPECT_EQ(cellPosition("C12"), std::make_pair(3, 12));
    EXPECT_EQ(cellPosition("12"), std::make_pair(0, 0));
}

TEST(NamesExport, WorkbookHoldsProfileClassAndNamesInNumberOrderWithTheTemplatesFormat) {
    TestHome home;
    test::seedSchool(home);
    for (int i = 1; i <= 30; ++i)
        test::addPupil(home, {"ثالث", "1", QString("%1").arg(i, 2, 10, QChar('0')),
                              QString("طالب %1").arg(31 - i), "", QString::number(1000 + i)});
    QTemporaryDir out;
    const QString path = exportNamesToExcel(profile(), "أول-1", classOf("أول", "1"), out.path());
    EXPECT_EQ(QFileInfo(path).fileName(), "أول-1.xlsx");
    const pugi::xml_document tmpl = xmlPart(excelTemplatePath(), "xl/worksheets/sheet1.xml");
    const pugi::xml_document sheet = xmlPart(path, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(cellOf(sheet, "C4").text, "إدارة تعليم الرياض");
    EXPECT_EQ(cellOf(sheet, "AA2").text, "مدرسة النور الابتدائية");
    EXPECT_EQ(cellOf(sheet, "AA3").text, "1447");
    EXPECT_EQ(cellOf(sheet, "AA4").text, "الفصل الدراسي الأول");
    EXPECT_EQ(cellOf(sheet, "D7").text, "أول1");
    EXPECT_EQ(namesIn(sheet, 12, 15), QStringList({"يوسف خالد", "بدر سالم", "أحمد علي", ""}));
    // Formats, formulas and the right-to-left view stay as the template has them.
    for (const char* ref : {"C4", "AA2", "D7", "C12", "C14"})
        EXPECT_EQ(cellOf(sheet, ref).style, cellOf(tmpl, ref).style) << ref;
    EXPECT_FALSE(cellOf(sheet, "C12").style.isEmpty());
    EXPECT_EQ(cellOf(sheet, "N12").formula, cellOf(tmpl, "N12").formula);
    EXPECT_FALSE(cellOf(sheet, "N12").formula.isEmpty());
    EXPECT_EQ(cellOf(sheet, "C1").text, cellOf(tmpl, "C1").text);
    EXPECT_TRUE(sheet.child("worksheet")
                    .child("sheetViews")
                    .child("sheetView")
                    .attribute("rightToLeft")
                    .as_bool());
    const pugi::xml_document book = xmlPart(path, "xl/workbook.xml");
    EXPECT_TRUE(book.child("workbook").child("calcPr").attribute("fullCalcOnLoad").as_bool());

    // Thirty students fill C12 to C41; past the template's rows a name still
    // gets the column's cells in order. A second export replaces the file whole.
    const QString again = exportNamesToExcel(profile(), "ثالث-1", classOf("ثالث", "1"), out.path());
    const pugi::xml_document big = xmlPart(again, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(cellOf(big, "C12").text, "طالب 30");
    EXPECT_EQ(cellOf(big, "C41").text, "طالب 1");
    EXPECT_EQ(cellOf(big, "C42").text, "");
    EXPECT_EQ(cellOf(big, "D7").text, "ثالث1");

    // The same class again, now with one student: the old names are gone.
    home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d6 = 'أول' AND d0 <> '01'");
    exportNamesToExcel(profile(), "أول-1", classOf("أول", "1"), out.path());
    const pugi::xml_document fewer = xmlPart(path, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(namesIn(fewer, 12, 13), QStringList({"يوسف خالد", ""}));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 2);
}

TEST(NamesExport, EveryStudentGetsAWholeRowAndTextThatLooksLikeAFormulaStaysText) {
    TestHome home;
    test::finishProfile(home);
    const pugi::xml_document tmpl = xmlPart(excelTemplatePath(), "xl/worksheets/sheet1.xml");
    const pugi::xml_document tmplBook = xmlPart(excelTemplatePath(), "xl/workbook.xml");
    const auto rowOf = [](const pugi::xml_document& sheet, int r) {
        return sheet.child("worksheet")
            .child("sheetData")
            .find_child_by_attribute("row", "r", std::to_string(r).c_str());
    };
    // A small class keeps the template's empty rows; classes past its 45 rows
    // (a big class, the all-names group) get each student a row like the first.
    for (int n : {3, 45, 70, 400}) {
        SCOPED_TRACE(n);
        const QString cls = QString::number(n);
        for (int i = 1; i <= n; ++i)
            test::addPupil(home, {"أول", cls, QString("%1").arg(i, 3, 10, QChar('0')),
                                  i == 1 ? "=SUM(1,2)" : QString("ط%1").arg(i), "", "1"});
        QTemporaryDir out;
        const QString path =
            exportNamesToExcel(profile(), "أول-" + cls, classOf("أول", cls), out.path());
        const pugi::xml_document sheet = xmlPart(path, "xl/worksheets/sheet1.xml");
        EXPECT_EQ(cellOf(sheet, "C12").text, "=SUM(1,2)");
        EXPECT_TRUE(cellOf(sheet, "C12").formula.isEmpty());
        const int last = 11 + std::max(n, 45);
        EXPECT_EQ(cellOf(sheet, QString("C%1").arg(11 + n)).text, QString("ط%1").arg(n));
        EXPECT_EQ(cellOf(sheet, QString("C%1").arg(12 + n)).text, "");
        for (int r = 12; r <= last; ++r) {
            // Number, mark cells and total as the template's first row, the
            // formulas on the row's own cells.
            const QString row = QString::number(r);
            for (const char* column : {"B", "C", "D", "M", "N"})
                EXPECT_EQ(cellOf(sheet, column + row).style,
                          cellOf(tmpl, QString(column) + "12").style)
                    << column << r;
            for (const char* column : {"B", "N"})
                EXPECT_EQ(cellOf(sheet, column + row).formula,
                          cellOf(tmpl, QString(column) + "12").formula.replace("12", row))
                    << column << r;
            EXPECT_STREQ(rowOf(sheet, r).attribute("ht").value(),
                         rowOf(tmpl, 12).attribute("ht").value());
        }
        // Rows and cells stay in sheet order, which readers require.
        int lastRow = 0;
        for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row")) {
            EXPECT_GT(row.attribute("r").as_int(), lastRow);
            lastRow = row.attribute("r").as_int();
            int lastColumn = 0;
            for (pugi::xml_node c : row.children("c")) {
                const int column = cellPosition(c.attribute("r").value()).first;
                EXPECT_GT(column, lastColumn) << c.attribute("r").value();
                lastColumn = column;
            }
        }
        EXPECT_EQ(lastRow, last);
        pugi::xml_node ws = sheet.child("worksheet");
        EXPECT_EQ(QString(ws.child("dimension").attribute("ref").value()),
                  QString("B1:AA%1").arg(last));
        // The page keeps the template's width and scale, the heading rows on
        // every page; only a longer list runs onto more pages.
        pugi::xml_node setup = ws.child("pageSetup");
        pugi::xml_node tmplSetup = tmpl.child("worksheet").child("pageSetup");
        for (const char* a : {"paperSize", "orientation", "fitToWidth", "scale"})
            EXPECT_STREQ(setup.attribute(a).value(), tmplSetup.attribute(a).value()) << a;
        EXPECT_EQ(setup.attribute("fitToHeight").as_int(1),
                  n > 45 ? 0 : tmplSetup.attribute("fitToHeight").as_int(1));
        const pugi::xml_document book = xmlPart(path, "xl/workbook.xml");
        EXPECT_STREQ(book.child("workbook").child("definedNames").first_child().text().get(),
                     tmplBook.child("workbook").child("definedNames").first_child().text().get());
    }
}

// The template's shape may change: whatever names the list's extent follows it.
TEST(NamesExport, AListPastTheTemplatesRowsMovesWhatStandsBelowAndWhatNamesItsExtent) {
    TestHome home;
    test::finishProfile(home);
    for (int i = 1; i <= 50; ++i)
        test::addPupil(home, {"أول", "5", QString("%1").arg(i, 2, 10, QChar('0')),
                              QString("ط%1").arg(i), "", "1"});
    OoxmlPackage package = OoxmlPackage::read(excelTemplatePath());
    pugi::xml_document sheet, book;
    parseXml(sheet, package.part("xl/worksheets/sheet1.xml"), "sheet");
    parseXml(book, package.part("xl/workbook.xml"), "book");
    pugi::xml_node ws = sheet.child("worksheet");
    pugi::xml_node data = ws.child("sheetData");
    for (int r = 12; r <= 56; ++r) { // a column of one shared formula
        pugi::xml_node f =
            data.find_child_by_attribute("row", "r", std::to_string(r).c_str()).append_child("c");
        f.append_attribute("r") = ("O" + std::to_string(r)).c_str();
        f = f.append_child("f");
        f.append_attribute("t") = "shared";
        f.append_attribute("si") = "0";
        if (r == 12) {
            f.append_attribute("ref") = "O12:O56";
            f.text() = "N12*2+$B$4";
        }
    }
    const char* footer = "<row r=\"57\"><c r=\"C57\" t=\"inlineStr\"><is><t>المجموع</t></is></c>"
                         "<c r=\"N57\"><f>IF(LOG10(10)=1,SUM(N12:N56)&amp;\" N56\",'x'!N56)</f>"
                         "</c></row>";
    pugi::xml_document footerRow;
    footerRow.load_string(footer);
    data.append_copy(footerRow.first_child());
    ws.child("dimension").attribute("ref") = "B1:AA57";
    pugi::xml_node merges = ws.child("mergeCells");
    merges.append_child("mergeCell").append_attribute("ref") = "P56:Q56";
    merges.attribute("count") = 2;
    pugi::xml_document tail;
    tail.load_string("<conditionalFormatting sqref=\"D12:M56 N57\"><cfRule type=\"expression\" "
                     "priority=\"1\"><formula>D12&gt;$N$57</formula></cfRule>"
                     "</conditionalFormatting><dataValidations count=\"1\"><dataValidation "
                     "type=\"whole\" sqref=\"D12:M56\"><formula1>0</formula1><formula2>10"
                     "</formula2></dataValidation></dataValidations>");
    for (pugi::xml_node n : tail.children())
        ws.insert_copy_before(n, ws.child("pageMargins"));
    pugi::xml_node names = book.child("workbook").child("definedNames");
    pugi::xml_node area = names.append_child("definedName");
    area.append_attribute("name") = "_xlnm.Print_Area";
    area.append_attribute("localSheetId") = 0;
    area.text() = "'التقويم'!$A$1:$N$57";
    package.setPart("xl/worksheets/sheet1.xml", xmlBytes(sheet));
    package.setPart("xl/workbook.xml", xmlBytes(book));
    writeFileAtomically(excelTemplatePath(), package.toBytes());

    QTemporaryDir out;
    const QString path = exportNamesToExcel(profile(), "أول-5", classOf("أول", "5"), out.path());
    const pugi::xml_document done = xmlPart(path, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(cellOf(done, "C61").text, "ط50");
    EXPECT_EQ(cellOf(done, "N61").formula, "IF(C61=\"\",\"\",SUM(D61:M61))");
    EXPECT_EQ(cellOf(done, "O56").formula, ""); // still shared with O12
    EXPECT_EQ(cellOf(done, "O57").formula, "N57*2+$B$4");
    EXPECT_EQ(cellOf(done, "O61").formula, "N61*2+$B$4");
    EXPECT_EQ(cellOf(done, "C62").text, "المجموع");
    EXPECT_EQ(cellOf(done, "N62").formula, "IF(LOG10(10)=1,SUM(N12:N61)&\" N56\",'x'!N56)");
    EXPECT_EQ(cellOf(done, "C57").text, "ط46");
    pugi::xml_node dws = done.child("worksheet");
    EXPECT_STREQ(dws.child("conditionalFormatting").attribute("sqref").value(), "D12:M61 N62");
    EXPECT_STREQ(dws.child("conditionalFormatting").child("cfRule").child("formula").text().get(),
                 "D12>$N$62");
    EXPECT_STREQ(dws.child("dataValidations").child("dataValidation").attribute("sqref").value(),
                 "D12:M61");
    QStringList merged;
    for (pugi::xml_node m : dws.child("mergeCells").children("mergeCell"))
        merged << m.attribute("ref").value();
    EXPECT_EQ(merged, QStringList({"C1:N1", "P56:Q56", "P57:Q57", "P58:Q58", "P59:Q59", "P60:Q60",
                                   "P61:Q61"}));
    EXPECT_EQ(dws.child("mergeCells").attribute("count").as_int(), 7);
    EXPECT_STREQ(dws.child("dimension").attribute("ref").value(), "B1:AA62");
    const pugi::xml_document doneBook = xmlPart(path, "xl/workbook.xml");
    QStringList defined;
    for (pugi::xml_node n : doneBook.child("workbook").child("definedNames").children())
        defined << n.text().get();
    EXPECT_EQ(defined, QStringList({"'التقويم'!$1:$11", "'التقويم'!$A$1:$N$62"}));
}

TEST(NamesExport, AMissingOrBrokenTemplateWritesNothingAndKeepsAnEarlierFile) {
    TestHome home;
    test::seedSchool(home);
    QTemporaryDir out;
    const QString earlier = QDir(out.path()).filePath("أول-1.xlsx");
    {
        QFile f(earlier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the user's own work");
    }
    QFile::remove(excelTemplatePath());
    try {
        exportNamesToExcel(profile(), "أول-1", classOf("أول", "1"), out.path());
        FAIL() << "no error";
    } catch (const ExportError& e) {
        EXPECT_TRUE(e.message.startsWith("لم يتم العثور على القالب:")) << e.message.toStdString();
        EXPECT_TRUE(e.message.contains("Evaluation.xlsx"));
    }
    QFile broken(excelTemplatePath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("PK not really a zip");
    broken.close();
    EXPECT_THROW(exportNamesToExcel(profile(), "أول-1", classOf("أول", "1"), out.path()),
                 ExportError);
    QFile f(earlier);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "the user's own work");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList({"أول-1.xlsx"}));

    QFile::remove(wordTemplatePath());
    EXPECT_THROW(buildCustomListDocx(wordTemplatePath(), {}), ExportError);
}

TEST(NamesExport, DocumentHasTheSchoolHeaderAndOneShadedRowPerStudent) {
    TestHome home;
    test::seedSchool(home);
    QTemporaryDir out;
    const QString path =
        exportNamesToWord(profile(), "أول-1", classOf("أول", "1"), false, out.path());
    EXPECT_TRUE(path.endsWith(".docx"));

    const pugi::xml_document header = xmlPart(path, "word/header1.xml");
    pugi::xml_node htbl = header.child("w:hdr").child("w:tbl");
    ASSERT_TRUE(htbl);
    const std::vector<QStringList> hrows = tableRows(htbl);
    ASSERT_EQ(hrows.size(), 4u);
    EXPECT_EQ(hrows[0], QStringList({"المملكة العربية السعودية", "بسم الله الرحمن الرحيم",
                                     "الفصل الدراسي الأول- 1447"}));
    EXPECT_EQ(hrows[1], QStringList({"وزارة التعليم", "", "أول-1"}));
    EXPECT_EQ(hrows[2], QStringList({"إدارة تعليم الرياض", "", "كشف مخصص"}));
    EXPECT_EQ(hrows[3], QStringList({"مدرسة النور الابتدائية", "", ""}));
    EXPECT_STREQ(
        htbl.child("w:tblPr").child("w:tblBorders").child("w:insideV").attribute("w:val").value(),
        "none");
    EXPECT_TRUE(htbl.child("w:tblPr").child("w:bidiVisual"));

    const pugi::xml_document doc = xmlPart(path, "word/document.xml");
    pugi::xml_node body = doc.child("w:document").child("w:body");
    pugi::xml_node tbl = body.child("w:tbl");
    ASSERT_TRUE(tbl);
    const std::vector<QStringList> rows = tableRows(tbl);
    ASSERT_EQ(rows.size(), 4u); // the heading and three students, no empty row
    EXPECT_EQ(rows[0], QStringList({"م", "السجل المدني", "الاسم", "ملحوظات"}));
    EXPECT_EQ(rows[1], QStringList({"01", "1100000001", "يوسف خالد", ""}));
    EXPECT_EQ(rows[2], QStringList({"02", "1100000002", "بدر سالم", ""}));
    EXPECT_EQ(rows[3], QStringList({"10", "1100000010", "أحمد علي", ""}));
    // The heading row and the number column grey, the rest of a student's row white.
    pugi::xml_node tr = tbl.child("w:tr");
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(fillOf(tr, c), "D9D9D9") << c;
    tr = tr.next_sibling("w:tr");
    EXPECT_EQ(fillOf(tr, 0), "D9D9D9");
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(fillOf(tr, c), "FFFFFF") << c;
    // Portrait: the template's page; of the designed 1, 2.5, 7 and 9 cm the
    // notes give the civil-registry column room for ten digits.
    pugi::xml_node sect = body.child("w:sectPr");
    EXPECT_STREQ(sect.child("w:pgSz").attribute("w:w").value(), "11906");
    EXPECT_FALSE(sect.child("w:pgSz").attribute("w:orient"));
    EXPECT_EQ(sect.child("w:pgMar").attribute("w:header").as_int(), cmToTwips(1.25));
    EXPECT_FALSE(sect.child("w:titlePg"));
    std::vector<int> widths;
    for (pugi::xml_node g : tbl.child("w:tblGrid").children("w:gridCol"))
        widths.push_back(g.attribute("w:w").as_int());
    ASSERT_EQ(widths.size(), 4u);
    EXPECT_EQ(widths[0], 567);
    EXPECT_GT(widths[1], 1417);
    EXPECT_GE(widths[2], 3969);
    EXPECT_LT(widths[3], 5102);
    EXPECT_EQ(widths[0] + widths[1] + widths[2] + widths[3], 567 + 1417 + 3969 + 5102);
    // The page header is in the section's default header.
    EXPECT_STREQ(sect.child("w:headerReference").attribute("w:type").value(), "default");
}

TEST(NamesExport, LandscapeListAndAnEmptyClass) {
    TestHome home;
    test::seedSchool(home);
    QTemporaryDir out;
    const QString path =
        exportNamesToWord(profile(), "ثاني-9", classOf("ثاني", "9"), true, out.path());
    const pugi::xml_document doc = xmlPart(path, "word/document.xml");
    pugi::xml_node body = doc.child("w:document").child("w:body");
    pugi::xml_node size = body.child("w:sectPr").child("w:pgSz");
    EXPECT_STREQ(size.attribute("w:w").value(), "16838");
    EXPECT_STREQ(size.attribute("w:h").value(), "11906");
    EXPECT_STREQ(size.attribute("w:orient").value(), "landscape");
    pugi::xml_node tbl = body.child("w:tbl");
    int total = 0;
    for (pugi::xml_node g : tbl.child("w:tblGrid").children("w:gridCol"))
        total += g.attribute("w:w").as_int();
    EXPECT_EQ(total, cmToTwips(1) + cmToTwips(2.5) + cmToTwips(7) + cmToTwips(18));
    EXPECT_GT(tbl.child("w:tblGrid").last_child().attribute("w:w").as_int(), cmToTwips(15));
    const std::vector<QStringList> rows = tableRows(tbl);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], QStringList({"", "", "", ""}));
    EXPECT_EQ(fillOf(tbl.last_child(), 2), "D9D9D9");
    // The body ends with a paragraph after the table, then the page settings.
    EXPECT_STREQ(body.last_child().name(), "w:sectPr");
    EXPECT_STREQ(body.last_child().previous_sibling().name(), "w:p");
}

TEST(NamesExportMenu, ItemSixteenSavesTheCurrentClassOnTheDesktopOnce) {
    TestHome home;
    test::seedSchool(home);
    UserFolders user(true);
    PrintDesk desk(home);
    desk.pick("أول-2");
    desk.dialogs().answer(kOk);
    desk.click(16);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text,
              kExcelExported + "\r" + platform::shownPath("أول-2.xlsx"));
    expectTypedOrder(desk.dialogs().shown[0].text.section('\r', 1), "أول-2.xlsx");
    EXPECT_EQ(desk.dialogs().shown[0].mode, 1);
    EXPECT_EQ(desk.dialogs().shown[0].style, 0);
    const QString file = QDir(user.desktop()).filePath("أول-2.xlsx");
    ASSERT_TRUE(QFileInfo::exists(file));
    const pugi::xml_document sheet = xmlPart(file, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(namesIn(sheet, 12, 14), QStringList({"زياد فهد", "سامي محمد", ""}));
    EXPECT_EQ(cellOf(sheet, "AA3").text, "1447");
    EXPECT_EQ(cellOf(sheet, "C4").text, "إدارة تعليم الرياض");
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_TRUE(desk.jobs().isEmpty());
    const ExportRequest left = desk.menu->classData().exports;
    EXPECT_FALSE(left.ExportExcelFlag);
    EXPECT_FALSE(left.ExportWordFlag);
    EXPECT_EQ(left.NameListIndex, 16);

    // The next print loads the class again and exports nothing.
    QFile::remove(file);
    desk.click(2);
    EXPECT_EQ(desk.previews().size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(desk.dialogs().shown.size(), 1u);

    // Exported again: the question names the file as it was typed.
    desk.dialogs().answer("لا");
    desk.click(16);
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    expectTypedOrder(desk.dialogs().shown[1].text, "أول-2.xlsx");
}

TEST(NamesExportMenu, WithoutADesktopTheWorkbookGoesHomeAndTheMessageSaysWhere) {
    TestHome home;
    test::seedSchool(home);
    UserFolders user(false);
    PrintDesk desk(home);
    desk.pick("ثاني-1");
    desk.dialogs().answer(kOk);
    desk.click(16);
    const QString file = user.dir.filePath("ثاني-1.xlsx");
    EXPECT_TRUE(QFileInfo::exists(file));
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_TRUE(desk.dialogs().shown[0].text.endsWith(platform::shownPath(file)));
    expectTypedOrder(desk.dialogs().shown[0].text.section('\r', 1), file);
    EXPECT_FALSE(desk.dialogs().shown[0].text.contains("سطح المكتب"));
}

TEST(NamesExportMenu, WithAScopeBoxTickedTheExportIsTheChosenClassAlone) {
    const QString note =
        "صُدّر الفصل المختار وحده: خيارا \"جميع الصف\" و\"جميع المدرسة\" للطباعة فقط.";
    TestHome home;
    test::seedSchool(home);
    UserFolders user(true);
    OpenedDocuments opened;
    PrintDesk desk(home);
    desk.pick("ثاني-1");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    desk.click(16);
    EXPECT_EQ(QDir(user.desktop()).entryList(QDir::Files), QStringList({"ثاني-1.xlsx"}));
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text,
              kExcelExported + "\r" + platform::shownPath("ثاني-1.xlsx") + "\r" + note);
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_EQ(desk.form.classPicker->currentText(), "ثاني-1");
    EXPECT_FALSE(desk.menu->classData().exports.ExportExcelFlag);

    // The grade box: the chosen class again, as a document, with the note alone.
    desk.form.wholeSchoolCheck->click();
    desk.pick("أول-2");
    desk.form.wholeGradeCheck->click();
    desk.dialogs().answer(kOk);
    desk.click(17);
    ASSERT_EQ(opened.paths.size(), 1);
    const pugi::xml_document doc = xmlPart(opened.paths[0], "word/document.xml");
    const std::vector<QStringList> rows =
        tableRows(doc.child("w:document").child("w:body").child("w:tbl"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][2], "زياد فهد");
    EXPECT_EQ(rows[2][2], "سامي محمد");
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    EXPECT_EQ(desk.dialogs().shown[1].text, note);
    EXPECT_EQ(desk.form.classPicker->currentText(), "أول-2");
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_EQ(QDir(user.desktop()).entryList(QDir::Files),
              QStringList({"أول-2.docx", "ثاني-1.xlsx"}));
}

TEST(NamesExportMenu, ItemsSeventeenAndEighteenOpenAPortraitAndALandscapeDocument) {
    TestHome home;
    test::seedSchool(home);
    OpenedDocuments opened;
    PrintDesk desk(home);
    desk.pick("أول-1");
    bool enabledWhileOpening = true;
    platform::setDocumentOpener([&](const QString& path) {
        opened.paths << path;
        enabledWhileOpening = desk.form.isEnabled();
        return true;
    });
    desk.click(17);
    desk.click(18);
    ASSERT_EQ(opened.paths.size(), 2);
    EXPECT_FALSE(enabledWhileOpening);
    EXPECT_TRUE(desk.form.isEnabled());
    EXPECT_TRUE(desk.dialogs().shown.empty());
    EXPECT_TRUE(desk.previews().empty());
    const pugi::xml_document portrait = xmlPart(opened.paths[0], "word/document.xml");
    const pugi::xml_document landscape = xmlPart(opened.paths[1], "word/document.xml");
    auto orient = [](const pugi::xml_document& d) {
        return QString(d.child("w:document")
                           .child("w:body")
                           .child("w:sectPr")
                           .child("w:pgSz")
                           .attribute("w:orient")
                           .value());
    };
    EXPECT_EQ(orient(portrait), "");
    EXPECT_EQ(orient(landscape), "landscape");
    EXPECT_EQ(tableRows(portrait.child("w:document").child("w:body").child("w:tbl"))[1][2],
              "يوسف خالد");
    EXPECT_FALSE(desk.menu->classData().exports.ExportWordFlag);
    EXPECT_EQ(desk.menu->classData().exports.NameListIndex, 18);
}

TEST(NamesExportMenu, AFailedExportIsToldInArabicAndDoesNotStayArmed) {
    TestHome home;
    test::seedSchool(home);
    UserFolders user(true);
    OpenedDocuments opened(false);
    PrintDesk desk(home);
    desk.pick("أول-1");
    QFile::remove(excelTemplatePath());
    desk.dialogs().answer(kOk);
    desk.click(16);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_TRUE(desk.dialogs().shown[0].text.startsWith(kExcelFailed + "\r"));
    EXPECT_TRUE(desk.dialogs().shown[0].text.contains("Evaluation.xlsx"));
    EXPECT_EQ(desk.dialogs().shown[0].style, 1);
    EXPECT_TRUE(QDir(user.desktop()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(desk.menu->classData().exports.ExportExcelFlag);

    // A document nothing could open is still there, and the user is told where.
    desk.dialogs().answer(kOk);
    desk.click(17);
    ASSERT_EQ(opened.paths.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(opened.paths[0]));
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    EXPECT_EQ(desk.dialogs().shown[1].text,
              kWordNotOpened + "\r" + platform::shownPath(opened.paths[0]));
    EXPECT_TRUE(desk.form.isEnabled());

    // A class that cannot be loaded drops the request: the next load exports nothing.
    QFile::remove(wordTemplatePath());
    const QString db = home.database("MyDatabase.db");
    QFile::rename(db, db + ".away");
    desk.dialogs().answer(kOk);
    desk.click(17);
    EXPECT_EQ(desk.dialogs().shown.size(), 3u);
    EXPECT_FALSE(desk.dialogs().shown[2].text.startsWith(kWordFailed));
    EXPECT_FALSE(desk.menu->classData().exports.ExportWordFlag);
    QFile::rename(db + ".away", db);
    desk.click(2);
    EXPECT_EQ(desk.dialogs().shown.size(), 3u);
    EXPECT_EQ(opened.paths.size(), 1);
}

TEST(NamesExportMenu, ARefusedRunLeavesNoExportArmedForTheNextPrint) {
    TestHome home;
    test::seedSchool(home);
    UserFolders user(true);
    PrintDesk desk(home);
    desk.form.classPicker->setCurrentIndex(-1); // no class chosen: the run is refused
    desk.dialogs().answer(kOk);
    desk.click(16);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kBadClassNames);
    EXPECT_FALSE(desk.menu->classData().exports.ExportExcelFlag);
    desk.pick("أول-1");
    desk.click(2);
    EXPECT_EQ(desk.previews().size(), 1u);
    EXPECT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_TRUE(QDir(user.desktop()).entryList(QDir::Files).isEmpty());
}

// A class whose name holds ":" is exported alone, with either scope box.
TEST(NamesExportMenu, AClassWithSeparatorsInItsNameIsExportedAlone) {
    TestHome home;
    test::seedOddNamesSchool(home);
    test::finishProfile(home);
    UserFolders user(true);
    PrintDesk desk(home);
    desk.pick("أول-1:ب");
    for (QCheckBox* box : {desk.form.wholeGradeCheck, desk.form.wholeSchoolCheck}) {
        box->click();
        desk.dialogs().answer(kOk);
        desk.click(16);
        box->click();
        const QStringList files = QDir(user.desktop()).entryList(QDir::Files);
        ASSERT_EQ(files, QStringList({"أول-1:ب.xlsx"}));
        const pugi::xml_document sheet =
            xmlPart(QDir(user.desktop()).filePath(files[0]), "xl/worksheets/sheet1.xml");
        EXPECT_EQ(namesIn(sheet, 12, 14), QStringList({"فهد \"الصغير\"", "ماجد %1 %", ""}));
        EXPECT_TRUE(desk.jobs().isEmpty());
        EXPECT_TRUE(desk.previews().empty());
        EXPECT_EQ(desk.form.classPicker->currentText(), "أول-1:ب");
        QFile::remove(QDir(user.desktop()).filePath(files[0]));
    }
    EXPECT_EQ(desk.dialogs().shown.size(), 2u);
}
