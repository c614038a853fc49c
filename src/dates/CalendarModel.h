#pragma once

#include "dates/CalendarYear.h"
#include "dates/DaySerial.h"
#include "dates/HijriDate.h"
#include "dates/MonthGrid.h"

#include <optional>
#include <string>

namespace sijill::dates {

// A day as the calendar hands it back.
struct PickedDate {
    HijriDate hijri;           // zeros when the table has no such day
    std::string hijriText;     // "yyyy/mm/dd"
    std::string gregorianText; // "yyyy/mm/dd" of the same day, "" when none
    std::string weekday;       // computed from the date, "" when none
    bool isWeekend() const;    // Friday or Saturday
};

// The picked-date record of a Hijri day; the weekday comes from the date itself.
PickedDate pickedDateOf(const HijriDate& day);

// The calendar's state without a window: the shown year and month, the grid,
// today, the picked cell, the preview band and the month facts. The window
// mirrors it into its controls.
class CalendarModel {
public:
    // Opening: today's date and weekday, today's month shown, today previewed,
    // the month facts of that month.
    void open(DaySerial today);

    // The month list (0 Muharram .. 11) and the year list (0 is 1303): each
    // selection redraws the grid whatever the state of any other window.
    void selectMonth(int monthIndex);
    void selectYear(int yearIndex);

    // Shows today's month again and previews today.
    void showToday();

    // A month button: shows that month of the shown year and previews the day
    // the OK would now return.
    void showMonthByButton(int monthIndex);

    // A click on a cell; only a cell that shows a day can be picked.
    bool pick(int cell);

    // The OK: refreshes the month facts and returns the picked day of the
    // month now shown: the day in the picked cell position, or the day the
    // preview shows when that cell holds none (or nothing was picked yet).
    PickedDate confirm();

    const MonthGrid& grid() const { return grid_; }
    int monthIndex() const { return monthIndex_; }
    int yearIndex() const { return yearIndex_; }

    const HijriDate& today() const { return today_; }
    // The main window's weekday number of today, Saturday 1 .. Friday 7.
    int todayDayNumber() const;
    // Today's cell in the month shown; -1 when another month is shown.
    int todayCell() const;

    std::optional<int> pickedCell() const { return pickedCell_; }
    // The cell coloured as picked; cleared by every redraw.
    std::optional<int> colouredCell() const { return colouredCell_; }
    const PickedDate& preview() const { return preview_; }
    const MonthFacts& facts() const { return facts_; }

private:
    void redraw();
    void refreshFacts();
    PickedDate dayInCell(int cell) const;

    CalendarYearLists lists_;
    MonthGrid grid_ = blankMonthGrid();
    int monthIndex_ = -1;
    int yearIndex_ = -1;
    HijriDate today_;
    DaySerial todaySerial_ = 0;
    std::optional<int> pickedCell_;
    std::optional<int> colouredCell_;
    PickedDate preview_;
    MonthFacts facts_;
};

} // namespace sijill::dates
