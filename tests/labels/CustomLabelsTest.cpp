#include "labels/CustomLabels.h"
#include "data/DataError.h"
#include "labels/LabelsTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::labels;

namespace {

QStringList texts(const CustomLabel& l) {
    return {l.text(0), l.text(1), l.text(2), l.text(3)};
}

} // namespace

TEST(CustomLabels, AddEditAndDeleteWorkOnOneRowById) {
    test::TestHome home;
    const qint64 a = addCustomLabel(test::labelTexts("أول 1", "أحمد", "1", "لجنة 1"));
    const qint64 b = addCustomLabel(test::labelTexts("أول 1", "أحمد", "1", "لجنة 1"));
    const qint64 c = addCustomLabel(test::labelTexts("ثاني 2", "سعد", "3", "لجنة 2"));
    ASSERT_NE(a, b);

    // Two rows with equal texts stay two rows: the edit reaches only its id.
    EXPECT_TRUE(updateCustomLabel(b, test::labelTexts("أول 1", "عبدالله بن سعد", "2", "لجنة 1")));
    std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].id, a);
    EXPECT_EQ(texts(rows[0]), QStringList({"أول 1", "أحمد", "1", "لجنة 1"}));
    EXPECT_EQ(texts(rows[1]), QStringList({"أول 1", "عبدالله بن سعد", "2", "لجنة 1"}));

    EXPECT_TRUE(deleteCustomLabel(a));
    rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, b);
    EXPECT_EQ(rows[1].id, c);

    // A row that is gone is neither changed nor deleted, and nothing else is.
    EXPECT_FALSE(deleteCustomLabel(a));
    EXPECT_FALSE(updateCustomLabel(a, test::labelTexts("x", "y", "z", "w")));
    EXPECT_FALSE(deleteCustomLabel(0));
    EXPECT_EQ(readCustomLabels().size(), 2u);
}

TEST(CustomLabels, TextsAreStoredAsTyped) {
    test::TestHome home;
    const QString tricky = QStringLiteral("O'Neil'); DELETE FROM T1; --");
    const qint64 id = addCustomLabel(test::labelTexts("أول 1", tricky, "'7'", "لجنة \"أ\""));
    addCustomLabel(test::labelTexts("أول 1", "سعد", "8", "لجنة 1"));
    EXPECT_TRUE(updateCustomLabel(id, test::labelTexts("أول' 1", tricky, "'7'", "لجنة \"أ\"")));
    const std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(texts(rows[0]), QStringList({"أول' 1", tricky, "'7'", "لجنة \"أ\""}));
}

TEST(CustomLabels, NullColumnsReadAsNoValue) {
    test::TestHome home;
    test::putLabel(home, "أول 1", "أحمد", QString(), "لجنة 1");
    const std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].fields[1].has_value());
    EXPECT_FALSE(rows[0].fields[2].has_value());
    EXPECT_EQ(rows[0].text(2), "");
}

TEST(CustomLabels, FirstEmptyTextIsFoundInColumnOrder) {
    EXPECT_EQ(firstEmptyText(test::labelTexts("a", "b", "c", "d")), -1);
    EXPECT_EQ(firstEmptyText(test::labelTexts("a", "", "c", "")), 1);
    EXPECT_EQ(firstEmptyText(test::labelTexts("a", "b", "c", "")), 3);
    EXPECT_EQ(firstEmptyText(test::labelTexts("", "", "", "")), 0);
}

TEST(CustomLabels, AMissingDatabaseIsReportedNotCreated) {
    test::TestHome home;
    const QString file = home.database("Labels.db");
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_THROW(readCustomLabels(), data::DataError);
    EXPECT_THROW(addCustomLabel(test::labelTexts("a", "b", "c", "d")), data::DataError);
    EXPECT_FALSE(QFile::exists(file));
}
