#include "students/Workbook.h"
#include "StudentsTestSupport.h"
#include "students/WorkbookReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace sijill::students;
using sijill::test::fixture;

namespace {

CellValue number(double v) {
    CellValue c;
    c.type = CellValue::Type::Double;
    c.number = v;
    return c;
}

class WorkbookReading : public ::testing::Test {
protected:
    void SetUp() override { sijill::test::useBuiltReader(); }
    void TearDown() override { sijill::test::useBuiltReader(); }
};

QString script(const QTemporaryDir& dir, const char* name, const QByteArray& body) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(CellText, StoredValuesAsText) {
    EXPECT_EQ(cellText({}), "");
    EXPECT_EQ(cellText(number(1000000010.0)), "1000000010");
    EXPECT_EQ(cellText(number(3.0)), "3");
    EXPECT_EQ(cellText(number(-4.0)), "-4");
    EXPECT_EQ(cellText(number(4.5)), "4.5");
    EXPECT_EQ(cellText(number(0.1 + 0.2)), "0.3");
    CellValue i;
    i.type = CellValue::Type::Integer;
    i.integer = 12;
    EXPECT_EQ(cellText(i), "12");
    CellValue t;
    t.type = CellValue::Type::Text;
    t.text = QStringLiteral(" 01  نص ");
    EXPECT_EQ(cellText(t), " 01  نص ");
}

TEST(Sniffing, NamesWhatAFileIs) {
    EXPECT_EQ(sniffFile(fixture("students.xls")), FileKind::Xls);
    EXPECT_EQ(sniffFile(fixture("damaged-xlsx.xls")), FileKind::Xlsx);
    EXPECT_EQ(sniffFile(fixture("damaged-html.xls")), FileKind::Html);
    EXPECT_EQ(sniffFile(fixture("damaged-xml.xls")), FileKind::Xml);
    EXPECT_EQ(sniffFile(fixture("no-such-file.xls")), FileKind::Missing);
    QTemporaryDir dir;
    QFile empty(dir.filePath("empty.xls"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(sniffFile(empty.fileName()), FileKind::Empty);
    QFile text(dir.filePath("text.xls"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("name,number\n");
    text.close();
    EXPECT_EQ(sniffFile(text.fileName()), FileKind::Unknown);
    // Excel 2.x-4.0: bare records, told as an older format to save again.
    const QString excel4 = fixture("xls-corpus/testEXCEL_4.xls");
    EXPECT_EQ(sniffFile(excel4), FileKind::OldXls);
    EXPECT_TRUE(fileKindMessage(FileKind::OldXls, excel4).contains("Excel 97-2003"));
}

TEST_F(WorkbookReading, ReadsTheNamedSheets) {
    const WorkbookRead r = readWorkbook(fixture("students.xls"), {"Sheet1", "sheet2", "Other"});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    ASSERT_EQ(r.book.sheets.size(), 2u);
    const Sheet* info = r.book.sheet("Sheet1");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->text(3, col('B')), "School Info");
    const Sheet* list = r.book.sheet("Sheet2");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(r.book.sheet("SHEET2"), list);          // as Excel names sheets, whatever their case
    EXPECT_EQ(list->text(5, col('C')), "1");          // a number cell
    EXPECT_EQ(list->text(5, col('F')), "1000000010"); // no ".0"
    EXPECT_EQ(list->text(5, col('E')), "يوسف علي");
    EXPECT_EQ(list->text(8, col('D')), "01  الصف  الأول"); // blanks kept as stored
    EXPECT_EQ(list->text(19, col('F')), "1000000402");     // a text cell
    EXPECT_EQ(list->text(5, col('Z')), "");
}

TEST_F(WorkbookReading, RefusesFilesThatAreNoXlsWorkbook) {
    struct Case {
        const char* file;
        const char* named;
    };
    for (const Case& c : {Case{"damaged-xlsx.xls", "xlsx"}, Case{"damaged-html.xls", "HTML"},
                          Case{"damaged-xml.xls", "XML"}, Case{"damaged-truncated.xls", "تالف"},
                          Case{"missing.xls", "غير موجود"}}) {
        const WorkbookRead r = readWorkbook(fixture(c.file), {"Sheet1"});
        EXPECT_FALSE(r.ok) << c.file;
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.named))) << r.error.toStdString();
        EXPECT_TRUE(r.book.sheets.empty());
        // The file name is isolated left to right, so the message shows it whole.
        EXPECT_TRUE(r.error.contains(QChar(0x2066) + QString::fromUtf8(c.file) + QChar(0x2069)))
            << r.error.toStdString();
    }
    EXPECT_TRUE(quotedSheetName("Sheet1") == QString(QChar(0x2068)) + "\"Sheet1\"" + QChar(0x2069));
}

TEST_F(WorkbookReading, ACrashingOrStalledReaderIsADamagedFile) {
    QTemporaryDir dir;
    const QString crash = script(dir, "crash.sh", "echo 'SIJILL-XLS 1'; kill -SEGV $$");
    const QString stall = script(dir, "stall.sh", "echo 'SIJILL-XLS 1'; exec sleep 30");
    const QString cut = script(dir, "cut.sh", "printf 'SIJILL-XLS 1\\nSHEET\\tSheet1\\n'");

    setReaderProgram(crash);
    WorkbookRead r = readWorkbook(fixture("students.xls"), {"Sheet1"});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("تالف")) << r.error.toStdString();

    setReaderProgram(cut); // stopped before END: never taken as a whole workbook
    r = readWorkbook(fixture("students.xls"), {"Sheet1"});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.book.sheets.empty());

    setReaderProgram(stall);
    setReaderTimeLimitMs(300);
    QElapsedTimer t;
    t.start();
    r = readWorkbook(fixture("students.xls"), {"Sheet1"});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("تالف"));
    EXPECT_LT(t.elapsed(), 10000);

    setReaderProgram(dir.filePath("no-such-reader"));
    r = readWorkbook(fixture("students.xls"), {"Sheet1"});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("sijill-xls-reader"));
}

// Public workbooks written by real programs, each beside the cells an
// independent reader finds in it (fixtures/xls-corpus/README.md). Every
// Excel 97-2003 workbook that reader reads is read with the same cells, but
// for the few named below, each refused by the rule of the format it breaks;
// an older workbook is told as older; none makes the reader crash.
TEST(XlsCorpus, WorkbooksAreReadAsAnIndependentReaderReadsThemOrRefusedByARule) {
    const QString dir = fixture("xls-corpus/");
    QFile index(dir + "index.tsv");
    ASSERT_TRUE(index.open(QIODevice::ReadOnly | QIODevice::Text));
    index.readLine();
    const std::map<QString, QString> refusedBy{
        {"48325.xls", "the last declared row holds nothing"},
        {"BOOK_in_capitals.xls", "a cell outside the sheet's declared size"},
        {"WrongFormulaRecordType.xls", "a cell outside the sheet's declared size"},
        {"bug_42794.xls", "a record of no type the format knows: 52"},
    };
    std::map<QString, QString> refused;
    int readable = 0;
    while (!index.atEnd()) {
        const QStringList entry = QString::fromUtf8(index.readLine()).trimmed().split('\t');
        ASSERT_EQ(entry.size(), 4);
        const QString& name = entry[0];
        QProcess reader;
        reader.start(QStringLiteral(SIJILL_XLS_READER_PATH), {dir + name});
        ASSERT_TRUE(reader.waitForFinished(20000)) << name.toStdString();
        ASSERT_EQ(reader.exitStatus(), QProcess::NormalExit) << name.toStdString();
        const QList<QByteArray> lines = reader.readAllStandardOutput().split('\n');
        QStringList fault;
        std::map<std::tuple<QString, int, int>, std::pair<QString, QString>> got;
        QString sheet;
        for (const QByteArray& raw : lines) {
            const QStringList f = QString::fromUtf8(raw).split('\t');
            if (f[0] == "FAULT")
                fault = f;
            else if (f[0] == "SHEET")
                sheet = f.value(1);
            else if (f[0] == "C" && f.size() == 5)
                got[{sheet, f[1].toInt(), f[2].toInt()}] = {f[3], f[4]};
        }
        const std::string what = name.toStdString() + ": " + fault.join(' ').toStdString();
        EXPECT_EQ(reader.exitCode(), fault.isEmpty() ? 0 : 2) << what;
        if (entry[1] != "read")
            continue; // unreadable to the other reader too: no crash is all
        if (entry[2] != "80") {
            EXPECT_EQ(fault.value(1), "OLD") << what;
            continue;
        }
        ++readable;
        if (!fault.isEmpty()) {
            EXPECT_TRUE(fault.value(1) == "DAMAGED" || fault.value(1) == "CELL") << what;
            refused[name] = fault.value(5);
            continue;
        }
        QFile cells(dir + name + ".cells");
        ASSERT_TRUE(cells.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!cells.atEnd()) {
            // sheet index, sheet name, row, column, kind, value
            const QStringList c = QString::fromUtf8(cells.readLine()).chopped(1).split('\t');
            ASSERT_EQ(c.size(), 6) << name.toStdString();
            const auto key = std::make_tuple(c[1], c[2].toInt(), c[3].toInt());
            const auto at = got.find(key);
            const std::string cell = what + c.join(' ').toStdString();
            if (c[4] == "T" && c[5].isEmpty()) {
                EXPECT_TRUE(at == got.end()) << cell;
                continue;
            }
            ASSERT_TRUE(at != got.end()) << cell;
            const auto [type, value] = at->second;
            got.erase(at);
            if (c[4] == "N")
                EXPECT_TRUE((type == "I" || type == "D") && value.toDouble() == c[5].toDouble())
                    << cell << " read " << value.toStdString();
            else if (c[4] == "B")
                EXPECT_EQ(value, c[5] == "1" ? "TRUE" : "FALSE") << cell;
            else
                EXPECT_EQ(value, c[5]) << cell; // texts as they are, errors as Excel shows them
        }
        EXPECT_TRUE(got.empty()) << what << " gives cells the other reader does not";
    }
    EXPECT_GT(readable, 150);
    EXPECT_EQ(refused, refusedBy);
}
