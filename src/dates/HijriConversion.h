#pragma once

#include "dates/DaySerial.h"
#include "dates/HijriDate.h"

#include <optional>
#include <string>
#include <string_view>

namespace sijill::dates {

// Conversions over the year table (1 Muharram 1300 to 30 Dhu al-Hijjah 1500).
// A date the table does not hold gives an empty result, never an error.

// startSerial + days of the months before `month` + day - 1, for a year of
// the table and a month 1 to 13. The day is not checked against the month:
// day 0 is the last day of the month before, and month 13 runs on into the
// next year. Use IsValidHijriDate to test a date. Days outside 0 to 255 give
// nothing.
std::optional<DaySerial> HijriToSerial(int day, int month, int year);

// The Hijri date of a day serial of the table.
std::optional<HijriDate> SerialToHijri(DaySerial serial);

// The day-first Hijri text ("dd/mm/yyyy") of a real Gregorian date of the table.
std::optional<std::string> GregorianToHijri(int day, int month, int year);

// The year of the arithmetic (tabular, civil epoch) Hijri calendar: never more
// than a year away from the table's year on the table's days. Only a starting
// point for the table search.
int ApproxHijriYear(DaySerial serial);

// True when the table holds that day: month 1 to 12, day 1 to the month's length.
bool IsValidHijriDate(int day, int month, int year);

// 29 or 30; 0 for a month the table does not hold.
int hijriMonthLength(int year, int month);

// A day-first Hijri text read back: "dd/mm/yyyy" of the same day when the text
// names a day of the table, else "". Blanks around the text are ignored; each
// of the three parts is read from its leading digits.
std::string ParseHijriText(std::string_view text);

} // namespace sijill::dates
