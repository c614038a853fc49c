#include "StudentsTestSupport.h"
#include "students/NoorImport.h"

#include <gtest/gtest.h>

using namespace sijill::students;
using sijill::test::databaseBytes;
using sijill::test::fixture;
using sijill::test::studentRows;
using sijill::test::TestHome;

namespace {

ImportOutcome importFile(const QString& path, bool goOnWithoutMark = false) {
    ImportHooks hooks;
    hooks.goOnWithoutMark = [goOnWithoutMark] { return goOnWithoutMark; };
    return importStudentsWorkbook(path, hooks);
}

class WorkbookDamage : public ::testing::Test {
protected:
    void SetUp() override {
        sijill::test::useBuiltReader();
        sijill::test::seedOldSchool(home);
    }
    TestHome home;
};

} // namespace

// A sheet cut short or promising more than it holds is refused, naming the
// file and the sheet, and not one byte of the databases changes.
TEST_F(WorkbookDamage, CutAndInconsistentSheetsAreRefused) {
    const auto before = databaseBytes(home);
    for (const char* name :
         {"damaged-cut-rows.xls", "damaged-cut-cell.xls", "damaged-cut-header.xls",
          "damaged-cut-noeof.xls", "damaged-dropped.xls", "damaged-dimension.xls"}) {
        const ImportOutcome out = importFile(fixture(name), true);
        EXPECT_EQ(out.result, ImportOutcome::Result::Refused) << name;
        EXPECT_TRUE(out.message.contains(QStringLiteral("تالف"))) << out.message.toStdString();
        EXPECT_TRUE(out.message.contains(QString::fromLatin1(name))) << name;
        EXPECT_TRUE(out.message.contains(QStringLiteral("Sheet2"))) << out.message.toStdString();
        EXPECT_TRUE(out.message.contains(QStringLiteral("بيانات المدرسة باقية كما كانت"))) << name;
        EXPECT_TRUE(databaseBytes(home) == before) << name;
    }
}

// Formatted empty cells below the students reach the sheet's declared size:
// no damage. So are a stream name in capitals and a small stream kept in
// mini sectors. Each imports exactly what the plain workbook does.
TEST_F(WorkbookDamage, SoundWorkbooksOfOtherShapesImportTheSameStudents) {
    ASSERT_EQ(importFile(fixture("students.xls")).result, ImportOutcome::Result::Imported);
    const QStringList expected = studentRows();
    ASSERT_EQ(expected.size(), 15);
    for (const char* name :
         {"students-blanktail.xls", "students-capitals.xls", "students-ministream.xls"}) {
        const ImportOutcome out = importFile(fixture(name));
        EXPECT_EQ(out.result, ImportOutcome::Result::Imported) << out.message.toStdString();
        EXPECT_EQ(studentRows(), expected) << name;
    }
}

// Columns D, E and F written as formulas: the values Excel stored for them are
// imported; a student's name whose stored value is an error (#N/A) refuses
// the file, naming the cell.
TEST_F(WorkbookDamage, FormulaCellsGiveTheirStoredValues) {
    ASSERT_EQ(importFile(fixture("students.xls")).result, ImportOutcome::Result::Imported);
    const QStringList expected = studentRows();
    sijill::test::seedOldSchool(home);
    const ImportOutcome out = importFile(fixture("students-formulas.xls"));
    ASSERT_EQ(out.result, ImportOutcome::Result::Imported) << out.message.toStdString();
    EXPECT_EQ(studentRows(), expected);

    const auto before = databaseBytes(home);
    const ImportOutcome bad = importFile(fixture("students-formula-error.xls"));
    EXPECT_EQ(bad.result, ImportOutcome::Result::Refused);
    EXPECT_TRUE(bad.message.contains(QStringLiteral("E7"))) << bad.message.toStdString();
    EXPECT_TRUE(bad.message.contains(QStringLiteral("Sheet2"))) << bad.message.toStdString();
    EXPECT_TRUE(databaseBytes(home) == before);
}
