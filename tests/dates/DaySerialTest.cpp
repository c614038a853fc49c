#include "dates/DaySerial.h"
#include "dates/DateText.h"
#include "dates/Weekdays.h"

#include <gtest/gtest.h>

namespace sijill::dates {
namespace {

TEST(DaySerial, KnownDays) {
    EXPECT_EQ(gregorianToSerial(30, 12, 1899), 0);
    EXPECT_EQ(gregorianToSerial(31, 12, 1899), 1);
    EXPECT_EQ(gregorianToSerial(29, 12, 1899), -1);
    EXPECT_EQ(gregorianToSerial(1, 1, 1900), 2);
    EXPECT_EQ(gregorianToSerial(1, 3, 1900), 61);
    EXPECT_EQ(gregorianToSerial(1, 1, 2000), 36526);
    EXPECT_EQ(gregorianToSerial(7, 7, 2024), 45480);
    EXPECT_EQ(gregorianToSerial(11, 11, 1882), -6258);
    EXPECT_EQ(gregorianToSerial(GregorianDate{16, 11, 2077}), 64970);
}

TEST(DaySerial, OnlyRealDates) {
    EXPECT_EQ(gregorianToSerial(29, 2, 1900), std::nullopt);
    EXPECT_TRUE(gregorianToSerial(29, 2, 2000));
    EXPECT_TRUE(gregorianToSerial(29, 2, 2024));
    EXPECT_EQ(gregorianToSerial(29, 2, 2023), std::nullopt);
    EXPECT_EQ(gregorianToSerial(31, 4, 2024), std::nullopt);
    EXPECT_EQ(gregorianToSerial(0, 1, 2024), std::nullopt);
    EXPECT_EQ(gregorianToSerial(1, 0, 2024), std::nullopt);
    EXPECT_EQ(gregorianToSerial(1, 13, 2024), std::nullopt);
    EXPECT_EQ(gregorianToSerial(1, 1, 0), std::nullopt);
    EXPECT_EQ(gregorianToSerial(1, 1, 10000), std::nullopt);
}

// Consecutive serials are consecutive dates, from year 1 to 9999.
TEST(DaySerial, EveryDateRoundTrips) {
    const DaySerial first = gregorianToSerial(1, 1, 1).value();
    const DaySerial last = gregorianToSerial(31, 12, 9999).value();
    GregorianDate expected{1, 1, 1};
    for (DaySerial s = first; s <= last; ++s) {
        const GregorianDate g = serialToGregorian(s);
        ASSERT_EQ(g, expected) << s;
        ASSERT_EQ(gregorianToSerial(g), s);
        if (++expected.day > gregorianMonthLength(expected.year, expected.month)) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

TEST(Weekdays, OfSerials) {
    EXPECT_EQ(weekdayOfSerial(0), 6);  // Saturday 30 December 1899
    EXPECT_EQ(weekdayOfSerial(1), 0);  // Sunday
    EXPECT_EQ(weekdayOfSerial(-1), 5); // Friday
    EXPECT_EQ(weekdayOfSerial(gregorianToSerial(7, 7, 2024).value()), 0); // Sunday
    EXPECT_EQ(weekdayOfSerial(gregorianToSerial(11, 11, 1882).value()), 6);
    EXPECT_EQ(weekdayOfSerial(-6258 - 7 * 1000), 6);
    EXPECT_EQ(weekdayOfSerial(INT32_MIN), weekdayOfSerial(INT32_MIN + 7));
}

TEST(Weekdays, NamesSundayFirst) {
    const std::array<std::string_view, 7> expected = {"الأحد",  "الاثنين", "الثلاثاء", "الأربعاء",
                                                      "الخميس", "الجمعة",  "السبت"};
    EXPECT_EQ(kWeekdayNames, expected);
    EXPECT_EQ(weekdayName(-1), "");
    EXPECT_EQ(weekdayName(7), "");
    EXPECT_EQ(weekdayNameOfSerial(gregorianToSerial(7, 6, 2024).value()), "الجمعة");
    EXPECT_EQ(weekdayNameOfSerial(gregorianToSerial(16, 9, 2023).value()), "السبت");
}

TEST(Weekdays, SaturdayFirstNumbersAndWeekend) {
    const DaySerial saturday = gregorianToSerial(6, 7, 2024).value();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(saturdayFirstDayNumber(saturday + i), i + 1);
    EXPECT_TRUE(isWeekend(saturday));
    EXPECT_TRUE(isWeekend(saturday + 6));
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(isWeekend(saturday + i));
}

TEST(DateText, Shapes) {
    EXPECT_EQ(hijriDateText({1, 1, 1446}), "1446/01/01");
    EXPECT_EQ(hijriDateText({30, 12, 1500}), "1500/12/30");
    EXPECT_EQ(dayFirstHijriText({5, 3, 1446}), "05/03/1446");
    EXPECT_EQ(gregorianDateText({7, 7, 2024}), "2024/07/07");
    EXPECT_EQ(zeroPadded(7, 2), "07");
    EXPECT_EQ(zeroPadded(123, 2), "123");
}

} // namespace
} // namespace sijill::dates
