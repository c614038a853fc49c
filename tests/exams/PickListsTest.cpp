#include "exams/PickLists.h"
#include "data/Connection.h"
#include "platform/Wait.h"
#include "support/TestHome.h"

#include <QElapsedTimer>
#include <QPoint>
#include <gtest/gtest.h>

namespace sijill::exams {
namespace {

TEST(PickLists, ItemsFillRowsOfThreeFromTheRightAndTimesOneColumn) {
    auto at = [](PickList list, int j) {
        const PickSlot s = pickItemSlot(list, j);
        return QPoint(s.column, s.row);
    };
    EXPECT_EQ(at(PickList::Subjects, 0), QPoint(0, 0));
    EXPECT_EQ(at(PickList::Subjects, 2), QPoint(2, 0));
    EXPECT_EQ(at(PickList::Subjects, 3), QPoint(0, 1));
    // Past the rows the popup shows, items keep to their columns in new rows
    // (the popup scrolls to them) rather than running off its edge.
    EXPECT_EQ(at(PickList::Subjects, 24), QPoint(0, 8));
    EXPECT_EQ(at(PickList::Teachers, 42), QPoint(0, 14));
    EXPECT_EQ(at(PickList::Times, 8), QPoint(0, 8));
}

TEST(PickLists, ABlankTitleIsNeverStored) {
    test::TestHome home;
    EXPECT_TRUE(isBlankTitle("   "));
    EXPECT_TRUE(isBlankTitle(" ,5")); // the part before the comma is stored
    EXPECT_FALSE(isBlankTitle(" لغتي"));
    EXPECT_EQ(addPickItem(PickList::Subjects, "  "), 0);
    EXPECT_EQ(addPickItem(PickList::Teachers, ",3"), 0);
    EXPECT_TRUE(loadPickList(PickList::Subjects).empty());
    EXPECT_TRUE(loadPickList(PickList::Teachers).empty());
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
