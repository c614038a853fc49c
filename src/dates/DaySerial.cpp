#include "dates/DaySerial.h"

#include <cstdint>

namespace sijill::dates {

namespace {

// Days from 1 January 1970 to 30 December 1899, the serial's day 0.
constexpr std::int64_t kEpochShift = 25569;

// Proleptic Gregorian day count from 1 January 1970 (era-based, exact for any
// year that fits an int).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

bool isGregorianLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int gregorianMonthLength(int year, int month) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isGregorianLeapYear(year) ? 29 : kLengths[month - 1];
}

std::optional<DaySerial> gregorianToSerial(int day, int month, int year) {
    if (year < 1 || year > 9999 || day < 1 || day > gregorianMonthLength(year, month))
        return std::nullopt;
    return static_cast<DaySerial>(daysFromCivil(year, month, day) + kEpochShift);
}

std::optional<DaySerial> gregorianToSerial(const GregorianDate& date) {
    return gregorianToSerial(date.day, date.month, date.year);
}

GregorianDate serialToGregorian(DaySerial serial) {
    const std::int64_t z = static_cast<std::int64_t>(serial) - kEpochShift + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return {d, m, static_cast<int>(y)};
}

int weekdayOfSerial(DaySerial serial) {
    // Day 0 was a Saturday.
    const int r = static_cast<int>((static_cast<std::int64_t>(serial) + 6) % 7);
    return r < 0 ? r + 7 : r;
}

} // namespace sijill::dates
