#include "dates/HijriTable.h"
#include "dates/DaySerial.h"
#include "dates/HijriYears.h"

#include <gtest/gtest.h>

namespace sijill::dates {
namespace {

DaySerial serialOf(int day, int month, int year) {
    return gregorianToSerial(day, month, year).value();
}

const HijriYearEntry& entry(int year) {
    const HijriYearEntry* e = InitHijriTable().find(year);
    EXPECT_NE(e, nullptr) << year;
    return *e;
}

TEST(HijriTable, CoversYears1300To1500Only) {
    const HijriTable& table = InitHijriTable();
    EXPECT_EQ(table.find(1299), nullptr);
    EXPECT_EQ(table.find(1501), nullptr);
    for (int y = kFirstHijriYear; y <= kLastHijriYear; ++y)
        EXPECT_EQ(table.find(y)->year, y);
    EXPECT_EQ(table.firstSerial(), -6258);
    EXPECT_EQ(table.lastSerial(), 64970);
    EXPECT_EQ(table.lastSerial(), serialOf(16, 11, 2077));
}

TEST(HijriTable, BuiltOnceAndShared) {
    EXPECT_EQ(&InitHijriTable(), &InitHijriTable());
}

TEST(HijriTable, MonthSumsOfSomeYears) {
    EXPECT_EQ(entry(1300).cumDays[0], 0);
    EXPECT_EQ(entry(1300).cumDays[1], 30);
    EXPECT_EQ(entry(1300).cumDays[3], 89);
    EXPECT_EQ(entry(1300).cumDays[12], 354);
    EXPECT_EQ(entry(1301).cumDays[12], 355);
}

TEST(HijriTable, StartsOfSomeYears) {
    EXPECT_EQ(entry(1300).startSerial, serialOf(11, 11, 1882));
    EXPECT_EQ(entry(1437).startSerial, 42291);
    EXPECT_EQ(entry(1437).startSerial, serialOf(14, 10, 2015));
    EXPECT_EQ(entry(1445).startSerial, 45126);
    EXPECT_EQ(entry(1446).startSerial, 45480);
    EXPECT_EQ(entry(1446).startSerial, serialOf(7, 7, 2024));
    EXPECT_EQ(entry(1500).startSerial, 64616);
    EXPECT_EQ(entry(1500).startSerial, serialOf(27, 11, 2076));
}

// The printed rows carry a start date every five years; each must agree with
// the lengths of the years before it, or a flag was copied wrong.
TEST(HijriTable, EachYearStartsTheDayAfterTheYearBefore) {
    for (int y = kFirstHijriYear + 1; y <= kLastHijriYear; ++y) {
        const HijriYearEntry& before = entry(y - 1);
        EXPECT_EQ(entry(y).startSerial, before.startSerial + before.cumDays[12]) << y;
    }
}

TEST(HijriTable, RowsStartWhereTheyArePrinted) {
    const auto rows = hijriYearRows();
    ASSERT_EQ(rows.size(), 41u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].firstYear, 1300 + 5 * static_cast<int>(i));
        EXPECT_EQ(
            entry(rows[i].firstYear).startSerial,
            serialOf(rows[i].firstStart.day, rows[i].firstStart.month, rows[i].firstStart.year))
            << rows[i].firstYear;
    }
    EXPECT_EQ(rows[8].firstStart, (GregorianDate{3, 9, 1921}));
    EXPECT_EQ(rows[29].firstStart, (GregorianDate{19, 7, 2023}));
}

TEST(HijriTable, YearLengthsAndTheirCounts) {
    int short354 = 0;
    int long355 = 0;
    for (int y = kFirstHijriYear; y <= kLastHijriYear; ++y) {
        const auto& cum = entry(y).cumDays;
        for (std::size_t k = 1; k <= 12; ++k) {
            const int length = cum[k] - cum[k - 1];
            EXPECT_TRUE(length == 29 || length == 30) << y << "/" << k;
        }
        short354 += cum[12] == 354;
        long355 += cum[12] == 355;
    }
    EXPECT_EQ(short354, 126);
    EXPECT_EQ(long355, 75);
}

TEST(LoadHijriYear, RecordsOfLoadedYears) {
    LoadedHijriYear last;
    LoadHijriYear(1300, last);
    EXPECT_EQ(last.HijriYearRecord, "11111882*1*1*0*1*0*0*1*0*1*0*1*0");
    EXPECT_EQ(last.HijriYearStart, -6258);
    EXPECT_EQ(last.HijriMonthFlags,
              (std::array<std::uint8_t, 12>{1, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0}));

    LoadHijriYear(1500, last);
    EXPECT_EQ(last.HijriYearRecord, "27112076*1*1*0*0*1*0*0*1*0*1*1*1");
    EXPECT_EQ(last.HijriYearStart, 64616);

    // A year inside a printed row: its start comes from the years before it.
    LoadHijriYear(1446, last);
    EXPECT_EQ(last.HijriYearRecord, "07072024*0*1*1*1*0*1*1*0*0*1*0*0");
    EXPECT_EQ(last.HijriYearStart, 45480);
}

TEST(LoadHijriYear, EveryRecordHas32CharactersAndMatchesTheTable) {
    LoadedHijriYear last;
    for (int y = kFirstHijriYear; y <= kLastHijriYear; ++y) {
        LoadHijriYear(y, last);
        ASSERT_EQ(last.HijriYearRecord.size(), 32u) << y;
        const GregorianDate start = serialToGregorian(entry(y).startSerial);
        EXPECT_EQ(std::stoi(last.HijriYearRecord.substr(0, 2)), start.day) << y;
        EXPECT_EQ(std::stoi(last.HijriYearRecord.substr(2, 2)), start.month) << y;
        EXPECT_EQ(std::stoi(last.HijriYearRecord.substr(4, 4)), start.year) << y;
    }
}

TEST(LoadHijriYear, YearsOutsideTheTableChangeNothing) {
    LoadedHijriYear last;
    LoadHijriYear(1445, last);
    const LoadedHijriYear before = last;
    for (const int year : {1299, 1501, 0, -1300}) {
        LoadHijriYear(year, last);
        EXPECT_EQ(last.HijriYearRecord, before.HijriYearRecord);
        EXPECT_EQ(last.HijriYearStart, before.HijriYearStart);
        EXPECT_EQ(last.HijriMonthFlags, before.HijriMonthFlags);
    }
}

TEST(SetHijriYearData, ReadsTheStartTextAndWritesTheRecord) {
    LoadedHijriYear last;
    SetHijriYearData(last, "07-07-2024", {0, 1, 1, 1, 0, 1, 1, 0, 0, 1, 0, 0});
    EXPECT_EQ(last.HijriYearStart, 45480);
    EXPECT_EQ(last.HijriYearRecord, "07072024*0*1*1*1*0*1*1*0*0*1*0*0");

    const LoadedHijriYear before = last;
    for (const char* bad : {"", "7-7-2024", "31-02-2024", "07/07/2024", "ab-07-2024"}) {
        SetHijriYearData(last, bad, {});
        EXPECT_EQ(last.HijriYearRecord, before.HijriYearRecord) << bad;
        EXPECT_EQ(last.HijriYearStart, before.HijriYearStart) << bad;
    }
}

} // namespace
} // namespace sijill::dates
