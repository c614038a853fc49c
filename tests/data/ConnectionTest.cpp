#include "data/Connection.h"
#include "data/DataError.h"
#include "support/TestHome.h"

#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace sijill::data;
using sijill::test::TestHome;

namespace {

const QStringList kStudentFields = {"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7", "d8"};

QVariantList student(const QString& no, const QString& name, const QString& id,
                     const QString& grade, const QString& cls) {
    return {no, name, "0", id, "1", "الابتدائي", grade, cls, "0"};
}

} // namespace

TEST(Connection, ShippedDatabasesOpenAndHoldTheirTables) {
    TestHome home;
    Connection students(Database::Students);
    EXPECT_EQ(students.scalar("SELECT count(*) FROM T1").toInt(), 0);
    Connection sched(Database::Schedule);
    EXPECT_EQ(sched.scalar("SELECT Admin FROM MyInfo WHERE id = 1").toString(),
              QStringLiteral("الإدارة غير محددة"));
    for (Database db : {Database::Employee, Database::Labels, Database::ElementarySkills})
        EXPECT_NO_THROW(Connection{db});
}

TEST(Connection, MissingOrDamagedFileIsReportedAndNeverCreated) {
    TestHome home;
    QFile::remove(home.database("Schedual.db"));
    // Opened alone, or attached to another file as the import does.
    for (const bool attached : {false, true}) {
        try {
            if (attached)
                Connection(Database::Students).attach(Database::Schedule, "sched");
            else
                Connection c(Database::Schedule);
            FAIL() << "a missing database opened";
        } catch (const DataError& e) {
            EXPECT_EQ(e.kind(), DataError::Kind::Missing) << attached;
            EXPECT_TRUE(e.userMessage().contains(QStringLiteral("غير موجود"))) << attached;
            EXPECT_TRUE(e.userMessage().contains(QStringLiteral("Schedual.db"))) << attached;
        }
        EXPECT_FALSE(QFile::exists(home.database("Schedual.db")));
    }

    QFile junk(home.database("Labels.db"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    try {
        Connection c(Database::Labels);
        FAIL() << "a damaged database opened";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.userMessage().contains(QStringLiteral("تالف")));
        EXPECT_TRUE(e.userMessage().contains(QStringLiteral("Labels.db")));
        EXPECT_EQ(e.kind(), DataError::Kind::Damaged);
    }
}

// Held by another program is "busy", never "damaged"; the wait is short,
// and a lock let go within it is waited out.
TEST(Connection, AFileAnotherProgramHoldsIsBusyNotDamaged) {
    TestHome home;
    Connection other(home.database("Employee.db"));
    other.execute("BEGIN EXCLUSIVE");
    {
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            other.execute("ROLLBACK");
        });
        EXPECT_NO_THROW(Connection{Database::Employee});
        release.join();
    }
    other.execute("BEGIN EXCLUSIVE");
    try {
        Connection c(Database::Employee);
        FAIL() << "a locked database opened";
    } catch (const DataError& e) {
        EXPECT_EQ(e.kind(), DataError::Kind::Busy);
        EXPECT_EQ(e.file(), QStringLiteral("Employee.db"));
        EXPECT_TRUE(e.userMessage().contains(QStringLiteral("Employee.db")));
        EXPECT_TRUE(e.userMessage().contains(QStringLiteral("برنامج آخر")));
        EXPECT_FALSE(e.userMessage().contains(QStringLiteral("تالف")));
    }
    other.execute("ROLLBACK");
    EXPECT_NO_THROW(Connection{Database::Employee});
}

TEST(Connection, APreparedStatementRunsManyTimes) {
    TestHome home;
    Connection c(Database::Students);
    PreparedStatement insert = c.prepareOnce("INSERT INTO T1 (d0, d1) VALUES (?, ?)");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(insert.run({QString::number(i), QStringLiteral("اسم")}), 1);
    EXPECT_EQ(c.scalar("SELECT group_concat(d0) FROM T1").toString(), QStringLiteral("0,1,2"));
    EXPECT_THROW(insert.run({"x"}), DataError);
    EXPECT_THROW(insert.run({"x", "y", "z"}), DataError);
}

TEST(RecordSet, AddUpdateDeleteByRowIdentity) {
    TestHome home;
    Connection c(Database::Students);
    RecordSet rs = c.openTable("T1");
    // Two rows of one student (a copy in another class) share d3.
    const qint64 a = rs.addNew(kStudentFields, student("01", "أحمد", "111", "أول", "1"));
    const qint64 b = rs.addNew(kStudentFields, student("05", "أحمد", "111", "أول", "2"));
    rs.addNew(kStudentFields, student("02", "خالد", "222", "أول", "1"));
    EXPECT_NE(a, b);
    EXPECT_EQ(rs.recordCount(), 3);

    RecordSet cls2 = c.openTable("T1", "d7 = ?", {"2"});
    ASSERT_EQ(cls2.recordCount(), 1);
    cls2.update(0, "d1", "أحمد علي");
    cls2.remove(0);
    EXPECT_EQ(cls2.recordCount(), 0);

    RecordSet all = c.openTable("T1", {}, {}, "d0");
    ASSERT_EQ(all.recordCount(), 2);
    EXPECT_EQ(all.text(0, "d1"), QStringLiteral("أحمد")); // the other copy is untouched
    EXPECT_EQ(all.rowId(0), a);
    EXPECT_EQ(all.text(1, "D1"), QStringLiteral("خالد")); // field names ignore case
}

TEST(RecordSet, TextWithQuotesIsStoredUnchanged) {
    TestHome home;
    Connection c(Database::Students);
    const QString name = QStringLiteral("عبد الله' OR '1'='1; DROP TABLE T1; --");
    c.openTable("T1").addNew(kStudentFields, student("01", name, "333", "ثاني", "1"));
    RecordSet found = c.openTable("T1", "d1 = ?", {name});
    ASSERT_EQ(found.recordCount(), 1);
    EXPECT_EQ(found.text(0, "d1"), name);
    EXPECT_EQ(c.scalar("SELECT count(*) FROM T1").toInt(), 1);
}

TEST(RecordSet, CursorSortAndReadOnlyQueries) {
    TestHome home;
    Connection c(Database::Students);
    RecordSet w = c.openTable("T1");
    for (const char* no : {"10", "100", "02", "11"})
        w.addNew(kStudentFields, student(no, "x", no, "أول", "1"));

    RecordSet rs = c.query("SELECT d0 FROM T1");
    rs.sort("d0");
    QStringList order;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        order << rs.text("d0");
    // Numbers sort as text: 100 comes right after 10.
    EXPECT_EQ(order, QStringList({"02", "10", "100", "11"}));
    EXPECT_TRUE(rs.value("nope").isNull());
    EXPECT_THROW(rs.update(0, "d0", "x"), DataError);
}

TEST(Transaction, RollsBackAcrossAttachedFilesUnlessCommitted) {
    TestHome home;
    {
        Connection c(Database::Students);
        c.attach(Database::Schedule, "sched");
        Transaction t(c);
        c.execute("INSERT INTO main.T1 (d0, d1) VALUES (?, ?)", {"01", "x"});
        c.execute("INSERT INTO sched.grades (kind, grade, class) VALUES (?, ?, ?)",
                  {"k", "أول", "1"});
        // No commit: both writes go.
    }
    {
        Connection c(Database::Students);
        EXPECT_EQ(c.scalar("SELECT count(*) FROM T1").toInt(), 0);
        c.attach(Database::Schedule, "sched");
        EXPECT_EQ(c.scalar("SELECT count(*) FROM sched.grades").toInt(), 0);
        Transaction t(c);
        c.execute("INSERT INTO main.T1 (d0) VALUES (?)", {"01"});
        c.execute("INSERT INTO sched.grades (grade) VALUES (?)", {"أول"});
        t.commit();
    }
    Connection s(Database::Schedule);
    EXPECT_EQ(s.scalar("SELECT count(*) FROM grades").toInt(), 1);
}

TEST(Connection, BadStatementsRaiseArabicErrors) {
    TestHome home;
    Connection c(Database::Students);
    EXPECT_THROW(c.execute("SELECT * FROM no_such_table"), DataError);
    // More or fewer values than the statement binds.
    EXPECT_THROW(c.execute("SELECT ?", {}), DataError);
    EXPECT_THROW(c.execute("SELECT ?", {1, 2}), DataError);
}

TEST(RecordSet, ADeletedRowsIdentityIsNeverHandedOutAgain) {
    TestHome home;
    auto check = [](Database db, const QString& table, const QString& field) {
        Connection c(db);
        RecordSet rs = c.openTable(table);
        const qint64 first = rs.addNew({field}, {"أ"});
        rs.remove(rs.recordCount() - 1);
        EXPECT_GT(rs.addNew({field}, {"ب"}), first) << table.toStdString();
    };
    check(Database::Students, "T1", "d1");
    check(Database::Schedule, "grades", "grade");
}
