#pragma once

#include <string>
#include <vector>

namespace sijill::dates {

// The years the calendar offers: the table's first and last three years are
// never shown, so every shown year has a neighbour on both sides.
inline constexpr int kCalendarFirstYear = 1303;
inline constexpr int kCalendarLastYear = 1497;

// The two index-aligned lists of one shown Hijri year, eight digits per day
// ("yyyymmdd"). hijriDays holds the year's 354 or 355 days from 1 Muharram;
// gregorianDays[i] is the Gregorian date of hijriDays[i]. The Gregorian list
// runs on to 31 December of the following Gregorian year; the items past the
// Hijri year are never read.
struct CalendarYearLists {
    int year = 0;
    std::vector<std::string> hijriDays;
    std::vector<std::string> gregorianDays;
};

// The lists of a year of the table; empty lists for any other year.
CalendarYearLists buildCalendarYearLists(int hijriYear);

} // namespace sijill::dates
