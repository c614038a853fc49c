#include "students/Workbook.h"
#include "StudentsTestSupport.h"
#include "students/WorkbookReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
