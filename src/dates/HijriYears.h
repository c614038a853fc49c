#pragma once

#include "dates/DaySerial.h"

#include <span>
#include <string_view>

namespace sijill::dates {

// One printed row of the year table: up to five consecutive Hijri years, the
// Gregorian date of 1 Muharram of the first, and each year's twelve month
// flags ('1' = 30 days, '0' = 29), years separated by a blank.
struct HijriYearRow {
    int firstYear;
    GregorianDate firstStart;
    std::string_view flags;
};

// The 41 rows for the years 1300 to 1500, in order. Fixed data: the program's
// calendar is this table, not a computed one.
std::span<const HijriYearRow> hijriYearRows();

} // namespace sijill::dates
