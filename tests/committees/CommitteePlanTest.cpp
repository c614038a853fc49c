#include "committees/CommitteePlan.h"

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

TEST(SeatShares, LastCommitteeTakesEveryRemainder) {
    const auto rows = seatShares({25, 30, 28}, 4);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 5u);
    const std::vector<GradeSeats> expected = {
        {6, 7, 7}, {6, 7, 7}, {6, 7, 7}, {7, 9, 7}, {6, 7, 7}};
    EXPECT_EQ(*rows, expected);
    int total = 0;
    for (std::size_t i = 0; i < 4; ++i)
        total += (*rows)[i][0] + (*rows)[i][1] + (*rows)[i][2];
    EXPECT_EQ(total, 83);
}

TEST(SeatShares, OneCommitteeTakesEverythingAndNoneFails) {
    const auto one = seatShares({25, 30, 28}, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ((*one)[0], (GradeSeats{25, 30, 28}));
    EXPECT_EQ((*one)[1], (GradeSeats{25, 30, 28}));
    EXPECT_FALSE(seatShares({25, 30, 28}, 0));
}
