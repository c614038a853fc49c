#include "dates/HijriConversion.h"
#include "dates/DateText.h"
#include "dates/DaySerial.h"
#include "dates/HijriTable.h"

#include <gtest/gtest.h>

namespace sijill::dates {
namespace {

constexpr DaySerial kFirstDay = -6258; // 1 Muharram 1300, 11 November 1882
constexpr DaySerial kLastDay = 64970;  // 30 Dhu al-Hijjah 1500, 16 November 2077

std::optional<HijriDate> hijriOfText(const std::optional<std::string>& text) {
    if (!text || text->size() != 10)
        return std::nullopt;
    return HijriDate{std::stoi(text->substr(0, 2)), std::stoi(text->substr(3, 2)),
                     std::stoi(text->substr(6, 4))};
}

HijriDate nextHijriDay(HijriDate d) {
    if (++d.day > hijriMonthLength(d.year, d.month)) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

// Every day of the table, walked by serial: each serial gives the Hijri day
// after the one before, which converts back to the same serial, and the
// Gregorian date goes to Hijri text and back unchanged.
TEST(HijriConversion, EveryDayOfTheTableRoundTrips) {
    HijriDate expected{1, 1, 1300};
    int days = 0;
    for (DaySerial serial = kFirstDay; serial <= kLastDay; ++serial, ++days) {
        const auto hijri = SerialToHijri(serial);
        ASSERT_TRUE(hijri) << serial;
        ASSERT_EQ(*hijri, expected) << serial;
        ASSERT_TRUE(IsValidHijriDate(hijri->day, hijri->month, hijri->year));
        ASSERT_EQ(HijriToSerial(hijri->day, hijri->month, hijri->year), serial);

        const GregorianDate g = serialToGregorian(serial);
        const auto text = GregorianToHijri(g.day, g.month, g.year);
        ASSERT_EQ(text, dayFirstHijriText(*hijri)) << serial;
        const auto back = hijriOfText(text);
        ASSERT_TRUE(back);
        const auto backSerial = HijriToSerial(back->day, back->month, back->year);
        ASSERT_TRUE(backSerial);
        ASSERT_EQ(serialToGregorian(*backSerial), g) << serial;
        expected = nextHijriDay(expected);
    }
    EXPECT_EQ(days, 71229);
    EXPECT_EQ(expected, (HijriDate{1, 1, 1501}));
}

// Walked the other way: every valid Hijri day goes to a serial and back.
TEST(HijriConversion, EveryHijriDayRoundTrips) {
    DaySerial expected = kFirstDay;
    for (int y = kFirstHijriYear; y <= kLastHijriYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= hijriMonthLength(y, m); ++d, ++expected) {
                const auto serial = HijriToSerial(d, m, y);
                ASSERT_EQ(serial, expected) << d << "/" << m << "/" << y;
                ASSERT_EQ(SerialToHijri(*serial), (HijriDate{d, m, y}));
            }
        }
    }
    EXPECT_EQ(expected, kLastDay + 1);
}

TEST(GregorianToHijri, WorkedExamples) {
    EXPECT_EQ(GregorianToHijri(19, 7, 2023), "01/01/1445");
    EXPECT_EQ(GregorianToHijri(18, 7, 2023), "30/12/1444");
    EXPECT_EQ(GregorianToHijri(7, 7, 2024), "01/01/1446");
    EXPECT_EQ(GregorianToHijri(1, 1, 2000), "24/09/1420");
    EXPECT_EQ(GregorianToHijri(30, 12, 1899), "27/08/1317");
    EXPECT_EQ(GregorianToHijri(16, 11, 2077), "30/12/1500");
    EXPECT_EQ(GregorianToHijri(14, 10, 2015), "01/01/1437");
}

TEST(GregorianToHijri, FirstDayOfTheTableConverts) {
    // The arithmetic guess for this day is 1299; the table still holds it.
    EXPECT_EQ(ApproxHijriYear(kFirstDay), 1299);
    EXPECT_EQ(GregorianToHijri(11, 11, 1882), "01/01/1300");
    EXPECT_TRUE(IsValidHijriDate(1, 1, 1300));
}

TEST(GregorianToHijri, NothingOutsideTheTableOrForNoDate) {
    EXPECT_EQ(GregorianToHijri(17, 11, 2077), std::nullopt);
    EXPECT_EQ(GregorianToHijri(10, 11, 1882), std::nullopt);
    EXPECT_EQ(GregorianToHijri(1, 1, 1800), std::nullopt);
    EXPECT_EQ(GregorianToHijri(1, 1, 9999), std::nullopt);
    EXPECT_EQ(GregorianToHijri(29, 2, 2023), std::nullopt);
    EXPECT_EQ(GregorianToHijri(31, 4, 2024), std::nullopt);
    EXPECT_EQ(GregorianToHijri(1, 13, 2024), std::nullopt);
    EXPECT_EQ(SerialToHijri(kFirstDay - 1), std::nullopt);
    EXPECT_EQ(SerialToHijri(kLastDay + 1), std::nullopt);
    EXPECT_EQ(SerialToHijri(INT32_MIN), std::nullopt);
    EXPECT_EQ(SerialToHijri(INT32_MAX), std::nullopt);
}

TEST(ApproxHijriYear, NeverMoreThanAYearFromTheTable) {
    for (DaySerial serial = kFirstDay; serial <= kLastDay; ++serial) {
        const int diff = ApproxHijriYear(serial) - SerialToHijri(serial)->year;
        ASSERT_LE(std::abs(diff), 1) << serial;
    }
}

TEST(HijriToSerial, WorkedExamples) {
    EXPECT_EQ(HijriToSerial(1, 1, 1300), -6258);
    EXPECT_EQ(HijriToSerial(0, 1, 1300), -6259);
    EXPECT_EQ(HijriToSerial(1, 13, 1300), -5904);
    EXPECT_EQ(HijriToSerial(1, 1, 1301), -5904);
    EXPECT_EQ(HijriToSerial(30, 12, 1500), 64970);
    EXPECT_EQ(HijriToSerial(1, 1, 1446), 45480);
    // A day past the month's length runs into the next month.
    EXPECT_EQ(HijriToSerial(30, 3, 1300), HijriToSerial(1, 4, 1300));
}

TEST(HijriToSerial, NothingForYearsMonthsOrDaysOutOfRange) {
    EXPECT_EQ(HijriToSerial(1, 1, 1299), std::nullopt);
    EXPECT_EQ(HijriToSerial(1, 1, 1501), std::nullopt);
    EXPECT_EQ(HijriToSerial(1, 0, 1300), std::nullopt);
    EXPECT_EQ(HijriToSerial(1, 14, 1300), std::nullopt);
    EXPECT_EQ(HijriToSerial(-1, 1, 1446), std::nullopt);
    EXPECT_EQ(HijriToSerial(256, 1, 1446), std::nullopt);
    EXPECT_EQ(HijriToSerial(INT32_MAX, 1, 1446), std::nullopt);
}

TEST(IsValidHijriDate, WorkedExamples) {
    EXPECT_TRUE(IsValidHijriDate(29, 3, 1300));
    EXPECT_TRUE(IsValidHijriDate(30, 1, 1300));
    EXPECT_TRUE(IsValidHijriDate(30, 12, 1500));
    EXPECT_FALSE(IsValidHijriDate(30, 3, 1300));
    EXPECT_FALSE(IsValidHijriDate(31, 1, 1300));
    EXPECT_FALSE(IsValidHijriDate(0, 1, 1300));
    EXPECT_FALSE(IsValidHijriDate(1, 13, 1300));
    EXPECT_FALSE(IsValidHijriDate(1, 1, 1501));
    EXPECT_FALSE(IsValidHijriDate(30, 12, 1299));
}

// Valid means exactly: the serial of the date converts back to the same date.
TEST(IsValidHijriDate, AgreesWithTheRoundTripEverywhere) {
    for (int y = kFirstHijriYear - 1; y <= kLastHijriYear + 1; ++y) {
        for (int m = 0; m <= 14; ++m) {
            for (int d = 0; d <= 32; ++d) {
                const auto serial = HijriToSerial(d, m, y);
                const auto back = serial ? SerialToHijri(*serial) : std::nullopt;
                const bool roundTrip = back && *back == HijriDate{d, m, y};
                ASSERT_EQ(IsValidHijriDate(d, m, y), roundTrip) << d << "/" << m << "/" << y;
            }
        }
    }
}

TEST(ParseHijriText, GivesBackTheTextOfADayOfTheTable) {
    EXPECT_EQ(ParseHijriText("05/03/1446"), "05/03/1446");
    EXPECT_EQ(ParseHijriText("01/01/1300"), "01/01/1300");
    EXPECT_EQ(ParseHijriText("30/12/1500"), "30/12/1500");
    EXPECT_EQ(ParseHijriText("  05/03/1446 "), "05/03/1446");
    EXPECT_EQ(ParseHijriText("5/3/1446"), "05/03/1446");
    EXPECT_EQ(ParseHijriText("05/03/1446 12:00:00"), "05/03/1446");
}

TEST(ParseHijriText, EmptyForDaysOutsideTheTableAndOtherTexts) {
    EXPECT_EQ(ParseHijriText("30/03/1300"), "");
    EXPECT_EQ(ParseHijriText(""), "");
    EXPECT_EQ(ParseHijriText("   "), "");
    EXPECT_EQ(ParseHijriText("01/01/1501"), "");
    EXPECT_EQ(ParseHijriText("00/01/1446"), "");
    EXPECT_EQ(ParseHijriText("05/03"), "");
    EXPECT_EQ(ParseHijriText("05/03/1446/7"), "");
    EXPECT_EQ(ParseHijriText("a/b/c"), "");
    EXPECT_EQ(ParseHijriText("99999999999999999999/03/1446"), "");
    EXPECT_EQ(ParseHijriText("1446/03/05"), "");
}

TEST(HijriConversion, MonthsTheCalendarShows) {
    struct Month {
        int month, year, length;
        GregorianDate first;
        int weekday; // of the 1st, 0 Sunday
    };
    const Month months[] = {
        {1, 1446, 29, {7, 7, 2024}, 0},  // Muharram 1446 from a Sunday
        {3, 1445, 30, {16, 9, 2023}, 6}, // Rabi' al-Awwal 1445 from a Saturday
        {7, 1445, 29, {13, 1, 2024}, 6}, // Rajab 1445
        {12, 1445, 30, {7, 6, 2024}, 5}, // Dhu al-Hijjah 1445 from a Friday
        {1, 1317, 30, {10, 5, 1899}, 3}, // 1317 runs into 1900
        {1, 1420, 29, {17, 4, 1999}, 6},
    };
    for (const Month& m : months) {
        EXPECT_EQ(hijriMonthLength(m.year, m.month), m.length) << m.month << "/" << m.year;
        const auto first = HijriToSerial(1, m.month, m.year);
        ASSERT_TRUE(first);
        EXPECT_EQ(serialToGregorian(*first), m.first) << m.month << "/" << m.year;
        EXPECT_EQ(weekdayOfSerial(*first), m.weekday) << m.month << "/" << m.year;
    }
    EXPECT_EQ(hijriMonthLength(1446, 0), 0);
    EXPECT_EQ(hijriMonthLength(1501, 1), 0);
}

} // namespace
} // namespace sijill::dates
