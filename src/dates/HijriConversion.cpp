#include "dates/HijriConversion.h"

#include "dates/DateText.h"
#include "dates/HijriTable.h"

#include <algorithm>
#include <cstdint>

namespace sijill::dates {

namespace {

// Days from 1 Muharram AH 1 of the tabular calendar (16 July 622, Julian) to
// the serial's day 0.
constexpr std::int64_t kTabularEpochShift = 466579;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<DaySerial> HijriToSerial(int day, int month, int year) {
    const HijriYearEntry* entry = InitHijriTable().find(year);
    if (!entry || month < 1 || month > 13 || day < 0 || day > 255)
        return std::nullopt;
    return entry->startSerial + entry->cumDays[static_cast<std::size_t>(month - 1)] + day - 1;
}

int ApproxHijriYear(DaySerial serial) {
    const std::int64_t days = serial + kTabularEpochShift;
    const std::int64_t n = 30 * days + 10646;
    // Floor division: days before the epoch give years below 1.
    return static_cast<int>(n >= 0 ? n / 10631 : -((-n + 10630) / 10631));
}

std::optional<HijriDate> SerialToHijri(DaySerial serial) {
    const HijriTable& table = InitHijriTable();
    if (serial < table.firstSerial() || serial > table.lastSerial())
        return std::nullopt;
    // The guess is clamped into the table so that the first and last days of
    // the table are found even where the arithmetic calendar lies a year off.
    int year = std::clamp(ApproxHijriYear(serial), kFirstHijriYear, kLastHijriYear);
    const HijriYearEntry* entry = table.find(year);
    while (serial < entry->startSerial)
        entry = table.find(--year);
    while (serial >= entry->startSerial + entry->cumDays[12])
        entry = table.find(++year);

    const int dayOfYear = serial - entry->startSerial; // from 0
    std::size_t month = 1;
    while (entry->cumDays[month] <= dayOfYear)
        ++month;
    return HijriDate{dayOfYear - entry->cumDays[month - 1] + 1, static_cast<int>(month), year};
}

std::optional<std::string> GregorianToHijri(int day, int month, int year) {
    const auto serial = gregorianToSerial(day, month, year);
    if (!serial)
        return std::nullopt;
    const auto hijri = SerialToHijri(*serial);
    if (!hijri)
        return std::nullopt;
    return dayFirstHijriText(*hijri);
}

int hijriMonthLength(int year, int month) {
    const HijriYearEntry* entry = InitHijriTable().find(year);
    if (!entry || month < 1 || month > 12)
        return 0;
    const auto m = static_cast<std::size_t>(month);
    return entry->cumDays[m] - entry->cumDays[m - 1];
}

bool IsValidHijriDate(int day, int month, int year) {
    return day >= 1 && day <= hijriMonthLength(year, month);
}

std::string ParseHijriText(std::string_view text) {
    text = trimmed(text);
    const auto slash1 = text.find('/');
    if (slash1 == std::string_view::npos)
        return {};
    const auto slash2 = text.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos || text.find('/', slash2 + 1) != std::string_view::npos)
        return {};
    const HijriDate date{leadingNumber(text.substr(0, slash1)),
                         leadingNumber(text.substr(slash1 + 1, slash2 - slash1 - 1)),
                         leadingNumber(text.substr(slash2 + 1))};
    if (!IsValidHijriDate(date.day, date.month, date.year))
        return {};
    return dayFirstHijriText(date);
}

} // namespace sijill::dates
