#include "students/NoorImport.h"
#include "StudentsTestSupport.h"
#include "data/Connection.h"
#include "platform/AppState.h"
#include "platform/BidiText.h"
#include "shell/ShellTestSupport.h"
#include "students/StudentsImportWindow.h"
#include "support/EnvScope.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::students;
using sijill::test::classRows;
using sijill::test::ExitRecorder;
using sijill::test::fixture;
using sijill::test::ScriptedDialogs;
using sijill::test::ScriptedScope;
using sijill::test::studentRows;
using sijill::test::TestHome;

namespace {

class NoorImport : public ::testing::Test {
protected:
    void SetUp() override { sijill::test::useBuiltReader(); }
    TestHome home;
};

ImportOutcome runImport(const QString& file, bool goOn = false, int* asked = nullptr) {
    ImportHooks hooks;
    hooks.goOnWithoutMark = [&] {
        if (asked)
            ++*asked;
        return goOn;
    };
    return importStudentsWorkbook(fixture(file), hooks);
}

QStringList classOf(const QString& grade, const QString& cls) {
    return sijill::test::tableRows(
        "MyDatabase.db", QStringLiteral("SELECT d0, d1 FROM T1 WHERE d6 = '%1' AND d7 = '%2' "
                                        "ORDER BY d0")
                             .arg(grade, cls));
}

} // namespace

TEST(NoorRules, CleanUpsAndGradeWords) {
    EXPECT_EQ(cleanClassCode("01    الصف  الأول"), "01 الصف الأول");
    EXPECT_EQ(plainAlef("آدم أحمد إبراهيم"), "ادم احمد ابراهيم");
    EXPECT_EQ(storedName("  2سامر 13 "), "أسامر اإ");
    EXPECT_EQ(storedName("0"), "آ");
    EXPECT_EQ(examFlag("أسامر"), "1");
    EXPECT_EQ(examFlag("-5 x"), "0");
    EXPECT_EQ(examFlag("45"), "1");
    EXPECT_EQ(examFlag(""), "1");
    EXPECT_EQ(gradeWord(0), "");
    EXPECT_EQ(gradeWord(4), "رابع");
    EXPECT_EQ(gradeNumberOfCode("04 الصف"), 4);
    EXPECT_EQ(gradeNumberOfCode("00"), 0);
    EXPECT_EQ(gradeNumberOfCode("6"), 6);
    EXPECT_FALSE(gradeNumberOfCode("07 الصف"));
    EXPECT_FALSE(gradeNumberOfCode("ab"));
    EXPECT_FALSE(gradeNumberOfCode("-1"));
    EXPECT_EQ(gradeOrder("سادس"), 6);
    EXPECT_FALSE(gradeOrder("سابع"));
    EXPECT_EQ(classOrder("سادس"), 6);
    EXPECT_EQ(classOrder(""), 0); // grade "00", wherever its class stands
    EXPECT_EQ(twoDigits(7), "07");
    EXPECT_EQ(twoDigits(100), "100");
}

TEST(NoorRules, NumberingRunsPerClassInNameOrder) {
    // Two classes interleaved, one of them under two spellings of its code.
    const std::vector<WorkbookStudent> rows = {
        {5, "01 أ", "2", "زياد", "5", ""},   {6, "01 أ", "1", "يوسف", "1", ""},
        {7, "01  أ", "2", "بدر", "6", ""},   {8, "01 أ", "1", "احمد", "2", ""},
        {9, "01   أ", "1", "خالد", "3", ""}, {10, "03 ب", "1", "عمر", "9", ""},
    };
    const std::vector<ImportedStudent> out = numberStudents(rows);
    ASSERT_EQ(out.size(), rows.size());
    QStringList got;
    for (const ImportedStudent& s : out)
        got << s.d6 + "-" + s.d7 + ":" + s.d0 + ":" + s.d1;
    EXPECT_EQ(got, QStringList({"أول-1:01:احمد", "أول-1:02:خالد", "أول-1:03:يوسف", "أول-2:01:بدر",
                                "أول-2:02:زياد", "ثالث-1:01:عمر"}));
}

namespace {
// A workbook whose "Sheet2" holds the given rows from row 5: C, D, E, F.
Workbook bookOf(const std::vector<std::array<QString, 4>>& rows) {
    Workbook book;
    book.sheets.emplace_back("Sheet1");
    book.sheets.emplace_back("Sheet2");
    int row = 5;
    for (const auto& r : rows) {
        for (int c = 0; c < 4; ++c)
            book.sheets.back().setText(row, col('C') + c, r[c]);
        ++row;
    }
    return book;
}
} // namespace

TEST(NoorRules, EveryRowIsCheckedAndARefusalNamesRowColumnAndValue) {
    struct Case {
        QString cls, code, name;
        QString says;
    };
    const QString place = QStringLiteral("الخانة %1 من السطر 6 في الورقة");
    for (const Case& c :
         {Case{"", "01 أ", "خالد", place.arg('C')}, Case{"ب", "01 أ", "خالد", place.arg('C')},
          Case{"1.5", "01 أ", "خالد", place.arg('C')}, Case{"-1", "01 أ", "خالد", place.arg('C')},
          Case{"1", "07 أ", "خالد", place.arg('D')}, Case{"1", "01 أ", "  ", place.arg('E')}}) {
        const StudentRows rows =
            readStudentRows(bookOf({{"1", "01 أ", "احمد", "1"}, {c.cls, c.code, c.name, "2"}}));
        EXPECT_TRUE(rows.rows.empty());
        EXPECT_TRUE(rows.error.contains(c.says)) << rows.error.toStdString();
        EXPECT_TRUE(rows.error.contains("Sheet2"));
        if (!c.cls.isEmpty() && c.says.contains('C')) {
            EXPECT_TRUE(rows.error.contains("\"" + platform::isolate(c.cls) + "\""))
                << rows.error.toStdString();
        }
        EXPECT_TRUE(rows.error.contains("لم يتغير شيء"));
    }

    // An error value (a formula's "#N/A") refuses the row where the import
    // needs the cell, and is no matter in the unused column B.
    CellValue error;
    error.type = CellValue::Type::Error;
    error.text = QStringLiteral("#N/A");
    Workbook withError = bookOf({{"1", "01 أ", "احمد", "1"}, {"1", "01 أ", "خالد", "2"}});
    withError.sheets.back().setValue(6, col('B'), error);
    EXPECT_EQ(readStudentRows(withError).rows.size(), 2u);
    withError.sheets.back().setValue(6, col('F'), error);
    const StudentRows refused = readStudentRows(withError);
    EXPECT_TRUE(refused.rows.empty());
    EXPECT_TRUE(refused.error.contains(platform::isolate("F6")) &&
                refused.error.contains(platform::isolate("#N/A")))
        << refused.error.toStdString();

    // Arabic-Indic digits are the same digits in the class, the code and the
    // civil-registry number; a passport number is kept; names keep theirs.
    const StudentRows ok = readStudentRows(
        bookOf({{"٢", "٠٣ ب", "علي ٣", "١٢٣٤٥٦٧٨٩٠"}, {" 12 ", "03 ب", "سعد", "A1234567"}}));
    ASSERT_TRUE(ok.error.isEmpty()) << ok.error.toStdString();
    ASSERT_EQ(ok.rows.size(), 2u);
    EXPECT_EQ(ok.rows[0].cls, "2");
    EXPECT_EQ(ok.rows[0].classCode, "03 ب");
    EXPECT_EQ(ok.rows[0].civil, "1234567890");
    EXPECT_EQ(ok.rows[0].name, "علي ٣");
    EXPECT_EQ(ok.rows[1].cls, "12");
    EXPECT_EQ(ok.rows[1].civil, "A1234567");
}

TEST_F(NoorImport, ArabicIndicDigitsMakeOneClassWithTheLatinOnes) {
    const ImportOutcome out = runImport("students-indic.xls");
    ASSERT_EQ(out.result, ImportOutcome::Result::Imported) << out.message.toStdString();
    EXPECT_EQ(classOf("أول", "1"), QStringList({"01|سعد ناصر", "02|ناصر سعد"}));
    EXPECT_EQ(classOf("رابع", "2"), QStringList({"01|علي ٣ يوسف", "02|يوسف علي"}));
    EXPECT_EQ(sijill::test::tableRows("MyDatabase.db", "SELECT d3 FROM T1 ORDER BY d3"),
              QStringList({"1023456780", "1023456789", "2000000001", "A12345678"}));
    EXPECT_EQ(classRows(), QStringList({"ابتدائي|أول|1|1", "ابتدائي|رابع|2|4"}));
}

TEST_F(NoorImport, ImportsTheWorkbookNumberedAndCleaned) {
    sijill::test::seedOldSchool(home);
    int asked = 0;
    const ImportOutcome out = runImport("students.xls", false, &asked);
    ASSERT_EQ(out.result, ImportOutcome::Result::Imported) << out.message.toStdString();
    EXPECT_EQ(asked, 0);
    // Rows 5 to 19; the row after the empty cell of column D is not read.
    EXPECT_EQ(out.students, 15);
    EXPECT_EQ(studentRows().size(), 15);
    EXPECT_EQ(
        classOf("أول", "1"),
        QStringList({"01|أسامر", "02|ابراهيم خالد", "03|احمد سالم", "04|ادم سعد", "05|خالد عمر",
                     "06|عمر حسن", "07|فهد ماجد", "08|ماجد سعيد", "09|نايف بندر", "10|يوسف علي"}));
    // Class 2 spans two spellings of its code and is numbered as one run.
    const QStringList second = classOf("أول", "2");
    ASSERT_EQ(second.size(), 3);
    EXPECT_TRUE(second[0].startsWith("01|") && second[1].startsWith("02|") &&
                second[2].startsWith("03|"));
    EXPECT_TRUE(second.join(",").contains("|سامي محمد")); // trimmed
    EXPECT_EQ(classOf("رابع", "1"), QStringList({"01|طلال منصور", "02|هشام وليد"}));

    for (const QString& row : studentRows()) {
        const QStringList f = row.split('|');
        EXPECT_EQ(f[2], "0");
        EXPECT_EQ(f[4], "1");
        EXPECT_EQ(f[5], "الابتدائي");
        EXPECT_EQ(f[8], "0");
        EXPECT_FALSE(f[3].contains('.')) << f[3].toStdString();
    }
    EXPECT_EQ(
        sijill::test::tableRows("MyDatabase.db", "SELECT count(*) FROM T1 WHERE d3 = '1000000010'"),
        QStringList{"1"});
    EXPECT_EQ(classRows(), QStringList({"ابتدائي|أول|1|1", "ابتدائي|رابع|1|4", "ابتدائي|أول|2|1"}));
}

TEST_F(NoorImport, TheMarkQuestionComesFirstAndOnlyOkGoesOn) {
    sijill::test::seedOldSchool(home);
    const QStringList oldStudents = studentRows(), oldClasses = classRows();
    int asked = 0;
    ImportOutcome out = runImport("students-nomark.xls", false, &asked);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(out.result, ImportOutcome::Result::Cancelled);
    EXPECT_EQ(studentRows(), oldStudents);
    EXPECT_EQ(classRows(), oldClasses);

    out = runImport("students-nomark.xls", true, &asked);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(out.result, ImportOutcome::Result::Imported);
    EXPECT_EQ(studentRows().size(), 3);
    EXPECT_EQ(classRows(), QStringList({"ابتدائي|أول|1|1", "ابتدائي|أول|2|1"}));
}

TEST_F(NoorImport, RefusedWorkbooksLeaveEverythingAsItWas) {
    sijill::test::seedOldSchool(home);
    const QStringList oldStudents = studentRows(), oldClasses = classRows();
    struct Case {
        const char* file;
        const char* says;
    };
    const char* const kNotNoor = "فهو ليس ملف الطلاب المصدر من نظام نور.";
    for (const Case& c :
         {Case{"students-badcode.xls", "السطر 9"}, Case{"students-norows.xls", "السطر 5"},
          Case{"students-nosheet2.xls", "Sheet2"}, Case{"students-badclass.xls", "السطر 7"},
          Case{"damaged-truncated.xls", "تالف"}, Case{"damaged-xlsx.xls", "xlsx"},
          Case{"damaged-html.xls", "HTML"}, Case{"nothing-here.xls", "غير موجود"},
          // Sound workbooks of other shapes, some with their last cells one
          // past the size their writer declared.
          Case{"xls-corpus/14460.xls", kNotNoor}, Case{"xls-corpus/3dFormulas.xls", kNotNoor},
          Case{"xls-corpus/SimpleWithColours.xls", kNotNoor},
          Case{"xls-corpus/issue20.xls", kNotNoor}}) {
        const ImportOutcome out = runImport(c.file, true);
        EXPECT_EQ(out.result, ImportOutcome::Result::Refused) << c.file;
        EXPECT_TRUE(out.message.contains(QString::fromUtf8(c.says))) << out.message.toStdString();
        EXPECT_TRUE(out.message.contains("لم يتغير شيء")) << c.file;
        EXPECT_EQ(studentRows(), oldStudents) << c.file;
        EXPECT_EQ(classRows(), oldClasses) << c.file;
    }
}

TEST_F(NoorImport, AnImportReplacesAnEarlierOne) {
    ASSERT_EQ(runImport("students.xls").result, ImportOutcome::Result::Imported);
    ASSERT_EQ(runImport("students-other.xls").result, ImportOutcome::Result::Imported);
    EXPECT_EQ(studentRows().size(), 3);
    // A code of grade 00 has no grade word; its classes have the order 0.
    EXPECT_EQ(classRows(), QStringList({"ابتدائي||1|0", "ابتدائي|ثاني|1|2", "ابتدائي|ثاني|3|2"}));
}

namespace {
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

// A database another program holds is busy, not damaged, and is named.
TEST_F(NoorImport, ALockedDatabaseIsToldAsBusyNamingItsFile) {
    sijill::test::seedOldSchool(home);
    for (const QString& file : {QStringLiteral("MyDatabase.db"), QStringLiteral("Schedual.db")}) {
        const QByteArray students = bytesOf(home.database("MyDatabase.db"));
        const QByteArray classes = bytesOf(home.database("Schedual.db"));
        data::Connection other(home.database(file));
        other.execute("BEGIN EXCLUSIVE");
        const ImportOutcome out = runImport("students.xls");
        other.execute("ROLLBACK");
        EXPECT_EQ(out.result, ImportOutcome::Result::Refused) << file.toStdString();
        EXPECT_TRUE(out.message.contains(platform::shownPath(file))) << out.message.toStdString();
        EXPECT_TRUE(out.message.contains("برنامج آخر")) << out.message.toStdString();
        EXPECT_TRUE(out.message.contains("أغلق ذلك البرنامج"));
        EXPECT_FALSE(out.message.contains("تالف"));
        EXPECT_EQ(bytesOf(home.database("MyDatabase.db")), students);
        EXPECT_EQ(bytesOf(home.database("Schedual.db")), classes);
    }
    // Another program that only writes to the class table stops the import
    // half-way through its transaction: still busy, still that file.
    data::Connection other(home.database("Schedual.db"));
    other.execute("BEGIN IMMEDIATE");
    const ImportOutcome out = runImport("students.xls");
    other.execute("ROLLBACK");
    EXPECT_TRUE(out.message.contains(platform::shownPath("Schedual.db")))
        << out.message.toStdString();
    EXPECT_TRUE(out.message.contains("برنامج آخر"));
    EXPECT_EQ(studentRows().size(), 3);
}

// A damaged class table is told under its own file's name.
TEST_F(NoorImport, ADamagedScheduleDatabaseIsNamedAsSuch) {
    sijill::test::seedOldSchool(home);
    const QString sched = home.database("Schedual.db");
    const QByteArray students = bytesOf(home.database("MyDatabase.db"));
    const int root = sijill::test::tableRows(
                         "Schedual.db", "SELECT rootpage FROM sqlite_master WHERE name = 'grades'")
                         .value(0)
                         .toInt();
    const int pageSize =
        sijill::test::tableRows("Schedual.db", "PRAGMA page_size").value(0).toInt();
    ASSERT_GT(root, 1);
    QByteArray bytes = bytesOf(sched);
    bytes.replace((root - 1) * pageSize, 16, QByteArray(16, '\xEE')); // the table's page header
    QFile f(sched);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();

    ImportOutcome out = runImport("students.xls");
    EXPECT_EQ(out.result, ImportOutcome::Result::Refused);
    EXPECT_TRUE(out.message.contains(platform::shownPath("Schedual.db")))
        << out.message.toStdString();
    EXPECT_TRUE(out.message.contains("تالف"));
    EXPECT_FALSE(out.message.contains("MyDatabase"));
    EXPECT_EQ(bytesOf(home.database("MyDatabase.db")), students);

    // A file that is no database at all, attached: the same.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(8192, 'x'));
    f.close();
    out = runImport("students.xls");
    EXPECT_TRUE(out.message.contains(platform::shownPath("Schedual.db")))
        << out.message.toStdString();
    EXPECT_TRUE(out.message.contains("تالف"));
    EXPECT_EQ(bytesOf(home.database("MyDatabase.db")), students);
}

TEST_F(NoorImport, AFailedWriteChangesNothing) {
    sijill::test::seedOldSchool(home);
    const QStringList oldStudents = studentRows(), oldClasses = classRows();
    // The class table cannot take rows: the students must not go either.
    home.exec("Schedual.db", "CREATE TRIGGER no_more BEFORE INSERT ON grades "
                             "BEGIN SELECT RAISE(ABORT, 'full'); END;");
    const ImportOutcome out = runImport("students.xls");
    EXPECT_EQ(out.result, ImportOutcome::Result::Refused);
    EXPECT_FALSE(out.message.isEmpty());
    EXPECT_EQ(studentRows(), oldStudents);
    EXPECT_EQ(classRows(), oldClasses);
}

// The window: success is told after both tables are written, then the
// program ends; every other end leaves the window usable.
TEST_F(NoorImport, WindowTellsSuccessAfterTheClassTableAndEnds) {
    sijill::test::seedOldSchool(home);
    ExitRecorder exit;
    ScriptedScope scope;
    struct Recording : platform::SystemMessagePresenter {
        QStringList seen;
        QMessageBox::StandardButton show(const platform::SystemMessage& m) override {
            seen << m.text + "#" + QString::number(classRows().size()) + "#" +
                        QString::number(sijill::test::studentRows().size());
            return QMessageBox::Ok;
        }
    };
    auto rec = std::make_shared<Recording>();
    auto previous = platform::setSystemMessagePresenter(rec);
    StudentsImportWindow w;
    w.setPath(fixture("students.xls"));
    w.startImportButton->click();
    platform::setSystemMessagePresenter(previous);
    EXPECT_EQ(rec->seen, QStringList{"تم مسح جميع البيانات السابقة واستبدالها #3#15"});
    EXPECT_EQ(exit.code, 0);
    EXPECT_TRUE(scope.dialogs().shown.empty());
}

// A slow reader (a script that waits, then runs the real one): the window
// keeps answering meanwhile, while its start button and its close do nothing.
TEST_F(NoorImport, WindowKeepsAnsweringWhileTheReaderRuns) {
    sijill::test::seedOldSchool(home);
    QTemporaryDir dir;
    const QString script = dir.filePath("slow-reader");
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nsleep 1.5\nexec '" SIJILL_XLS_READER_PATH "' \"$@\"\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setReaderProgram({});
    sijill::test::EnvScope reader("SIJILL_XLS_READER", script.toUtf8());
    ExitRecorder exit;
    ScriptedScope scope;
    StudentsImportWindow w;
    w.show();
    w.setPath(fixture("students.xls"));

    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    bool waitShown = false, closeRefused = false, stillOpen = false;
    QTimer::singleShot(600, [&] {
        waitShown = w.waitPanel->isVisible() && !w.waitPanel->grab().isNull();
        w.startImportButton->click();
        sijill::test::leftClick(w.closePicture);
        closeRefused = !w.close();
        stillOpen = w.isVisible();
    });
    w.startImportButton->click();
    EXPECT_GE(ticks, 10);
    EXPECT_TRUE(waitShown);
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(stillOpen);
    // One import, told once, after the reader had finished.
    EXPECT_EQ(exit.code, 0);
    EXPECT_EQ(studentRows().size(), 15);
    ASSERT_EQ(scope.systemShown.size(), 1u);
    EXPECT_EQ(scope.systemShown[0].text, "تم مسح جميع البيانات السابقة واستبدالها ");
}

TEST_F(NoorImport, WindowReturnsUsableAfterCancelRefusalOrClose) {
    sijill::test::seedOldSchool(home);
    const QStringList oldStudents = studentRows();
    ExitRecorder exit;
    ScriptedScope scope;
    StudentsImportWindow w;
    w.show();
    w.setPath(fixture("students-nomark.xls"));
    for (const QString& answer : {QStringLiteral("إلغاء"), ScriptedDialogs::kClose}) {
        scope.dialogs().answer(answer);
        w.startImportButton->click();
        ASSERT_FALSE(scope.dialogs().shown.empty());
        EXPECT_EQ(scope.dialogs().shown.back().text, " هذا الملف غير صالح هل تريد الاستمرار ");
        EXPECT_EQ(scope.dialogs().shown.back().mode, 2);
        EXPECT_FALSE(w.waitPanel->isVisible());
        EXPECT_TRUE(w.statusLabel->text().isEmpty());
        EXPECT_EQ(studentRows(), oldStudents);
    }
    w.setPath(fixture("students-badcode.xls"));
    w.startImportButton->click();
    EXPECT_EQ(scope.dialogs().shown.back().style, 1);
    EXPECT_TRUE(scope.dialogs().shown.back().text.contains("السطر 9"));
    EXPECT_FALSE(w.waitPanel->isVisible());
    EXPECT_TRUE(w.statusLabel->text().isEmpty());
    EXPECT_FALSE(exit.code);
    EXPECT_EQ(studentRows(), oldStudents);
    EXPECT_TRUE(scope.systemShown.empty());
}

TEST_F(NoorImport, WindowWithoutAPathSaysSoAndCloses) {
    sijill::test::seedOldSchool(home);
    const QStringList oldStudents = studentRows();
    ScriptedScope scope;
    bool chooserPictureHidden = false;
    StudentsImportWindow::setEmptyPathAction([&] { chooserPictureHidden = true; });
    auto* w = new StudentsImportWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<StudentsImportWindow> alive(w);
    w->show();
    w->setPath(QString());
    w->startImportButton->click();
    StudentsImportWindow::setEmptyPathAction({});
    ASSERT_EQ(scope.systemShown.size(), 1u);
    EXPECT_EQ(scope.systemShown[0].title, "خطأ في تحديد اسم الملف");
    EXPECT_EQ(scope.systemShown[0].text, "لم تحدد اسم الملف");
    EXPECT_TRUE(chooserPictureHidden);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(studentRows(), oldStudents);
}
