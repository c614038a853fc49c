#pragma once

#include <QString>
#include <vector>

namespace sijill::attendance {

// The sheet has room for this many school days.
inline constexpr int kDayColumns = 22;

// One school day of a month: a column of the sheet.
struct DayColumn {
    int day = 0;     // 1 .. 30
    int weekday = 0; // 0 Sunday .. 4 Thursday
};

// The school days (Sunday to Thursday) of a month whose day 1 falls on
// `firstWeekday` (0 Sunday .. 6 Saturday) and that has `length` days, in
// order. Computed day by day, so every month shape gives its own count.
std::vector<DayColumn> schoolDays(int firstWeekday, int length);

// A column's weekday caption: "أحد" .. "خميس"; empty for a weekend day.
QString columnWeekdayName(int weekday);

// A column's date caption: month and day as plain numbers ("9/1").
QString dateCaption(int month, int day);

// The Hijri month's name, 1 Muharram .. 12 Dhu al-Hijjah; empty otherwise.
QString hijriMonthName(int month);

} // namespace sijill::attendance
