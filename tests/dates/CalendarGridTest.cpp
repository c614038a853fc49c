#include "dates/CalendarModel.h"
#include "dates/CalendarRequest.h"
#include "dates/CalendarYear.h"
#include "dates/DaySerial.h"
#include "dates/MonthGrid.h"
#include "dates/Weekdays.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sijill::dates {
namespace {

DaySerial serialOf(int day, int month, int year) {
    return gregorianToSerial(day, month, year).value();
}

std::string caption(const MonthGrid& grid, int cell) {
    return grid.dayCaption[static_cast<std::size_t>(cell)];
}

TEST(CalendarYearLists, AlignedHijriAndGregorianDays) {
    const CalendarYearLists l1446 = buildCalendarYearLists(1446);
    ASSERT_EQ(l1446.hijriDays.size(), 354u);
    EXPECT_EQ(l1446.hijriDays.front(), "14460101");
    EXPECT_EQ(l1446.gregorianDays.front(), "20240707");
    EXPECT_EQ(l1446.gregorianDays.back(), "20251231");
    EXPECT_EQ(l1446.gregorianDays.size(), 543u);
    EXPECT_EQ(l1446.hijriDays.back().substr(0, 6), "144612");

    // February 1900 has 28 days; 29 February 2000 is a day.
    const CalendarYearLists l1317 = buildCalendarYearLists(1317);
    EXPECT_EQ(l1317.gregorianDays.front(), "18990510");
    const auto feb28 =
        std::find(l1317.gregorianDays.begin(), l1317.gregorianDays.end(), "19000228");
    ASSERT_NE(feb28, l1317.gregorianDays.end());
    EXPECT_EQ(*(feb28 + 1), "19000301");
    const CalendarYearLists l1420 = buildCalendarYearLists(1420);
    EXPECT_NE(std::find(l1420.gregorianDays.begin(), l1420.gregorianDays.end(), "20000229"),
              l1420.gregorianDays.end());

    EXPECT_EQ(buildCalendarYearLists(1497).gregorianDays.size(), 367u);
    EXPECT_EQ(buildCalendarYearLists(1329).gregorianDays.size(), 731u);
    EXPECT_TRUE(buildCalendarYearLists(1299).hijriDays.empty());
}

TEST(MonthGrid, CellPlacementSundayOnTheRight) {
    EXPECT_EQ(gridCellLeft(0), 4065);
    EXPECT_EQ(gridCellLeft(6), 165);
    EXPECT_EQ(gridCellLeft(35), 4065);
    EXPECT_EQ(gridCellTop(0), 1425);
    EXPECT_EQ(gridCellTop(13), 2045);
    EXPECT_EQ(gridCellTop(14), 2655);
    EXPECT_EQ(gridCellTop(35), 4515);
}

TEST(MonthGrid, MonthsOfSeveralShapes) {
    // Muharram 1446: 29 days from Sunday 7 July 2024.
    const MonthGrid muharram = writeMonthGrid(buildCalendarYearLists(1446), 1);
    EXPECT_EQ(muharram.firstCell(), 0);
    EXPECT_EQ(muharram.lastCell(), 28);
    EXPECT_EQ(caption(muharram, 0), "01");
    EXPECT_EQ(muharram.gregorianCaption[0], "2024\\07\\07");
    EXPECT_FALSE(muharram.visible[29]);
    EXPECT_EQ(caption(muharram, 29), "");
    EXPECT_EQ(caption(muharram, 32), "*");
    EXPECT_FALSE(muharram.usesSixthRow());

    // Rabi' al-Awwal 1445: 30 days from Saturday 16 September 2023 reach cell 35.
    const CalendarYearLists l1445 = buildCalendarYearLists(1445);
    const MonthGrid rabi = writeMonthGrid(l1445, 3);
    for (int k = 0; k < 6; ++k)
        EXPECT_FALSE(rabi.visible[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(caption(rabi, 6), "01");
    EXPECT_EQ(rabi.gregorianCaption[6], "2023\\09\\16");
    EXPECT_EQ(caption(rabi, 35), "30");
    EXPECT_TRUE(rabi.usesSixthRow());
    EXPECT_EQ(rabi.gregorianCaption[35], "2023\\10\\15");
    EXPECT_FALSE(rabi.visible[36]);

    // Rajab 1445: 29 days from a Saturday end in cell 34.
    const MonthGrid rajab = writeMonthGrid(l1445, 7);
    EXPECT_EQ(rajab.firstCell(), 6);
    EXPECT_EQ(rajab.lastCell(), 34);
    EXPECT_FALSE(rajab.usesSixthRow());

    // Dhu al-Hijjah is written in full up to the year's last day.
    const MonthGrid hijjah = writeMonthGrid(l1445, 12);
    EXPECT_EQ(hijjah.firstCell(), 5);
    EXPECT_EQ(hijjah.lastCell(), 34);
    EXPECT_EQ(caption(hijjah, 34), "30");
    EXPECT_EQ(hijjah.gregorianCaption[34], "2024\\07\\06");
    EXPECT_EQ(hijjah.year, 1445);
    EXPECT_EQ(hijjah.month, 12);

    // Nothing to write: a blank grid, no day in any cell.
    const MonthGrid none = writeMonthGrid(CalendarYearLists{}, 1);
    EXPECT_EQ(none.firstCell(), -1);
    EXPECT_EQ(none.year, 0);
}

TEST(MonthGrid, FactsOfTheMonthShown) {
    // 1444/03: 29 days from a Tuesday.
    const auto facts = monthFactsOf(writeMonthGrid(buildCalendarYearLists(1444), 3));
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->firstDay, "01");
    EXPECT_EQ(facts->firstWeekday, "2");
    EXPECT_EQ(facts->firstWeekdayName, weekdayName(2));
    EXPECT_EQ(facts->lastDay, "29");

    const auto rabi = monthFactsOf(writeMonthGrid(buildCalendarYearLists(1445), 3));
    ASSERT_TRUE(rabi);
    EXPECT_EQ(rabi->firstWeekday, "6");
    EXPECT_EQ(rabi->lastDay, "30");

    // A blank grid gives no facts rather than a weekday past the week.
    EXPECT_FALSE(monthFactsOf(blankMonthGrid()));
}

TEST(CalendarModel, OpeningShowsTodaysMonth) {
    CalendarModel model;
    model.open(serialOf(11, 7, 2024)); // 5 Muharram 1446, a Thursday
    EXPECT_EQ(model.today(), (HijriDate{5, 1, 1446}));
    EXPECT_EQ(model.monthIndex(), 0);
    EXPECT_EQ(model.yearIndex(), 1446 - kCalendarFirstYear);
    EXPECT_EQ(model.todayCell(), 4);
    EXPECT_EQ(model.todayDayNumber(), 6);
    EXPECT_EQ(model.preview().hijriText, "1446/01/05");
    EXPECT_EQ(model.preview().gregorianText, "2024/07/11");
    EXPECT_EQ(model.preview().weekday, weekdayName(4));
    EXPECT_EQ(model.facts().lastDay, "29");
    EXPECT_FALSE(model.pickedCell());

    // Today's mark follows the month shown.
    model.showMonthByButton(1);
    EXPECT_EQ(model.todayCell(), -1);
    model.showMonthByButton(0);
    EXPECT_EQ(model.todayCell(), 4);

    // Today is the 28th of a month whose 1st is a Friday: cell 32 is found.
    CalendarModel friday28;
    friday28.open(serialOf(31, 10, 2024)); // 1446/04/28
    EXPECT_EQ(friday28.grid().firstCell(), 5);
    EXPECT_EQ(friday28.todayCell(), 32);
}

TEST(CalendarModel, OkReturnsTheDayOfThePickedCellPosition) {
    CalendarModel model;
    model.open(serialOf(11, 7, 2024));
    // Nothing picked yet: the day previewed, with its own weekday.
    PickedDate unpicked = model.confirm();
    EXPECT_EQ(unpicked.hijriText, "1446/01/05");
    EXPECT_EQ(unpicked.weekday, weekdayName(4));

    ASSERT_TRUE(model.pick(13)); // 14 Muharram, a Saturday
    EXPECT_EQ(model.colouredCell(), 13);
    PickedDate fourteenth = model.confirm();
    EXPECT_EQ(fourteenth.hijriText, "1446/01/14");
    EXPECT_EQ(fourteenth.weekday, weekdayName(6));
    EXPECT_TRUE(fourteenth.isWeekend());

    // Another month: the same cell position; Safar 1446 starts on a Monday.
    ASSERT_TRUE(model.pick(17));
    model.showMonthByButton(1);
    EXPECT_FALSE(model.colouredCell());
    EXPECT_EQ(model.preview().hijriText, "1446/02/17");
    PickedDate moved = model.confirm();
    EXPECT_EQ(moved.hijriText, "1446/02/17");
    EXPECT_EQ(moved.gregorianText, "2024/08/21");
    EXPECT_EQ(moved.weekday, weekdayName(3));

    // A cell that holds no day in the new month: the month's 1st, with its weekday.
    ASSERT_TRUE(model.pick(1));
    model.showMonthByButton(2); // Rabi' al-Awwal 1446 starts on a Wednesday
    PickedDate first = model.confirm();
    EXPECT_EQ(first.hijriText, "1446/03/01");
    EXPECT_EQ(first.weekday, weekdayName(3));
    EXPECT_EQ(model.facts().firstWeekday, "3");

    // Empty cells cannot be picked.
    EXPECT_FALSE(model.pick(0));
    EXPECT_FALSE(model.pick(39));
    EXPECT_EQ(model.pickedCell(), 1);
}

TEST(CalendarModel, SixthRowCellIsASunday) {
    CalendarModel model;
    model.open(serialOf(20, 9, 2023)); // Rabi' al-Awwal 1445
    ASSERT_TRUE(model.pick(35));
    const PickedDate day30 = model.confirm();
    EXPECT_EQ(day30.hijriText, "1445/03/30");
    EXPECT_EQ(day30.weekday, weekdayName(0));
    EXPECT_FALSE(day30.isWeekend());
}

TEST(CalendarModel, TodayOutsideTheTableDrawsNothing) {
    CalendarModel model;
    model.open(serialOf(1, 1, 1850));
    EXPECT_EQ(model.grid().firstCell(), -1);
    EXPECT_EQ(model.preview().hijriText, "0000/00/00");
    EXPECT_EQ(model.preview().weekday, "");
    EXPECT_EQ(model.confirm().weekday, "");
    EXPECT_EQ(model.facts(), MonthFacts{});
}

TEST(CalendarRequest, OnlyAnExamDayDateNamesAnExamDay) {
    EXPECT_EQ(examDayToWrite(CalendarRequest::examDayDate(3)), 3);
    EXPECT_EQ(examDayToWrite(CalendarRequest::examDayDate(0, false)), 0);
    EXPECT_FALSE(examDayToWrite(CalendarRequest::examDayDate(10)));
    EXPECT_FALSE(examDayToWrite(CalendarRequest::examPrint(ExamPrintKind::HandOver)));
    EXPECT_FALSE(examDayToWrite(CalendarRequest::studentMinutes(MinutesKind::Cheating)));
    EXPECT_FALSE(examDayToWrite(CalendarRequest::absenceMonth()));

    EXPECT_TRUE(CalendarRequest::absenceMonth().isAttendance());
    EXPECT_TRUE(CalendarRequest::attendanceDay().isAttendance());
    EXPECT_FALSE(CalendarRequest::examDayDate(1).isAttendance());
    EXPECT_TRUE(CalendarRequest::examDayDate(1, false).note.empty());
    EXPECT_EQ(CalendarRequest::examPrint(ExamPrintKind::HandOver).note.substr(0, 2), "\r\n");
}

} // namespace
} // namespace sijill::dates
