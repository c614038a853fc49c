#pragma once

#include <QString>
#include <optional>

namespace sijill::attendance {

// The month a sheet covers: its number, the weekday of its day 1 and its
// length, all taken from the one picked date, so they always agree.
struct AbsenceMonth {
    int year = 0;
    int month = 0;        // 1 .. 12
    int firstWeekday = 0; // 0 Sunday .. 6 Saturday
    int length = 0;       // 29 or 30
};

// The month of a Hijri date text "yyyy/mm/dd" that the year table holds;
// nothing for "-" or any other text.
std::optional<AbsenceMonth> absenceMonthOf(const QString& hijriDateText);

} // namespace sijill::attendance
