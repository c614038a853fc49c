#include "dates/CalendarWindow.h"
#include "dates/CalendarRequester.h"
#include "dates/CalendarTexts.h"
#include "dates/StartupCalendar.h"
#include "dates/Weekdays.h"
#include "platform/AppState.h"
#include "platform/Clock.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace sijill::dates {
namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Stands in for a window that asks the calendar for a date.
class StandInRequester : public CalendarRequester {
public:
    StandInRequester() { window.resize(300, 200); }
    ~StandInRequester() override {
        if (calendarWindow())
            calendarWindow()->withdraw(this);
    }
    QWidget* requesterWindow() override { return &window; }
    void receiveCalendarDate(const CalendarRequest& request, const PickedDate& date) override {
        received.push_back({request, date});
        enabledWhenReceived = window.isEnabled();
    }
    void calendarRequestEnded(const CalendarRequest& request) override { ended.push_back(request); }

    QWidget window;
    std::vector<std::pair<CalendarRequest, PickedDate>> received;
    std::vector<CalendarRequest> ended;
    bool enabledWhenReceived = false;
};

// A key pressed over a day cell, passing up to the window as the cell
// leaves it unused.
void press(CalendarWindow* calendar, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(calendar->dayCells[10], &event);
}

class CalendarWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        delete calendarWindow();
        appState().AbsenceMonthMode = false;
        main.resize(1000, 700);
    }
    void TearDown() override {
        delete calendarWindow();
        platform::Clock::setToday(std::nullopt);
        appState().AbsenceMonthMode = false;
    }

    // Loads the calendar as the start-up does, on a given day.
    CalendarWindow* startOn(int day, int month, int year) {
        platform::Clock::setToday(QDate(year, month, day));
        runStartupCalendar(&main, &today, &weekday, &dayNumber);
        return calendarWindow();
    }

    QWidget main;
    QLabel today, weekday, dayNumber;
    test::ScriptedScope scope;
};

TEST_F(CalendarWindowTest, StartupKeepsTodaysDateAndWeekdayInTheMainWindow) {
    CalendarWindow* calendar = startOn(11, 7, 2024); // 5 Muharram 1446, a Thursday
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(today.text(), QStringLiteral("1446/01/05"));
    EXPECT_EQ(weekday.text(), q(weekdayName(4)));
    EXPECT_EQ(dayNumber.text(), QStringLiteral("6"));
    EXPECT_TRUE(main.isEnabled());
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(calendar->todayHijriDay->text(), QStringLiteral("5"));
    EXPECT_EQ(calendar->previewHijriDate->text(), QStringLiteral("1446/01/05"));
    EXPECT_EQ(calendar->previewGregorianDate->text(), QStringLiteral("2024/07/11"));
    EXPECT_EQ(calendar->previewWeekday->text(), q(weekdayName(4)));
    EXPECT_TRUE(calendar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // The calendar stays loaded: a second start-up reuses it.
    runStartupCalendar(&main, &today, &weekday, &dayNumber);
    EXPECT_EQ(calendarWindow(), calendar);
    EXPECT_EQ(loadCalendarWindow(nullptr), calendar);

    // Another main window is another run: its start-up loads a fresh calendar
    // that computes today again.
    QWidget otherMain;
    platform::Clock::setToday(QDate(2024, 7, 12));
    runStartupCalendar(&otherMain, &today, &weekday, &dayNumber);
    ASSERT_NE(calendarWindow(), nullptr);
    EXPECT_EQ(calendarWindow()->mainWindow(), &otherMain);
    EXPECT_EQ(today.text(), QStringLiteral("1446/01/06"));
    delete calendarWindow();
}

TEST_F(CalendarWindowTest, StartupWeekdaysComeFromTheDate) {
    startOn(12, 7, 2024);
    EXPECT_EQ(weekday.text(), q(weekdayName(5)));
    EXPECT_EQ(dayNumber.text(), QStringLiteral("7"));
    delete calendarWindow();
    startOn(14, 7, 2024);
    EXPECT_EQ(weekday.text(), q(weekdayName(0)));
    EXPECT_EQ(dayNumber.text(), QStringLiteral("2"));
    EXPECT_EQ(today.text(), QStringLiteral("1446/01/08"));
}

TEST_F(CalendarWindowTest, MonthAndYearStores) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    ASSERT_EQ(calendar->monthStore->count(), 12);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(calendar->monthStore->itemData(k).toInt(), k + 1);
        EXPECT_EQ(calendar->monthStore->itemText(k).left(2).toInt(), k + 1);
    }
    ASSERT_EQ(calendar->yearStore->count(), 195);
    EXPECT_EQ(calendar->yearStore->itemText(0), QStringLiteral("1303"));
    EXPECT_EQ(calendar->yearStore->itemText(194), QStringLiteral("1497"));
    EXPECT_EQ(calendar->monthStore->currentIndex(), 0);
    EXPECT_EQ(calendar->yearStore->currentText(), QStringLiteral("1446"));
    EXPECT_EQ(calendar->todayMonthIndex->text(), QStringLiteral("0"));
    EXPECT_EQ(calendar->todayYearIndex->text(), QStringLiteral("143"));
    EXPECT_EQ(calendar->shownHijriYear->text(), QStringLiteral("1446"));

    calendar->onMonthClicked(10);
    EXPECT_EQ(calendar->monthStore->currentIndex(), 10);
    EXPECT_EQ(calendar->shownMonthMark->y(), calendar->monthButtons[10]->y());
}

TEST_F(CalendarWindowTest, GridCellsAndTheSixthRow) {
    CalendarWindow* calendar = startOn(20, 9, 2023); // Rabi' al-Awwal 1445, from a Saturday
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(calendar->dayCells[static_cast<std::size_t>(k)]->isHidden()) << k;
    EXPECT_EQ(calendar->dayCells[6]->text(), QStringLiteral("01"));
    EXPECT_EQ(calendar->gregorianCells[6]->text(), QStringLiteral("2023\\09\\16"));
    EXPECT_EQ(calendar->dayCells[35]->text(), QStringLiteral("30"));
    EXPECT_FALSE(calendar->dayCells[35]->isHidden());
    EXPECT_FALSE(calendar->sixthRowFrame->isHidden());
    // Sunday stands on the right: cell 35 lies right of the Saturday cell 6.
    EXPECT_GT(calendar->dayCells[35]->x(), calendar->dayCells[6]->x());

    calendar->onMonthClicked(6); // Rajab 1445 ends in cell 34
    EXPECT_EQ(calendar->dayCells[34]->text(), QStringLiteral("29"));
    EXPECT_TRUE(calendar->dayCells[35]->isHidden());
    EXPECT_TRUE(calendar->sixthRowFrame->isHidden());
    EXPECT_EQ(calendar->dayCells[32]->text(), QStringLiteral("27"));
}

TEST_F(CalendarWindowTest, TodayMarkFollowsTheMonthShown) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    QFrame* mark = calendar->dayMarks[1];
    EXPECT_FALSE(mark->isHidden());
    EXPECT_EQ(mark->geometry(), calendar->dayCells[4]->geometry()); // the cell "05"
    // Drawn although the main window is enabled again after the start-up.
    ASSERT_TRUE(main.isEnabled());
    calendar->onMonthClicked(1);
    EXPECT_EQ(calendar->dayCells[1]->text(), QStringLiteral("01"));
    EXPECT_TRUE(mark->isHidden());
    calendar->onMonthClicked(0);
    EXPECT_FALSE(mark->isHidden());
    EXPECT_EQ(mark->geometry(), calendar->dayCells[4]->geometry());
}

TEST_F(CalendarWindowTest, PickingOnlyPreviews) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    StandInRequester exam;
    calendar->openFor(CalendarRequest::examDayDate(3), &exam);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_FALSE(exam.window.isEnabled());
    EXPECT_FALSE(calendar->instructionNote->isHidden());
    EXPECT_EQ(calendar->instructionNote->text(), q(kNotePickDay));

    calendar->onDayClicked(13);
    EXPECT_EQ(calendar->previewHijriDate->text(), QStringLiteral("1446/01/14"));
    EXPECT_EQ(calendar->previewGregorianDate->text(), QStringLiteral("2024/07/20"));
    EXPECT_EQ(calendar->previewWeekday->text(), q(weekdayName(6)));
    EXPECT_EQ(calendar->dayMarks[2]->geometry(), calendar->dayCells[13]->geometry());
    EXPECT_TRUE(calendar->dayCells[13]->autoFillBackground());
    EXPECT_TRUE(exam.received.empty());
    EXPECT_TRUE(calendar->isVisible());
}

TEST_F(CalendarWindowTest, OkHandsTheDateOnlyToTheRequester) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    StandInRequester exam, attendance;
    calendar->openFor(CalendarRequest::examDayDate(3), &exam);
    calendar->onDayClicked(16); // 17 Muharram, a Tuesday
    calendar->okButton->click();

    EXPECT_FALSE(calendar->isVisible());
    ASSERT_EQ(exam.received.size(), 1u);
    EXPECT_TRUE(attendance.received.empty());
    const auto& [request, date] = exam.received[0];
    EXPECT_EQ(request.purpose, CalendarPurpose::ExamDayDate);
    EXPECT_EQ(examDayToWrite(request), 3);
    EXPECT_EQ(date.hijriText, "1446/01/17");
    EXPECT_EQ(date.weekday, weekdayName(2));
    EXPECT_TRUE(exam.enabledWhenReceived);
    EXPECT_TRUE(scope.systemShown.empty());
    EXPECT_FALSE(calendar->hasOpenRequest());

    // A print request carries no exam day to overwrite. Enter is the OK.
    calendar->openFor(CalendarRequest::examPrint(ExamPrintKind::CorrectorsAndReviewers), &exam);
    press(calendar, Qt::Key_Return);
    ASSERT_EQ(exam.received.size(), 2u);
    EXPECT_EQ(exam.received[1].first.print, ExamPrintKind::CorrectorsAndReviewers);
    EXPECT_FALSE(examDayToWrite(exam.received[1].first));

    calendar->openFor(CalendarRequest::studentMinutes(MinutesKind::Cheating), &exam);
    calendar->okButton->click();
    ASSERT_EQ(exam.received.size(), 3u);
    EXPECT_EQ(exam.received[2].first.minutes, MinutesKind::Cheating);
    EXPECT_TRUE(attendance.received.empty());

    // The attendance window's request: AbsenceMonthMode holds until that window ends it.
    calendar->openFor(CalendarRequest::absenceMonth(), &attendance);
    EXPECT_TRUE(appState().AbsenceMonthMode);
    EXPECT_EQ(calendar->instructionNote->text(), q(kNotePickMonth));
    calendar->okButton->click();
    ASSERT_EQ(attendance.received.size(), 1u);
    EXPECT_EQ(attendance.received[0].first.purpose, CalendarPurpose::AbsenceMonth);
    EXPECT_TRUE(appState().AbsenceMonthMode);
    EXPECT_EQ(exam.received.size(), 3u);
    EXPECT_TRUE(exam.ended.empty());
}

TEST_F(CalendarWindowTest, SameCellPositionAfterAMonthChange) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    StandInRequester exam;
    calendar->openFor(CalendarRequest::examDayDate(0), &exam);
    calendar->onDayClicked(17);
    calendar->onMonthClicked(1); // Safar 1446, from a Monday
    EXPECT_EQ(calendar->previewHijriDate->text(), QStringLiteral("1446/02/17"));
    calendar->okButton->click();
    ASSERT_EQ(exam.received.size(), 1u);
    EXPECT_EQ(exam.received[0].second.hijriText, "1446/02/17");
    EXPECT_EQ(exam.received[0].second.weekday, weekdayName(3));
    EXPECT_EQ(calendar->previewWeekday->text(), q(weekdayName(3)));

    // The picked position holds no day in Rabi' al-Awwal: its 1st, with its own weekday.
    calendar->openFor(CalendarRequest::examDayDate(0), &exam);
    calendar->onDayClicked(1);
    calendar->onMonthClicked(2);
    EXPECT_TRUE(calendar->dayMarks[2]->isHidden());
    calendar->okButton->click();
    ASSERT_EQ(exam.received.size(), 2u);
    EXPECT_EQ(exam.received[1].second.hijriText, "1446/03/01");
    EXPECT_EQ(exam.received[1].second.weekday, weekdayName(3));
}

// Records each system message and whether the calendar was on view then.
class NoticeWatch : public platform::SystemMessagePresenter {
public:
    QMessageBox::StandardButton show(const platform::SystemMessage& m) override {
        shown.push_back(m);
        calendarVisible.push_back(calendarWindow() && calendarWindow()->isVisible());
        return QMessageBox::NoButton;
    }
    std::vector<platform::SystemMessage> shown;
    std::vector<bool> calendarVisible;
};

TEST_F(CalendarWindowTest, WeekendWarningDoesNotStopTheReturn) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    StandInRequester exam;
    auto watch = std::make_shared<NoticeWatch>();
    auto previous = platform::setSystemMessagePresenter(watch);
    calendar->openFor(CalendarRequest::examDayDate(2), &exam);
    calendar->onDayClicked(5); // 6 Muharram, a Friday
    calendar->okButton->click();
    platform::setSystemMessagePresenter(previous);
    ASSERT_EQ(watch->shown.size(), 1u);
    EXPECT_EQ(watch->shown[0].title, q(kWeekendNoticeTitle));
    EXPECT_EQ(watch->shown[0].text, q(kWeekendNoticeText) + q(weekdayName(5)));
    EXPECT_EQ(watch->shown[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(watch->shown[0].icon, QMessageBox::NoIcon);
    EXPECT_FALSE(watch->calendarVisible[0]);
    ASSERT_EQ(exam.received.size(), 1u);
    EXPECT_EQ(exam.received[0].second.hijriText, "1446/01/06");

    calendar->openFor(CalendarRequest::examDayDate(2), &exam);
    calendar->onDayClicked(6); // a Saturday
    calendar->okButton->click();
    ASSERT_EQ(scope.systemShown.size(), 1u);
    EXPECT_EQ(scope.systemShown[0].text, q(kWeekendNoticeText) + q(weekdayName(6)));
    EXPECT_EQ(exam.received.size(), 2u);
}

TEST_F(CalendarWindowTest, SixthRowPickIsASundayWithoutWarning) {
    CalendarWindow* calendar = startOn(20, 9, 2023);
    StandInRequester exam;
    calendar->openFor(CalendarRequest::examDayDate(1), &exam);
    calendar->onDayClicked(35);
    calendar->okButton->click();
    EXPECT_TRUE(scope.systemShown.empty());
    ASSERT_EQ(exam.received.size(), 1u);
    EXPECT_EQ(exam.received[0].second.hijriText, "1445/03/30");
    EXPECT_EQ(exam.received[0].second.weekday, weekdayName(0));
}

TEST_F(CalendarWindowTest, CloseAndEscapeEndTheRequest) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape);
        CalendarWindow* calendar = startOn(11, 7, 2024);
        StandInRequester attendance;
        main.setEnabled(false);
        calendar->openFor(CalendarRequest::absenceMonth(), &attendance);
        calendar->onDayClicked(10);
        if (escape)
            press(calendar, Qt::Key_Escape);
        else
            calendar->onCloseClicked();

        // Escape is the close picture, never the system's close: the calendar
        // stays loaded for the next request.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(calendarWindow(), calendar);
        EXPECT_FALSE(calendar->isVisible());
        EXPECT_FALSE(appState().AbsenceMonthMode);
        EXPECT_TRUE(attendance.received.empty());
        ASSERT_EQ(attendance.ended.size(), 1u);
        EXPECT_EQ(attendance.ended[0].purpose, CalendarPurpose::AbsenceMonth);
        EXPECT_TRUE(attendance.window.isEnabled());
        EXPECT_TRUE(main.isEnabled()); // nothing else is open over it

        // A later OK reaches nobody who asked before.
        calendar->show();
        calendar->okButton->click();
        EXPECT_TRUE(attendance.received.empty());
        calendar->hide();
    }
}

TEST_F(CalendarWindowTest, ANewRequestEndsTheOpenOne) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    StandInRequester first, second;
    calendar->openFor(CalendarRequest::studentMinutes(MinutesKind::Absence), &first);
    calendar->openFor(CalendarRequest::examDayDate(4, false), &second);
    EXPECT_EQ(first.ended.size(), 1u);
    EXPECT_TRUE(first.window.isEnabled());
    EXPECT_TRUE(calendar->instructionNote->isHidden());
    calendar->okButton->click();
    EXPECT_TRUE(first.received.empty());
    EXPECT_EQ(second.received.size(), 1u);
}

TEST_F(CalendarWindowTest, MonthFactsAfterAnOk) {
    CalendarWindow* calendar = startOn(15, 10, 2022); // Rabi' al-Awwal 1444: 29 days from a Tuesday
    StandInRequester attendance;
    calendar->onMonthClicked(0); // another month shown, facts not yet refreshed
    EXPECT_EQ(calendar->monthFirstWeekday->text(), QStringLiteral("2"));
    calendar->openFor(CalendarRequest::attendanceDay(), &attendance);
    calendar->onMonthClicked(2);
    calendar->onDayClicked(9);
    calendar->okButton->click();
    EXPECT_EQ(calendar->monthFirstDay->text(), QStringLiteral("01"));
    EXPECT_EQ(calendar->monthFirstWeekday->text(), QStringLiteral("2"));
    EXPECT_EQ(calendar->monthFirstWeekdayName->text(), q(weekdayName(2)));
    EXPECT_EQ(calendar->monthLastDay->text(), QStringLiteral("29"));
    EXPECT_EQ(calendar->monthFacts().lastDay, "29");

    calendar->openFor(CalendarRequest::attendanceDay(), &attendance);
    calendar->onMonthClicked(0); // Muharram 1444: 29 days from a Saturday
    calendar->okButton->click();
    EXPECT_EQ(calendar->monthFirstWeekday->text(), QStringLiteral("6"));
    EXPECT_EQ(calendar->monthFirstWeekdayName->text(), q(weekdayName(6)));
}

TEST_F(CalendarWindowTest, ShownOverTheMainWindow) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    main.move(100, 50);
    StandInRequester exam;
    calendar->openFor(CalendarRequest::examDayDate(0), &exam);
    calendar->move(0, 0); // dragged away
    calendar->hide();
    calendar->openFor(CalendarRequest::examDayDate(0), &exam);
    EXPECT_EQ(calendar->y(), main.y() + 40);
    EXPECT_EQ(calendar->x(), main.x() + main.width() / 2 - calendar->width() / 2);
    calendar->onCloseClicked();
}

TEST_F(CalendarWindowTest, ClosingThroughTheSystemUnloads) {
    CalendarWindow* calendar = startOn(11, 7, 2024);
    StandInRequester exam;
    calendar->openFor(CalendarRequest::examDayDate(0), &exam);
    calendar->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(calendarWindow(), nullptr);
    EXPECT_EQ(exam.ended.size(), 1u);
    EXPECT_TRUE(exam.window.isEnabled());
}

} // namespace
} // namespace sijill::dates
