#include "attendance/AttendanceUpgrade.h"
#include "data/Connection.h"
#include "support/TestHome.h"

#include <QFile>
#include <gtest/gtest.h>

namespace sijill::attendance {
namespace {

bool hasId(const QString& table) {
    data::Connection c(data::Database::Employee);
    return c.scalar("SELECT count(*) FROM pragma_table_info(?) WHERE name = 'Id'", {table})
               .toInt() == 1;
}

TEST(AttendanceUpgrade, AddsIdToBothTablesOnceAndKeepsTheRows) {
    test::TestHome home;
    home.exec("Employee.db", "INSERT INTO S2 (name, day, note) VALUES ('أ', '1446/01/01', 'x')");
    home.exec("Employee.db", "INSERT INTO S2 (name, day, note) VALUES ('ب', '1446/01/02', NULL)");
    home.exec("Employee.db", "INSERT INTO S1 (name) VALUES ('ج')");

    const UpgradeResult first = upgradeAttendanceTables();
    EXPECT_TRUE(first.addedToS1);
    EXPECT_TRUE(first.addedToS2);
    EXPECT_TRUE(hasId("S1"));
    EXPECT_TRUE(hasId("S2"));
    {
        data::Connection c(data::Database::Employee);
        const data::RecordSet rows = c.query("SELECT name, day, note, Id FROM S2 ORDER BY Id");
        ASSERT_EQ(rows.recordCount(), 2);
        EXPECT_EQ(rows.text(0, "name"), QStringLiteral("أ"));
        EXPECT_EQ(rows.text(0, "note"), QStringLiteral("x"));
        EXPECT_EQ(rows.text(1, "day"), QStringLiteral("1446/01/02"));
        EXPECT_TRUE(rows.value(1, "note").isNull());
        EXPECT_EQ(rows.value(0, "Id").toInt(), 1);
        EXPECT_EQ(rows.value(1, "Id").toInt(), 2);
        // A row added later is numbered after the others.
        c.execute("INSERT INTO S2 (name) VALUES ('د')");
        EXPECT_EQ(c.scalar("SELECT Id FROM S2 WHERE name = 'د'").toInt(), 3);
    }

    // The next load changes nothing.
    const UpgradeResult second = upgradeAttendanceTables();
    EXPECT_FALSE(second.addedToS1);
    EXPECT_FALSE(second.addedToS2);
    data::Connection c(data::Database::Employee);
    EXPECT_EQ(c.scalar("SELECT count(*) FROM pragma_table_info('S2') WHERE name = 'Id' "
                       "COLLATE NOCASE")
                  .toInt(),
              1);
}

TEST(AttendanceUpgrade, EachTableIsBroughtUpToDateOnItsOwn) {
    test::TestHome home;
    // S2 already numbered (in lower case), S1 not.
    home.exec("Employee.db", "ALTER TABLE S2 ADD COLUMN id INTEGER");
    const UpgradeResult r = upgradeAttendanceTables();
    EXPECT_FALSE(r.addedToS2);
    EXPECT_TRUE(r.addedToS1);
    EXPECT_TRUE(hasId("S1"));
}

TEST(AttendanceUpgrade, AMissingDatabaseOrTableIsPassedOver) {
    test::TestHome home;
    home.exec("Employee.db", "DROP TABLE S1");
    UpgradeResult r = upgradeAttendanceTables();
    EXPECT_TRUE(r.addedToS2);
    EXPECT_FALSE(r.addedToS1);

    ASSERT_TRUE(QFile::remove(home.database("Employee.db")));
    r = upgradeAttendanceTables();
    EXPECT_FALSE(r.addedToS1);
    EXPECT_FALSE(r.addedToS2);
    // Nothing was created in its place.
    EXPECT_FALSE(QFile::exists(home.database("Employee.db")));
}

} // namespace
} // namespace sijill::attendance
