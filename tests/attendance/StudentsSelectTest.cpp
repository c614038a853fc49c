#include "attendance/StudentsSelect.h"
#include "attendance/AbsenceMonth.h"
#include "attendance/AttendanceWiring.h"
#include "attendance/SchoolDays.h"
#include "data/Connection.h"
#include "dates/CalendarTexts.h"
#include "dates/CalendarWindow.h"
#include "dates/Weekdays.h"
#include "platform/AppState.h"
#include "platform/Clock.h"
#include "report/LayoutLibrary.h"
#include "reports/ReportsTestSupport.h"
#include "shell/ShellTestSupport.h"
#include "support/WidgetText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace sijill::attendance {
namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList listItems(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Sets the program's today before the main window starts.
struct TodayScope {
    explicit TodayScope(QDate day) { platform::Clock::setToday(day); }
    ~TodayScope() { platform::Clock::setToday(std::nullopt); }
};

// The program with a small school, started on a given day, the attendance
// follow-up joined to it.
class Attendance {
public:
    explicit Attendance(QDate day = QDate(2024, 7, 11)) // 5 Muharram 1446, a Thursday
        : today_(day), ready_(prepare(home)), desk(home) {
        installAttendance(desk.form);
    }
    ~Attendance() {
        delete studentsSelect();
        delete dates::calendarWindow();
        flushDeletes();
        appState().AbsenceMonthMode = false;
        report::layoutLibrary().clear();
    }

    StudentsSelect* window() {
        StudentsSelect* w = loadStudentsSelect();
        w->show();
        return w;
    }
    void chooseClass(StudentsSelect* w, const QString& item) {
        const int i = w->Combo1->findText(item);
        ASSERT_GE(i, 0) << item.toStdString();
        w->Combo1->setCurrentIndex(i);
        w->Combo1_Click();
    }

    test::TestHome home;

private:
    static bool prepare(const test::TestHome& home) {
        report::layoutLibrary().clear();
        test::seedSchool(home); // أول-1 (3), أول-2 (2), ثاني-1 (1)
        test::addClass(home, "أول", "10");
        test::addPupil(home, {"أول", "10", "01", "فيصل ماجد", "0550000401", "1100000401"});
        // A row without a name has nothing to print.
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0, d1, d3, d6, d7) "
                                   "VALUES ('04', NULL, '1100000099', 'أول', '1')");
        return true;
    }

    TodayScope today_;
    bool ready_;

public:
    test::PrintDesk desk;
};

TEST(StudentsSelect, LoadsBesideTheMainWindowOnItsDatePanelWithTodayAndEveryClass) {
    Attendance app;
    app.desk.pick("أول-2");
    StudentsSelect* w = app.window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("غياب وتأخر الطلاب"));
    EXPECT_EQ(w->Combo1->itemText(0), QStringLiteral(" جميع فصول المدرسة "));
    EXPECT_EQ(w->Combo1->count(), app.desk.form.classPicker->count() + 1);
    EXPECT_EQ(test::comboItems(w->Combo4), test::comboItems(w->Combo1));
    for (int i = 0; i < app.desk.form.classPicker->count(); ++i)
        EXPECT_EQ(w->Combo1->itemText(i + 1), app.desk.form.classPicker->itemText(i).replace(
                                                  QLatin1Char('-'), QLatin1Char(':')));
    EXPECT_EQ(w->Combo1->currentIndex(), 0);
    // The user's class in the main window stays chosen.
    EXPECT_EQ(app.desk.form.classPicker->currentText(), QStringLiteral("أول-2"));

    // Beside the main window, its frame from the main window's top and as
    // tall as it, as far as the screen allows.
    const QRect area = w->screen()->availableGeometry();
    const QRect frame = w->frameGeometry();
    EXPECT_EQ(w->geometry().x(), app.desk.form.geometry().x() + 120);
    EXPECT_EQ(frame.y(), std::max(app.desk.form.geometry().y(), area.y()));
    EXPECT_EQ(w->height(),
              std::min(app.desk.form.height(), area.height() - (frame.height() - w->height())));
    EXPECT_TRUE(area.contains(frame));
    EXPECT_TRUE(w->PicNew->isVisible());
    EXPECT_EQ(w->Today->text(), QStringLiteral("1446/01/05"));
    EXPECT_EQ(w->DayName->text(), q(dates::weekdayName(4)));
    EXPECT_EQ(w->Command10->text(), QStringLiteral("إحصائية بأيام التأخر خلال شهر"));
    EXPECT_FALSE(w->Command3->isHidden());
    EXPECT_FALSE(w->Check3->isHidden());
    // The attendance tables were upgraded on loading.
    EXPECT_TRUE(w->lastUpgrade().addedToS2);

    test::leftClick(w->ImNew);
    EXPECT_FALSE(w->PicNew->isVisible());
    EXPECT_TRUE(w->Combo1->isVisible());
}

TEST(StudentsSelect, OnAFridayTheDateWaitsForAPick) {
    Attendance app(QDate(2024, 7, 12));
    StudentsSelect* w = app.window();
    EXPECT_EQ(w->Today->text(), QStringLiteral("-"));
    EXPECT_EQ(w->DayName->text(), QStringLiteral("-"));

    // The sheet asks for a date first and opens the calendar for it.
    app.chooseClass(w, "أول:1");
    app.desk.dialogs().answer("موافق");
    w->Command10->click();
    ASSERT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(app.desk.dialogs().shown[0].text, QStringLiteral(" فضلا حدد التاريخ "));
    EXPECT_EQ(app.desk.dialogs().shown[0].title, QStringLiteral("تنبيه"));
    EXPECT_TRUE(app.desk.previews().empty());
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->instructionNote->text(), q(dates::kNotePickDay));
    EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(appState().AbsenceMonthMode);

    calendar->onDayClicked(9);
    calendar->okButton->click();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_NE(w->Today->text(), QStringLiteral("-"));
    w->Command10->click();
    EXPECT_EQ(app.desk.previews().size(), 1u);
}

TEST(StudentsSelect, AClassListsItsOwnStudentsInNumberOrder) {
    Attendance app;
    StudentsSelect* w = app.window();
    app.chooseClass(w, "أول:1");
    EXPECT_EQ(w->Combo4->currentIndex(), w->Combo1->currentIndex());
    // Class 1 does not take in class 10, and a row without a name is left out.
    EXPECT_EQ(listItems(w->SelectList), QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
    EXPECT_EQ(listItems(w->List1), QStringList({"1100000001", "1100000002", "1100000010"}));

    app.chooseClass(w, "أول:10");
    EXPECT_EQ(listItems(w->SelectList), QStringList({"فيصل ماجد"}));
    // The all-classes item leaves the lists as they were.
    app.chooseClass(w, " جميع فصول المدرسة ");
    EXPECT_EQ(listItems(w->SelectList), QStringList({"فيصل ماجد"}));

    // A class that lost its students lists none, also right after a full one.
    app.home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d6 = 'ثاني'");
    app.chooseClass(w, "ثاني:1");
    EXPECT_EQ(w->SelectList->count(), 0);
    EXPECT_EQ(w->List1->count(), 0);
    EXPECT_TRUE(app.desk.dialogs().shown.empty());

    // A students' database that cannot be read is told, and lists nothing.
    ASSERT_TRUE(QFile::remove(app.home.database("MyDatabase.db")));
    app.desk.dialogs().answer("موافق");
    app.chooseClass(w, "أول:1");
    EXPECT_EQ(w->SelectList->count(), 0);
    ASSERT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_FALSE(w->loadError().isEmpty());
}

TEST(StudentsSelect, OneClassGivesOnePreviewWithoutAQuestion) {
    Attendance app;
    StudentsSelect* w = app.window();
    app.chooseClass(w, "أول:1");
    appState().PrintBatchActive = false;
    w->Command10->click();
    EXPECT_TRUE(app.desk.dialogs().shown.empty());
    ASSERT_EQ(app.desk.previews().size(), 1u);
    EXPECT_TRUE(app.desk.jobs().isEmpty());
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("أول:1"));
    EXPECT_FALSE(appState().PrintBatchActive);

    const report::LaidOutReport& r = app.desk.previews().front();
    EXPECT_EQ(r.layoutName, QStringLiteral("AbcentLand"));
    EXPECT_EQ(test::controlTexts(r, "Text2"), QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
    EXPECT_EQ(test::controlTexts(r, "Text1"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(test::firstText(r, "Label2"), QStringLiteral("أول( 1 )"));
    EXPECT_EQ(test::firstText(r, "class"), QStringLiteral("محرم ( 1 )"));
    EXPECT_EQ(test::firstText(r, "kl4"), QStringLiteral("مدرسة النور الابتدائية"));
    // Muharram 1446 begins on a Sunday.
    EXPECT_EQ(test::firstText(r, "T1"), QStringLiteral("1/1"));
    EXPECT_EQ(test::firstText(r, "D1"), QStringLiteral("أحد"));
}

TEST(StudentsSelect, EveryClassIsPrintedAfterOneOk) {
    Attendance app;
    StudentsSelect* w = app.window();
    app.desk.dialogs().answer("موافق");
    w->Command10->click();
    ASSERT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(app.desk.dialogs().shown[0].text, QStringLiteral("ستتم الطباعة لجميع فصول المدرسة"));
    EXPECT_EQ(app.desk.dialogs().shown[0].mode, 2);
    EXPECT_EQ(app.desk.jobs().size(), app.desk.form.classPicker->count());
    EXPECT_TRUE(app.desk.previews().empty());
    EXPECT_EQ(w->Combo1->currentIndex(), 0);
    EXPECT_FALSE(appState().PrintBatchActive);
    // The last class printed is the one the lists hold now.
    EXPECT_EQ(listItems(w->SelectList), QStringList({"عمر حسن"}));
}

TEST(StudentsSelect, CancelOrAClosedQuestionPrintsNothing) {
    Attendance app;
    StudentsSelect* w = app.window();
    for (const QString& answer : {QStringLiteral("إلغاء"), test::ScriptedDialogs::kClose}) {
        app.desk.dialogs().answer(answer);
        w->Command10->click();
        EXPECT_TRUE(app.desk.jobs().isEmpty());
        EXPECT_TRUE(app.desk.previews().empty());
        EXPECT_EQ(w->Combo1->currentIndex(), 0);
        EXPECT_FALSE(appState().PrintBatchActive);
    }
    EXPECT_EQ(app.desk.dialogs().shown.size(), 2u);
}

TEST(StudentsSelect, AWindowWithoutClassesDoesNothing) {
    Attendance app;
    app.home.exec("Schedual.db", "DELETE FROM grades");
    app.desk.form.reloadClassList();
    StudentsSelect* w = app.window();
    ASSERT_EQ(w->Combo1->count(), 1);
    w->Command10->click();
    EXPECT_TRUE(app.desk.dialogs().shown.empty());
    EXPECT_TRUE(app.desk.previews().empty());
    EXPECT_TRUE(app.desk.jobs().isEmpty());
}

TEST(AbsenceItem, OpensTheCalendarAndItsOkShowsTheWindowWithThePickedDate) {
    Attendance app;
    app.desk.click(15);
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->instructionNote->text(), QStringLiteral("حدد الشهر وأي يوم ثم اضغط تم"));
    EXPECT_FALSE(app.desk.form.isEnabled());
    EXPECT_TRUE(appState().AbsenceMonthMode);
    StudentsSelect* w = studentsSelect();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->Command10->text(), QStringLiteral("نموذج متابعة الغياب لشهر"));
    EXPECT_TRUE(w->Command3->isHidden());
    EXPECT_TRUE(w->Check3->isHidden());

    // Ramadan 1446, day 10.
    calendar->onMonthClicked(8);
    const std::optional<AbsenceMonth> ramadan = absenceMonthOf("1446/09/01");
    ASSERT_TRUE(ramadan);
    calendar->onDayClicked(ramadan->firstWeekday + 9);
    calendar->okButton->click();
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->Today->text(), QStringLiteral("1446/09/10"));
    EXPECT_EQ(w->DayName->text(), q(dates::weekdayName((ramadan->firstWeekday + 9) % 7)));
    EXPECT_FALSE(app.desk.form.isEnabled());
    // The request has ended with the OK.
    EXPECT_FALSE(appState().AbsenceMonthMode);

    // The sheet is of the picked month.
    test::leftClick(w->ImNew);
    app.chooseClass(w, "أول:2");
    w->Command10->click();
    ASSERT_EQ(app.desk.previews().size(), 1u);
    EXPECT_EQ(test::firstText(app.desk.previews().front(), "class"), QStringLiteral("رمضان ( 9 )"));
    EXPECT_EQ(test::firstText(app.desk.previews().front(), "T1"),
              QString("9/%1").arg(schoolDays(ramadan->firstWeekday, ramadan->length).front().day));

    // Closing the window gives the main window back.
    w->close();
    flushDeletes();
    EXPECT_EQ(studentsSelect(), nullptr);
    EXPECT_TRUE(app.desk.form.isEnabled());
    EXPECT_TRUE(app.desk.form.isVisible());
    EXPECT_FALSE(appState().AbsenceMonthMode);
}

TEST(AbsenceItem, ClosingTheCalendarClearsTheFlagAndGivesTheMainWindowBack) {
    Attendance app;
    app.desk.click(15);
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(appState().AbsenceMonthMode);
    calendar->onCloseClicked();
    flushDeletes();
    EXPECT_FALSE(appState().AbsenceMonthMode);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(app.desk.form.isEnabled());
    // The window was never shown and is not kept.
    EXPECT_EQ(studentsSelect(), nullptr);

    // A later pick for another window never lands in the attendance window.
    app.desk.click(15);
    ASSERT_NE(studentsSelect(), nullptr);
    EXPECT_TRUE(calendar->hasOpenRequest());
}

TEST(StudentsSelect, UnloadClearsTheFlagAndEnablesTheMainWindow) {
    Attendance app;
    app.desk.form.setEnabled(false);
    StudentsSelect* w = app.window();
    test::leftClick(w->Today);
    EXPECT_TRUE(appState().AbsenceMonthMode);
    EXPECT_FALSE(w->isEnabled());
    dates::calendarWindow()->onCloseClicked();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->isVisible());
    appState().AbsenceMonthMode = true;
    w->close();
    flushDeletes();
    EXPECT_FALSE(appState().AbsenceMonthMode);
    EXPECT_TRUE(app.desk.form.isEnabled());
}

} // namespace
} // namespace sijill::attendance
