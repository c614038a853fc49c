#include "dates/DateFunctions.h"
#include "dates/DaySerial.h"

#include <gtest/gtest.h>

namespace sijill::dates {
namespace {

DaySerial serialOf(int day, int month, int year) {
    return gregorianToSerial(day, month, year).value();
}

struct Parts {
    int day, month, year;
};

Parts hijriParts(DaySerial date) {
    return {DayOfKind(date, CalendarKind::Hijri), MonthOfKind(date, CalendarKind::Hijri),
            YearOfKind(date, CalendarKind::Hijri)};
}

TEST(DateFunctions, HijriPartsOfDates) {
    const Parts p1 = hijriParts(serialOf(7, 7, 2024));
    EXPECT_EQ(p1.day, 1);
    EXPECT_EQ(p1.month, 1);
    EXPECT_EQ(p1.year, 1446);

    const Parts p2 = hijriParts(serialOf(18, 7, 2023));
    EXPECT_EQ(p2.day, 30);
    EXPECT_EQ(p2.month, 12);
    EXPECT_EQ(p2.year, 1444);

    const Parts p3 = hijriParts(serialOf(11, 11, 1882));
    EXPECT_EQ(p3.day, 1);
    EXPECT_EQ(p3.month, 1);
    EXPECT_EQ(p3.year, 1300);
}

TEST(DateFunctions, ZeroOutsideTheTable) {
    for (const DaySerial date : {serialOf(17, 11, 2077), serialOf(10, 11, 1882)}) {
        const Parts p = hijriParts(date);
        EXPECT_EQ(p.day, 0);
        EXPECT_EQ(p.month, 0);
        EXPECT_EQ(p.year, 0);
        EXPECT_EQ(ConvertHijri(date), "");
        EXPECT_EQ(HijriDay(date), 0);
    }
}

TEST(DateFunctions, GregorianPartsOfDates) {
    const DaySerial date = serialOf(7, 7, 2024);
    EXPECT_EQ(DayOfKind(date, CalendarKind::Gregorian), 7);
    EXPECT_EQ(MonthOfKind(date, CalendarKind::Gregorian), 7);
    EXPECT_EQ(YearOfKind(date, CalendarKind::Gregorian), 2024);
}

TEST(DateFunctions, ConvertHijriGivesTheBareDayFirstText) {
    EXPECT_EQ(ConvertHijri(serialOf(7, 7, 2024)), "01/01/1446");
    EXPECT_EQ(ToHijriText(serialOf(1, 1, 2000)), "24/09/1420");
    EXPECT_EQ(ToHijriText(std::string_view("05/03/1446")), "05/03/1446");
    EXPECT_EQ(ToHijriText(std::string_view("30/03/1300")), "");
}

TEST(DateFunctions, PartsOfAText) {
    EXPECT_EQ(HijriDay("05/03/1446"), 5);
    EXPECT_EQ(HijriMonth("05/03/1446"), 3);
    EXPECT_EQ(HijriYear("05/03/1446"), 1446);
    EXPECT_EQ(HijriDay("30/03/1300"), 0);
    EXPECT_EQ(HijriMonth(""), 0);
    EXPECT_EQ(HijriYear("garbage"), 0);
}

TEST(DateFunctions, MonthNameIsTheMonthNumber) {
    EXPECT_EQ(MonthNameOfKind(5, CalendarKind::Hijri), "5");
    EXPECT_EQ(MonthNameOfKind(12, CalendarKind::Hijri), "12");
    EXPECT_EQ(HijriMonthName(1), "1");
}

} // namespace
} // namespace sijill::dates
