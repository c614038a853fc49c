#include "dates/DateFunctions.h"

#include "dates/DateText.h"
#include "dates/HijriConversion.h"

namespace sijill::dates {

namespace {

// All zero when the table has no such day.
HijriDate hijriOf(DaySerial date) {
    return SerialToHijri(date).value_or(HijriDate{});
}

HijriDate hijriOf(std::string_view text) {
    const std::string t = ParseHijriText(text);
    if (t.empty())
        return {};
    return {leadingNumber(t.substr(0, 2)), leadingNumber(t.substr(3, 2)),
            leadingNumber(t.substr(6, 4))};
}

} // namespace

int DayOfKind(DaySerial date, CalendarKind kind) {
    switch (kind) {
    case CalendarKind::Gregorian:
        return serialToGregorian(date).day;
    case CalendarKind::Hijri:
        return HijriDay(date);
    }
    return 0;
}

int MonthOfKind(DaySerial date, CalendarKind kind) {
    switch (kind) {
    case CalendarKind::Gregorian:
        return serialToGregorian(date).month;
    case CalendarKind::Hijri:
        return HijriMonth(date);
    }
    return 0;
}

int YearOfKind(DaySerial date, CalendarKind kind) {
    switch (kind) {
    case CalendarKind::Gregorian:
        return serialToGregorian(date).year;
    case CalendarKind::Hijri:
        return HijriYear(date);
    }
    return 0;
}

std::string MonthNameOfKind(int month, CalendarKind) {
    return HijriMonthName(month);
}

std::string HijriMonthName(int month) {
    return std::to_string(month);
}

std::string ConvertHijri(DaySerial date) {
    return ToHijriText(date);
}

std::string ToHijriText(DaySerial date) {
    const auto hijri = SerialToHijri(date);
    return hijri ? dayFirstHijriText(*hijri) : std::string();
}

std::string ToHijriText(std::string_view text) {
    return ParseHijriText(text);
}

int HijriDay(DaySerial date) {
    return hijriOf(date).day;
}
int HijriMonth(DaySerial date) {
    return hijriOf(date).month;
}
int HijriYear(DaySerial date) {
    return hijriOf(date).year;
}
int HijriDay(std::string_view text) {
    return hijriOf(text).day;
}
int HijriMonth(std::string_view text) {
    return hijriOf(text).month;
}
int HijriYear(std::string_view text) {
    return hijriOf(text).year;
}

} // namespace sijill::dates
