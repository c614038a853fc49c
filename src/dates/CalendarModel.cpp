#include "dates/CalendarModel.h"

#include "dates/DateText.h"
#include "dates/HijriConversion.h"
#include "dates/Weekdays.h"

namespace sijill::dates {

bool PickedDate::isWeekend() const {
    return !weekday.empty() && (weekday == weekdayName(5) || weekday == weekdayName(6));
}

PickedDate pickedDateOf(const HijriDate& day) {
    PickedDate picked;
    picked.hijri = day;
    picked.hijriText = hijriDateText(day);
    if (!IsValidHijriDate(day.day, day.month, day.year))
        return picked;
    if (const auto serial = HijriToSerial(day.day, day.month, day.year)) {
        picked.gregorianText = gregorianDateText(serialToGregorian(*serial));
        picked.weekday = std::string(weekdayNameOfSerial(*serial));
    }
    return picked;
}

void CalendarModel::open(DaySerial today) {
    todaySerial_ = today;
    today_ = SerialToHijri(today).value_or(HijriDate{});
    pickedCell_.reset();
    colouredCell_.reset();
    // A month or year outside the lists leaves that selection as it was.
    if (today_.month >= 1 && today_.month <= 12)
        monthIndex_ = today_.month - 1;
    if (today_.year >= kCalendarFirstYear && today_.year <= kCalendarLastYear)
        selectYear(today_.year - kCalendarFirstYear);
    showToday();
    refreshFacts();
}

void CalendarModel::selectMonth(int monthIndex) {
    if (monthIndex < 0 || monthIndex > 11)
        return;
    monthIndex_ = monthIndex;
    redraw();
}

void CalendarModel::selectYear(int yearIndex) {
    if (yearIndex < 0 || yearIndex > kCalendarLastYear - kCalendarFirstYear)
        return;
    yearIndex_ = yearIndex;
    lists_ = buildCalendarYearLists(kCalendarFirstYear + yearIndex);
    redraw();
}

void CalendarModel::showToday() {
    if (today_.month >= 1 && today_.month <= 12)
        monthIndex_ = today_.month - 1;
    if (today_.year >= kCalendarFirstYear && today_.year <= kCalendarLastYear &&
        yearIndex_ != today_.year - kCalendarFirstYear)
        selectYear(today_.year - kCalendarFirstYear);
    else
        redraw();
    preview_ = pickedDateOf(today_);
}

void CalendarModel::showMonthByButton(int monthIndex) {
    if (monthIndex < 0 || monthIndex > 11)
        return;
    selectMonth(monthIndex);
    if (pickedCell_ && grid_.holdsDay(*pickedCell_))
        preview_ = dayInCell(*pickedCell_);
    else if (grid_.firstCell() >= 0)
        preview_ = dayInCell(grid_.firstCell());
}

bool CalendarModel::pick(int cell) {
    if (!grid_.holdsDay(cell))
        return false;
    pickedCell_ = cell;
    colouredCell_ = cell;
    preview_ = dayInCell(cell);
    return true;
}

PickedDate CalendarModel::confirm() {
    refreshFacts();
    if (pickedCell_ && grid_.holdsDay(*pickedCell_))
        preview_ = dayInCell(*pickedCell_);
    return preview_;
}

int CalendarModel::todayDayNumber() const {
    return saturdayFirstDayNumber(todaySerial_);
}

int CalendarModel::todayCell() const {
    if (grid_.year == 0 || grid_.year != today_.year || grid_.month != today_.month)
        return -1;
    return grid_.cellOfDay(today_.day);
}

void CalendarModel::redraw() {
    colouredCell_.reset();
    grid_ = monthIndex_ >= 0 ? writeMonthGrid(lists_, monthIndex_ + 1) : blankMonthGrid();
}

void CalendarModel::refreshFacts() {
    if (const auto facts = monthFactsOf(grid_))
        facts_ = *facts;
}

PickedDate CalendarModel::dayInCell(int cell) const {
    return pickedDateOf(HijriDate{grid_.dayAt(cell), grid_.month, grid_.year});
}

} // namespace sijill::dates
