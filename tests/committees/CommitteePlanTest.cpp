#include "committees/CommitteePlan.h"

#include <climits>
#include <gtest/gtest.h>

using namespace sijill::committees;

TEST(CommitteeCount, RoundsHalfToEvenAndAddsOne) {
    EXPECT_EQ(committeeCount("65", "30"), 4); // 2.67 -> 3
    EXPECT_EQ(committeeCount("60", "30"), 3); // 2.5 -> 2
    EXPECT_EQ(committeeCount("90", "30"), 5); // 3.5 -> 4
    EXPECT_EQ(committeeCount("45", "30"), 3); // 2.0
    EXPECT_EQ(committeeCount("0", "30"), 1);  // 0.5 -> 0
    EXPECT_EQ(committeeCount("83", "25"), 5); // 3.82 -> 4
}

TEST(CommitteeCount, RefusesCapacitiesThatCannotDivide) {
    EXPECT_FALSE(committeeCount("60", "0"));
    EXPECT_FALSE(committeeCount("60", "-5"));
    EXPECT_FALSE(committeeCount("60", "ثلاثون"));
    EXPECT_FALSE(committeeCount("", "30"));
}

TEST(CommitteeCapacity, OnlyAWholeNumberOfAtLeastOne) {
    for (const QString bad : {"0", "-3", "+3", "0.00001", "1e-300", "0.1", "3.0", "abc", "", " ",
                              "3 0", "99999999999"}) {
        EXPECT_FALSE(committeeCapacity(bad)) << bad.toStdString();
        EXPECT_FALSE(committeeCount("83", bad)) << bad.toStdString();
    }
    EXPECT_EQ(committeeCapacity(" 30 "), 30);
    EXPECT_EQ(committeeCapacity(QStringLiteral("٣٠")), 30);
    EXPECT_EQ(committeeCapacity(QStringLiteral("۲۵")), 25);
    EXPECT_EQ(committeeCount("0", QStringLiteral("٣٠")), 1);
    // A row's capacity may be 0; it is still a whole number.
    EXPECT_EQ(wholeNumber("0"), 0);
    EXPECT_FALSE(wholeNumber("1.5"));
}

TEST(CommitteePlan, NamesDeskRowsAndLeadingNumbers) {
    EXPECT_EQ(committeeName(3), QStringLiteral("اللجنة [3]"));
    EXPECT_EQ(deskRows(35), 3);
    EXPECT_EQ(deskRows(9), 0);
    EXPECT_EQ(leadingNumber("12"), 12);
    EXPECT_EQ(leadingNumber(" 7 مقاعد"), 7);
    EXPECT_EQ(leadingNumber("x12"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
}

TEST(SeatShares, TheLastCommitteeTakesTheRemaindersWhileItsRoomHoldsThem) {
    // The worked example: 20, 20, 20 and 23 at capacity 30.
    const auto rows = seatShares({25, 30, 28}, 4, 30);
    ASSERT_TRUE(rows);
    const std::vector<GradeSeats> expected = {
        {6, 7, 7}, {6, 7, 7}, {6, 7, 7}, {7, 9, 7}, {6, 7, 7}};
    EXPECT_EQ(*rows, expected);
}

TEST(SeatShares, RemaindersThatWouldOverfillTheLastRoomAreSpreadOneByOne) {
    struct Shape {
        GradeSeats totals;
        int committees;
        std::optional<int> capacity;
    };
    // 25/30/28 over 4 leaves 23 to the last room: 22 seats overfill it, 23 hold it.
    const Shape shapes[] = {
        {{25, 30, 28}, 4, 30},     {{25, 30, 28}, 4, 22},     {{25, 30, 28}, 4, 23},
        {{333, 334, 334}, 35, 30}, {{333, 334, 334}, 35, 99}, {{40, 0, 39}, 3, 30},
        {{5, 5, 5}, 7, 0},         {{100, 3, 0}, 9, 12},      {{100, 3, 0}, 9, {}},
        {{17, 17, 17}, 1, 10},
    };
    for (const Shape& s : shapes) {
        const std::string name = std::to_string(s.totals[0]) + "/" + std::to_string(s.totals[1]) +
                                 "/" + std::to_string(s.totals[2]) + " over " +
                                 std::to_string(s.committees);
        const auto rows = seatShares(s.totals, s.committees, s.capacity);
        ASSERT_TRUE(rows) << name;
        ASSERT_EQ(rows->size(), static_cast<std::size_t>(s.committees) + 1) << name;
        int partsLast = 0;
        for (int g = 0; g < kGrades; ++g)
            partsLast += s.totals[g] - (s.committees - 1) * (s.totals[g] / s.committees);
        const bool overflows = s.capacity && partsLast > *s.capacity;
        int low = INT_MAX;
        int high = 0;
        for (int g = 0; g < kGrades; ++g) {
            const int q = s.totals[g] / s.committees;
            int sum = 0;
            for (int i = 0; i < s.committees; ++i) {
                const int seat = (*rows)[static_cast<std::size_t>(i)][g];
                sum += seat;
                if (overflows) {
                    EXPECT_TRUE(seat == q || seat == q + 1) << name << " grade " << g;
                } else {
                    EXPECT_EQ(seat, i + 1 < s.committees ? q : s.totals[g] - i * q) << name;
                }
            }
            EXPECT_EQ(sum, s.totals[g]) << name << " grade " << g;
            EXPECT_EQ(rows->back()[g], q) << name; // the entry row: the plain share
        }
        for (int i = 0; i < s.committees; ++i) {
            const GradeSeats& r = (*rows)[static_cast<std::size_t>(i)];
            low = std::min(low, r[0] + r[1] + r[2]);
            high = std::max(high, r[0] + r[1] + r[2]);
        }
        if (overflows) {
            EXPECT_LE(high - low, 1) << name;
        }
    }
    // 1001 students in 35 committees of 30: 9 or 10 of each grade, 28 or 29 in all.
    const auto rows = seatShares({333, 334, 334}, 35, 30);
    for (int i = 0; i < 35; ++i) {
        const GradeSeats& r = (*rows)[static_cast<std::size_t>(i)];
        EXPECT_GE(r[0] + r[1] + r[2], 28);
        EXPECT_LE(r[0] + r[1] + r[2], 29);
    }
}

TEST(SeatShares, OneCommitteeTakesEverythingAndNoneFails) {
    const auto one = seatShares({25, 30, 28}, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ((*one)[0], (GradeSeats{25, 30, 28}));
    EXPECT_EQ((*one)[1], (GradeSeats{25, 30, 28}));
    EXPECT_FALSE(seatShares({25, 30, 28}, 0));
}
