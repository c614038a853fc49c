#pragma once

#include <cstdint>
#include <optional>

namespace sijill::dates {

// A day serial counts whole days from 30 December 1899 (day 0); earlier days
// are negative. Every date of the engine is carried as one.
using DaySerial = std::int32_t;

struct GregorianDate {
    int day = 0;
    int month = 0;
    int year = 0;
    friend bool operator==(const GregorianDate&, const GregorianDate&) = default;
};

bool isGregorianLeapYear(int year);

// 28 to 31; 0 for a month outside 1 to 12.
int gregorianMonthLength(int year, int month);

// The serial of a real Gregorian date of the years 1 to 9999; empty for
// anything else (31 February, month 13, ...).
std::optional<DaySerial> gregorianToSerial(int day, int month, int year);
std::optional<DaySerial> gregorianToSerial(const GregorianDate& date);

GregorianDate serialToGregorian(DaySerial serial);

// 0 Sunday .. 6 Saturday.
int weekdayOfSerial(DaySerial serial);

} // namespace sijill::dates
