#include "exams/PickLists.h"
#include "data/Connection.h"
#include "platform/Wait.h"
#include "support/TestHome.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace sijill::exams {
namespace {

TEST(PickLists, ItemsFillRowsOfThreeFromTheRightAndTimesOneColumn) {
    EXPECT_EQ(pickItemPosition(PickList::Subjects, 0), QPoint(2500, 440));
    EXPECT_EQ(pickItemPosition(PickList::Subjects, 2), QPoint(40, 440));
    EXPECT_EQ(pickItemPosition(PickList::Subjects, 3), QPoint(2500, 810));
    EXPECT_EQ(pickItemPosition(PickList::Subjects, 23), QPoint(40, 3030));
    // The 25th subject and the 43rd staff name carry on beyond the edge.
    EXPECT_EQ(pickItemPosition(PickList::Subjects, 24), QPoint(-1190, 3030));
    EXPECT_EQ(pickItemPosition(PickList::Teachers, 41), QPoint(40, 5250));
    EXPECT_EQ(pickItemPosition(PickList::Teachers, 42), QPoint(-1190, 5250));
    EXPECT_EQ(pickItemPosition(PickList::Times, 0), QPoint(200, 440));
    EXPECT_EQ(pickItemPosition(PickList::Times, 7), QPoint(200, 3030));
    EXPECT_EQ(pickItemPosition(PickList::Times, 8), QPoint(-1030, 3030));
}

TEST(PickLists, DuplicatesAreTheSameStoredTextLetterForLetter) {
    const std::vector<PickItem> items = {{1, "لغتي"}, {2, "علوم"}};
    EXPECT_TRUE(isDuplicate(items, "لغتي"));
    EXPECT_FALSE(isDuplicate(items, "لغتي "));
    // Only the part before a comma is stored, so that part is compared.
    EXPECT_TRUE(isDuplicate(items, "علوم,1"));
    EXPECT_EQ(storedTitle("أحمد,3"), "أحمد");
    EXPECT_EQ(duplicateMessage(PickList::Subjects, "لغتي"), " المادة لغتي موجودة");
    EXPECT_EQ(duplicateMessage(PickList::Teachers, "سعد"), " المعلم سعد موجود");
    EXPECT_EQ(duplicateMessage(PickList::Times, "8:00"), " الوقت 8:00 موجود");
}

TEST(PickLists, AddWaitsHalfASecondAndDeleteRemovesByKey) {
    test::TestHome home;
    const double scale = platform::waitScale();
    platform::setWaitScale(1);
    QElapsedTimer clock;
    clock.start();
    const qint64 id = addPickItem(PickList::Teachers, "عبدالله بن عمر,7");
    EXPECT_GE(clock.elapsed(), 450);
    platform::setWaitScale(scale);
    const qint64 second = addPickItem(PickList::Teachers, "O'Neil");

    std::vector<PickItem> items = loadPickList(PickList::Teachers);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, id);
    EXPECT_EQ(items[0].title, "عبدالله بن عمر");
    EXPECT_EQ(items[1].title, "O'Neil");
    EXPECT_TRUE(loadPickList(PickList::Subjects).empty());

    EXPECT_TRUE(deletePickItem(PickList::Teachers, id));
    EXPECT_FALSE(deletePickItem(PickList::Times, second)); // another table
    items = loadPickList(PickList::Teachers);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, second);
}

} // namespace
} // namespace sijill::exams
