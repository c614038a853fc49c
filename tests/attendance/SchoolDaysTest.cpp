#include "attendance/SchoolDays.h"
#include "attendance/AbsenceMonth.h"
#include "dates/HijriConversion.h"

#include <gtest/gtest.h>

namespace sijill::attendance {
namespace {

// The number of school days by the weekday of day 1 and the month's length.
TEST(SchoolDays, EveryMonthShapeHasItsCountAndNoWeekendDay) {
    const int expected29[7] = {21, 21, 21, 21, 21, 20, 20};
    const int expected30[7] = {22, 22, 22, 22, 21, 20, 21};
    for (int first = 0; first < 7; ++first) {
        for (int length : {29, 30}) {
            const std::vector<DayColumn> days = schoolDays(first, length);
            EXPECT_EQ(static_cast<int>(days.size()),
                      length == 29 ? expected29[first] : expected30[first])
                << "first " << first << " length " << length;
            EXPECT_LE(days.size(), static_cast<std::size_t>(kDayColumns));
            int previous = 0;
            for (const DayColumn& d : days) {
                EXPECT_GT(d.day, previous);
                EXPECT_LE(d.day, length);
                EXPECT_EQ(d.weekday, (first + d.day - 1) % 7);
                EXPECT_LE(d.weekday, 4);
                previous = d.day;
            }
        }
    }
}

TEST(SchoolDays, FirstAndLastColumnsOfTheMonthShapes) {
    // 30 days from a Sunday: Sunday 1 .. Thursday 5, ..., Sunday 29, Monday 30.
    auto days = schoolDays(0, 30);
    EXPECT_EQ(days.front().day, 1);
    EXPECT_EQ(days[4].day, 5);
    EXPECT_EQ(days[4].weekday, 4);
    EXPECT_EQ(days[20].day, 29);
    EXPECT_EQ(days[20].weekday, 0);
    EXPECT_EQ(days[21].day, 30);
    EXPECT_EQ(days[21].weekday, 1);
    // 30 days from a Thursday: Thursday 1, then Sunday 4; the last is Thursday 29.
    days = schoolDays(4, 30);
    EXPECT_EQ(days[0].day, 1);
    EXPECT_EQ(days[1].day, 4);
    EXPECT_EQ(days.back().day, 29);
    EXPECT_EQ(days.back().weekday, 4);
    // 29 days from a Saturday: Sunday 2 .. Thursday 27.
    days = schoolDays(6, 29);
    EXPECT_EQ(days.front().day, 2);
    EXPECT_EQ(days.back().day, 27);
    // 30 days from a Saturday ends on Sunday 30.
    days = schoolDays(6, 30);
    EXPECT_EQ(days.back().day, 30);
    EXPECT_EQ(days.back().weekday, 0);
    // From a Friday the first column is Sunday 3.
    EXPECT_EQ(schoolDays(5, 29).front().day, 3);
    EXPECT_EQ(schoolDays(5, 29).front().weekday, 0);
    // Nonsense gives no columns rather than a wrong sheet.
    EXPECT_TRUE(schoolDays(7, 30).empty());
    EXPECT_TRUE(schoolDays(-1, 30).empty());
    EXPECT_TRUE(schoolDays(0, 0).empty());
}

TEST(SchoolDays, CaptionsAndMonthNames) {
    EXPECT_EQ(dateCaption(9, 1), QStringLiteral("9/1"));
    EXPECT_EQ(dateCaption(12, 30), QStringLiteral("12/30"));
    EXPECT_EQ(columnWeekdayName(0), QStringLiteral("أحد"));
    EXPECT_EQ(columnWeekdayName(4), QStringLiteral("خميس"));
    EXPECT_TRUE(columnWeekdayName(5).isEmpty());
    EXPECT_EQ(hijriMonthName(9), QStringLiteral("رمضان"));
    EXPECT_EQ(hijriMonthName(12), QStringLiteral("ذو الحجة"));
    EXPECT_TRUE(hijriMonthName(0).isEmpty());
    EXPECT_TRUE(hijriMonthName(13).isEmpty());
}

// The month of a sheet comes whole from the picked date.
TEST(AbsenceMonth, ComesFromThePickedDateAlone) {
    // 1 Muharram 1446 is Sunday 7 July 2024.
    const std::optional<AbsenceMonth> m = absenceMonthOf(QStringLiteral("1446/01/17"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->year, 1446);
    EXPECT_EQ(m->month, 1);
    EXPECT_EQ(m->firstWeekday, 0);
    EXPECT_EQ(m->length, dates::hijriMonthLength(1446, 1));
    // Safar 1446 begins a day after Muharram's last day.
    const std::optional<AbsenceMonth> safar = absenceMonthOf(QStringLiteral("1446/02/01"));
    ASSERT_TRUE(safar);
    EXPECT_EQ(safar->firstWeekday, (m->length) % 7);

    for (const char* text :
         {"-", "", "1446/13/01", "1446/01/31", "46/1/1", "1600/01/01", "1446-01-01"})
        EXPECT_FALSE(absenceMonthOf(QString::fromUtf8(text))) << text;
}

} // namespace
} // namespace sijill::attendance
