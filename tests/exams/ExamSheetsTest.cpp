#include "exams/ExamSheets.h"
#include "data/Connection.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamPrintMenu.h"
#include "exams/ExamWindowTest.h"
#include "exams/ExamsWiring.h"
#include "exams/SheetTexts.h"
#include "exams/SingleStudentChooser.h"
#include "platform/AppState.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>

namespace sijill::exams {
namespace {

const QString kFirst = QStringLiteral("الأولى");
const QString kSecond = QStringLiteral("الثانية");

ScheduleRow rec(const QString& grade, const QString& date, const QString& period,
                const QString& subject, const QString& time = QStringLiteral("8:00")) {
    ScheduleRow r;
    r.grade = grade;
    r.date = date;
    r.weekday = QStringLiteral("الأحد");
    r.period = period;
    r.subject = subject;
    r.time = time;
    return r;
}

QStringList lines(const report::ReportRowset& rows, int last) {
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r) {
        QStringList cells;
        for (int f = 0; f <= last; ++f)
            cells << rows.text(r, f);
        out << cells.join('|');
    }
    return out;
}

TEST(ExamSheetGrades, EachSheetRemovesItsOwnWords) {
    EXPECT_EQ(revisersSheetGrade("ثالث - شامل"), "ثالث");
    EXPECT_EQ(revisersSheetGrade("  خامس   القراّن الكريم "), "خامس");
    // The school sheet neither trims nor keeps a grade made only of removed words.
    EXPECT_EQ(schoolSheetGrade("عام - شامل"), " ");
    EXPECT_EQ(schoolSheetGrade("رابع  قسم علوم"), "رابع ");
    EXPECT_EQ(gradeSheetGrade("الأول المتوسط"), "الأول ");
    EXPECT_EQ(gradeSheetGrade("ثاني شعبة"), "ثاني شعبة");
    EXPECT_EQ(gradeSheetPairedGrade("ثاني شعبة"), "ثاني ");
    EXPECT_EQ(squeezeBlanks("a    b"), "a  b"); // one pass only
}

TEST(ExamScheduleSheetRows, PairsEachDaysPeriodsAndSkipsRowsWithoutSubject) {
    const std::vector<ScheduleRow> records = {
        rec("رابع", "1446/02/01", kFirst, "لغتي", "8:00"),
        rec("رابع", "1446/02/01", kSecond, "علوم", "10:00"),
        rec("رابع", "1446/02/02", kFirst, "رياضيات"),
        rec("رابع", "1446/02/02", kSecond, ""), // no subject: never printed
        rec("رابع", "1446/02/03", kFirst, ""),
        rec("رابع", "1446/02/03", kSecond, "فنية", "9:00"), // its day has no first period
    };
    EXPECT_EQ(
        lines(scheduleSheetRows(records, ScheduleSheet::Grade), 6),
        (QStringList{"رابع|1446/02/01|الأحد|لغتي|8:00|علوم|10:00",
                     "رابع|1446/02/02|الأحد|رياضيات|8:00||", "رابع|1446/02/03|الأحد|||فنية|9:00"}));
}

TEST(ExamScheduleSheetRows, SchoolSheetNeverCompletesAnotherGradesDay) {
    const std::vector<ScheduleRow> records = {
        rec("ثالث - عام", "1446/02/01", kFirst, "لغتي"),
        rec("رابع", "1446/02/01", kSecond, "علوم"),
        rec("رابع", "1446/02/01", kFirst, "دين"),
    };
    EXPECT_EQ(
        lines(scheduleSheetRows(records, ScheduleSheet::School), 6),
        (QStringList{"ثالث |1446/02/01|الأحد|لغتي|8:00||", "رابع|1446/02/01|الأحد|||علوم|8:00",
                     "رابع|1446/02/01|الأحد|دين|8:00||"}));
    EXPECT_EQ(scheduleSheetRows({}, ScheduleSheet::School).rowCount(), 0);
}

// Saves a grade as the editor does: two days of two periods, each cell named
// after the grade and the row.
void saveTwoDays(int position, const QString& grade) {
    ensureFirstRow(position, grade);
    for (int order = 1; order < 4; ++order)
        if (!findGradeRow(grade, order))
            addScheduleRow(position, grade, order);
    std::vector<SavedRow> rows;
    for (const ScheduleRow& r : loadGradeRows(grade))
        rows.push_back({r.id, r.order, r.order < 2 ? "الأحد" : "الاثنين",
                        r.order < 2 ? "1446/02/01" : "1446/02/02",
                        QString("%1 %2").arg(grade).arg(r.order), "8:00", "", ""});
    saveGradeSchedule(position, grade, rows);
}

// Keys that more than one grade's rows hold.
QStringList sharedKeys() {
    data::Connection c(data::Database::Schedule);
    const data::RecordSet rs = c.query(
        "SELECT D0 FROM T1 GROUP BY trim(D0) HAVING count(DISTINCT trim(D3)) > 1 ORDER BY 1");
    QStringList keys;
    for (int i = 0; i < rs.recordCount(); ++i)
        keys << rs.value(i, 0).toString();
    return keys;
}

// The grade of every line of the school sheet.
QStringList schoolSheetGrades() {
    QStringList grades;
    const report::ReportRowset rows =
        scheduleSheetRows(schoolSheetRecords(), ScheduleSheet::School);
    for (const QString& line : lines(rows, 6)) {
        EXPECT_EQ(line.count('|'), 6);
        EXPECT_FALSE(line.contains("||")) << line.toStdString(); // both periods on every line
        grades << line.section('|', 0, 0);
    }
    return grades;
}

// A new term's import, a class removed or added: the grade list changes
// between saves, and a grade saved at its new position never takes the key
// another grade's rows hold; rows stored under a shared key still print
// together.
TEST(ExamScheduleKeys, AChangedGradeListNeverInterleavesTheSchoolSheet) {
    test::TestHome home;
    const QStringList grades = {"ثالث", "خامس", "رابع", "سادس"};
    for (int i = 0; i < grades.size(); ++i)
        saveTwoDays(i + 1, grades[i]);
    // The list is now خامس, سادس, ثالث, رابع: سادس is saved second.
    saveTwoDays(2, "سادس");
    EXPECT_EQ(sharedKeys(), QStringList());
    EXPECT_EQ(schoolSheetGrades(),
              (QStringList{"ثالث", "ثالث", "خامس", "خامس", "رابع", "رابع", "سادس", "سادس"}));

    // Keys shared as they were stored before: رابع under ثالث's key, and one
    // of سادس's rows under خامس's.
    home.exec("Schedual.db", "UPDATE T1 SET D0 = '1' WHERE D3 = 'رابع'");
    home.exec("Schedual.db", "UPDATE T1 SET D0 = '2' WHERE D3 = 'سادس' AND F_Order = 1");
    EXPECT_EQ(sharedKeys(), (QStringList{"1", "2"}));
    EXPECT_EQ(schoolSheetGrades(),
              (QStringList{"ثالث", "ثالث", "رابع", "رابع", "خامس", "خامس", "سادس", "سادس"}));
    EXPECT_EQ(lines(scheduleSheetRows(gradeSheetRecords("سادس"), ScheduleSheet::Grade), 6),
              (QStringList{"سادس|1446/02/01|الأحد|سادس 0|8:00|سادس 1|8:00",
                           "سادس|1446/02/02|الاثنين|سادس 2|8:00|سادس 3|8:00"}));

    // Saving them parts them again, whatever their positions are now; a
    // new grade's first row takes a key of its own too.
    saveTwoDays(4, "رابع");
    saveTwoDays(2, "سادس");
    saveTwoDays(1, "أول");
    EXPECT_EQ(sharedKeys(), QStringList());
    EXPECT_EQ(schoolSheetGrades().size(), 10);
}

TEST(RevisersSheetRows, EveryRecordOnItsOwnLine) {
    ScheduleRow r = rec("ثالث - شامل", "1446/02/01", kSecond, "");
    r.corrector = "أحمد";
    const report::ReportRowset rows = revisersSheetRows({r});
    EXPECT_EQ(lines(rows, 7), (QStringList{"الأحد|1446/02/01|ثالث|الثانية||أحمد||"}));
}

// The program with a school of three grades, a filled profile and the
// exam-control window open; previews recorded.
class ExamSheets : public ExamWindowTest {
protected:
    void SetUp() override {
        ExamWindowTest::SetUp();
        platform::Clock::setToday(QDate(2024, 7, 11));
        for (const char* grade : {"ثالث", "خامس", "خامس مطور"})
            home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                             "VALUES ('ابتدائي', '%1', '1', 1)")
                                         .arg(grade));
        ASSERT_NO_FATAL_FAILURE(openExamWindow());
    }

    void add(const QString& position, const QString& grade, const QString& date,
             const QString& period, const QString& subject, const QString& corrector = {}) {
        home.exec("Schedual.db",
                  QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) VALUES "
                          "('%1', 'الأحد', '%2', '%3', '%4', '8:00', '%5', 'خالد', '%6', 0)")
                      .arg(position, date, grade, subject, corrector, period));
    }
    static void leftClick(QWidget* target) {
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
    }
    QStringList texts(const QString& control) const {
        QStringList out;
        for (const report::ReportPage& page : previews->shown.back().pages)
            for (const report::DrawnItem& item : page.items)
                if (item.kind == report::DrawnItem::Kind::Text &&
                    item.control.compare(control, Qt::CaseInsensitive) == 0)
                    out << item.text;
        return out;
    }
    QString first(const QString& control) const {
        const QStringList t = texts(control);
        return t.isEmpty() ? QString() : t.front();
    }
    // The column a detail field is printed in.
    QStringList column(const QString& field) const {
        const report::ReportLayout& l = report::layout(previews->shown.back().layoutName);
        for (const report::ReportControl& c : l.section(report::SectionRole::Detail).controls)
            if (c.dataField.compare(field, Qt::CaseInsensitive) == 0)
                return texts(c.name);
        return {};
    }

    std::shared_ptr<report::RecordingPreviewSink>& previews = sink_;
};

TEST_F(ExamSheets, WholeSchoolScheduleFromMenuItem0) {
    add("2", "خامس", "1446/02/02", kFirst, "علوم");
    add("1", "ثالث", "1446/02/01", kSecond, "لغتي");
    add("1", "ثالث", "1446/02/01", kFirst, "دين");
    w->onPrintMenuItemClicked(0);
    ASSERT_EQ(previews->shown.size(), 1u);
    EXPECT_EQ(previews->shown.back().layoutName, sheet_texts::kSchoolSheet);
    EXPECT_EQ(column("d0"), (QStringList{"ثالث", "خامس"}));
    EXPECT_EQ(column("d3"), (QStringList{"دين", "علوم"}));
    EXPECT_EQ(column("d5"), (QStringList{"لغتي", ""}));
    const shell::SchoolProfile p = shell::schoolProfile();
    EXPECT_EQ(first("kl5"), sheet_texts::kYearPrefix + p.ThisYear);
    EXPECT_EQ(first("class"), p.ThisSemester);
    EXPECT_EQ(first("kl3"), p.Admin);
    EXPECT_EQ(first("kl7"), p.ThisName);
    EXPECT_EQ(first("kl9"), p.name_3);
    EXPECT_EQ(first("Label18"), "جدول الاختبار لجميع صفوف المدرسة");
    EXPECT_EQ(w->lastSheetGrade->text(), "خامس");
}

TEST_F(ExamSheets, OneGradeScheduleFromTheGradeChooserMatchesTheGradeExactly) {
    add("2", "خامس", "1446/02/02", kFirst, "علوم");
    add("3", "خامس مطور", "1446/02/01", kFirst, "فنية");
    w->onPrintMenuItemClicked(1);
    ASSERT_TRUE(w->gradeSheetPanel->isVisible());
    w->onPrintMenuItemClicked(0); // the menu is inert while the chooser is open
    EXPECT_TRUE(previews->shown.empty());
    w->sheetGradePicker->setCurrentIndex(w->sheetGradePicker->findText("خامس"));
    leftClick(w->sheetShowButton);
    ASSERT_EQ(previews->shown.size(), 1u);
    EXPECT_EQ(previews->shown.back().layoutName, sheet_texts::kGradeSheet);
    EXPECT_EQ(first("Label18"), "خامس");
    EXPECT_EQ(column("d3"), QStringList{"علوم"});
    EXPECT_EQ(first("kl9"), "");
    EXPECT_TRUE(w->gradeSheetPanel->isVisible());
}

TEST_F(ExamSheets, RevisersOfEveryDayAndOfAPickedDay) {
    add("1", "ثالث", "1446/02/02", kFirst, "لغتي", "سعد");
    add("1", "ثالث", "1446/02/01", kSecond, "");
    add("2", "خامس - شامل", "1446/02/01", kFirst, "علوم");
    add("2", "خامس", "", kFirst, "دين"); // no date: never listed
    add("3", "خامس مطور", "1446/01/05", kFirst, "حساب");
    w->onPrintMenuItemClicked(10);
    ASSERT_EQ(previews->shown.size(), 1u);
    const report::LaidOutReport& all = previews->shown.back();
    EXPECT_EQ(all.layoutName, sheet_texts::kRevisersSheet);
    EXPECT_EQ(all.orientation, report::Orientation::Landscape);
    EXPECT_EQ(all.previewWidth, 16700);
    EXPECT_EQ(column("d1"), (QStringList{"1446/01/05", "1446/02/01", "1446/02/01", "1446/02/02"}));
    EXPECT_EQ(column("d2"), (QStringList{"خامس مطور", "ثالث", "خامس", "ثالث"}));
    EXPECT_EQ(column("d5"), (QStringList{"", "", "", "سعد"}));

    // Item 12: the calendar is asked for the day; its OK presses revisersButton.
    w->onPrintMenuItemClicked(12);
    EXPECT_TRUE(w->dayPrintWaiting->isChecked());
    EXPECT_TRUE(w->paperOptions[6]->isChecked());
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_FALSE(w->isEnabled());
    EXPECT_EQ(calendar->request().purpose, dates::CalendarPurpose::ExamPrint);
    EXPECT_EQ(calendar->request().print, dates::ExamPrintKind::CorrectorsAndReviewers);
    // The OK on today, 1446/01/05, enables the window, writes pickedDateLabel and
    // presses revisersButton for that day.
    calendar->onDayClicked(calendar->model().todayCell());
    calendar->onOkClicked();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(w->dayPrintWaiting->isChecked());
    EXPECT_EQ(w->pickedDateLabel->text(), "1446/01/05");
    EXPECT_EQ(previews->shown.size(), 2u);
    EXPECT_EQ(column("d4"), QStringList{"حساب"});
    // Each preview is titled after its item, not only the program's name.
    EXPECT_EQ(previews->captions,
              (std::vector<QString>{QStringLiteral("المصححين والمراجعين"),
                                    QStringLiteral("المصححين والمراجعين ليوم محدد")}));

    // Item 10 prints every day again, whatever day item 12 picked.
    w->onPrintMenuItemClicked(10);
    EXPECT_EQ(column("d1").size(), 4);
}

TEST_F(ExamSheets, DayRequestsSelectTheirPrintAndOpenTheCalendar) {
    const std::vector<std::pair<int, std::pair<int, dates::ExamPrintKind>>> items = {
        {5, {2, dates::ExamPrintKind::QuestionsOpeningOfDay}},
        {6, {3, dates::ExamPrintKind::QuestionsOpeningOfSubject}},
        {7, {5, dates::ExamPrintKind::HandOver}},
        {8, {4, dates::ExamPrintKind::HandOverWithChecking}}};
    for (const auto& [item, expected] : items) {
        w->dayPrintWaiting->setChecked(false);
        w->setEnabled(true);
        w->onPrintMenuItemClicked(item);
        EXPECT_TRUE(w->dayPrintWaiting->isChecked()) << item;
        EXPECT_TRUE(w->paperOptions[static_cast<std::size_t>(expected.first)]->isChecked()) << item;
        const dates::CalendarWindow* c = dates::calendarWindow();
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->request().print, expected.second) << item;
        EXPECT_FALSE(c->instructionNote->isHidden());
        EXPECT_FALSE(w->isEnabled());
    }
    EXPECT_TRUE(previews->shown.empty());
}

TEST_F(ExamSheets, StudentMinutesItemsSelectTheirPrintAndShowTheChooser) {
    w->onPrintMenuItemClicked(4);
    EXPECT_TRUE(w->paperOptions[1]->isChecked());
    ASSERT_NE(singleStudentChooser(), nullptr);
    EXPECT_TRUE(singleStudentChooser()->isVisible());
    EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(w->dayPrintWaiting->isChecked());
    singleStudentChooser()->close();
    w->setEnabled(true);
    w->onPrintMenuItemClicked(3);
    EXPECT_TRUE(w->paperOptions[0]->isChecked());
    EXPECT_TRUE(previews->shown.empty());
}

TEST_F(ExamSheets, PrintPanelGoesByTheSelectedPrintAndPicksTheDayAgainWithoutANote) {
    QStringList pressed;
    for (QPushButton* b :
         {w->studentMinutesButton, w->dayQuestionsButton, w->subjectQuestionsButton})
        QObject::connect(b, &QPushButton::clicked, b,
                         [&pressed, b] { pressed << b->objectName(); });
    w->dayPrintPanel->show();
    w->paperOptions[2]->setChecked(true);
    leftClick(w->dayPrintButton);
    w->paperOptions[3]->setChecked(true);
    leftClick(w->dayPrintButton);
    w->paperOptions[1]->setChecked(true);
    leftClick(w->dayPrintButton);
    EXPECT_EQ(pressed, (QStringList{"dayQuestionsButton", "subjectQuestionsButton",
                                    "studentMinutesButton"}));
    EXPECT_TRUE(w->dayPrintPanel->isVisible());

    w->dayPrintWaiting->setChecked(false);
    leftClick(w->pickDayAgainButton);
    const dates::CalendarWindow* c = dates::calendarWindow();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_TRUE(c->instructionNote->isHidden());
    EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(w->dayPrintWaiting->isChecked());
    // The date it brings belongs to the panel's prints, never to an exam day.
    EXPECT_FALSE(dates::examDayToWrite(c->request()).has_value());
    EXPECT_EQ(c->request().purpose, dates::CalendarPurpose::StudentMinutes);
}

TEST_F(ExamSheets, AMissingLayoutOrDatabaseIsSaidAndNothingShown) {
    QFile::remove(home.path() + "/layouts/ExamSchAll.json");
    report::layoutLibrary().clear();
    scope.dialogs().answer("موافق");
    w->onPrintMenuItemClicked(0);
    EXPECT_TRUE(previews->shown.empty());
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_TRUE(scope.dialogs().shown.back().text.startsWith(sheet_texts::kSheetFailed));

    QFile::remove(home.path() + "/Database/Schedual.db");
    scope.dialogs().answer("موافق");
    w->onPrintMenuItemClicked(10);
    EXPECT_TRUE(previews->shown.empty());
    EXPECT_EQ(scope.dialogs().shown.size(), 2u);
}

TEST_F(ExamSheets, TheCalendarsOkCarriesOnThePrintThatWaitedForTheDay) {
    add("1", "ثالث", "1446/01/05", kFirst, "لغتي");
    dates::CalendarWindow* calendar = nullptr;
    auto pickToday = [&] {
        calendar = dates::calendarWindow();
        ASSERT_NE(calendar, nullptr);
        calendar->onDayClicked(calendar->model().todayCell());
        calendar->onOkClicked();
    };

    // Item 8: the hand-over with checking is shown for the picked day.
    w->onPrintMenuItemClicked(8);
    pickToday();
    ASSERT_EQ(previews->shown.size(), 1u);
    EXPECT_EQ(previews->shown.back().layoutName, QStringLiteral("Comeetee"));
    EXPECT_FALSE(w->dayPrintWaiting->isChecked());

    // Item 5: the questions of a day wait in the print panel for the period.
    w->onPrintMenuItemClicked(5);
    pickToday();
    EXPECT_EQ(previews->shown.size(), 1u);
    EXPECT_FALSE(w->dayPrintPanel->isHidden());
    EXPECT_TRUE(w->dayGradePicker->isHidden());

    // Closing the calendar leaves no print waiting.
    w->onPrintMenuItemClicked(7);
    EXPECT_TRUE(w->dayPrintWaiting->isChecked());
    dates::calendarWindow()->onCloseClicked();
    EXPECT_FALSE(w->dayPrintWaiting->isChecked());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(previews->shown.size(), 1u);
}

} // namespace
} // namespace sijill::exams
