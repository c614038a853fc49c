#pragma once

#include "dates/DaySerial.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sijill::dates {

// The calendar a date function reads a date in. Hijri is the year table's.
enum class CalendarKind : std::uint8_t { Gregorian = 1, Hijri = 2 };

// Day (1..30), month (1..12) and year of a date in a calendar; 0 when the
// date has none there (a Hijri date outside the table).
int DayOfKind(DaySerial date, CalendarKind kind);
int MonthOfKind(DaySerial date, CalendarKind kind);
int YearOfKind(DaySerial date, CalendarKind kind);

// The month's number in decimal digits without a leading zero ("5", "12"):
// the program shows no month names from here.
std::string MonthNameOfKind(int month, CalendarKind kind);
std::string HijriMonthName(int month);

// The day-first Hijri text ("dd/mm/yyyy") of a date, or "" outside the table.
std::string ConvertHijri(DaySerial date);

// A date, or a day-first Hijri text read back, as day-first Hijri text; "" when
// the table has no such day.
std::string ToHijriText(DaySerial date);
std::string ToHijriText(std::string_view text);

// Day, month and year of a date or of a day-first Hijri text in the year
// table's calendar; 0 when the table has no such day.
int HijriDay(DaySerial date);
int HijriMonth(DaySerial date);
int HijriYear(DaySerial date);
int HijriDay(std::string_view text);
int HijriMonth(std::string_view text);
int HijriYear(std::string_view text);

} // namespace sijill::dates
