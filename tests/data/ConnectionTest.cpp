#include "data/Connection.h"
#include "data/DataError.h"
#include "support/AsAnotherUser.h"
#include "support/TestHome.h"

#include <QFile>
#include <QFileInfo>
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
    // A missing file, and an empty one, which is no database of the
    // program's: opened alone, or attached to another file as the import does.
    for (const bool empty : {false, true}) {
        if (empty) {
            ASSERT_TRUE(QFile(home.database("Schedual.db")).open(QIODevice::WriteOnly));
        }
        for (const bool attached : {false, true}) {
            try {
                if (attached) {
                    Connection(Database::Students).attach(Database::Schedule, "sched");
                } else {
                    Connection c(Database::Schedule);
                }
                FAIL() << "a missing or empty database opened";
            } catch (const DataError& e) {
                EXPECT_EQ(e.kind(), empty ? DataError::Kind::Damaged : DataError::Kind::Missing);
                EXPECT_EQ(e.userMessage(),
                          (empty ? QStringLiteral("ملف قاعدة البيانات فارغ أو تالف: %1")
                                 : QStringLiteral("ملف قاعدة البيانات غير موجود: %1"))
                              .arg(QStringLiteral("\u2066Schedual.db\u2069")));
            }
            EXPECT_EQ(QFile::exists(home.database("Schedual.db")), empty) << attached;
        }
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

namespace {
// The kind and message of the failure of one write to `path`.
QString failedWrite(const QString& path) {
    try {
        Connection c(path);
        c.execute("INSERT INTO T1 (d0, d1) VALUES ('1', ?)", {QString(64 * 1024, 'x')});
        return "written";
    } catch (const DataError& e) {
        return QString::number(int(e.kind())) + ' ' + e.userMessage();
    }
}
} // namespace

// A full disk, a read-only file, a folder that takes no journal and a file
// that cannot be opened are each told as such, naming the file.
TEST(Connection, AWriteThatFailsSaysWhy) {
    TestHome home;
    const QString path = home.database("MyDatabase.db");
    {
        Connection c(path);
        const int pages = c.scalar("PRAGMA page_count").toInt();
        c.execute(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
        try {
            c.execute("INSERT INTO T1 (d1) VALUES (?)", {QString(64 * 1024, 'x')});
            FAIL() << "a full database took the row";
        } catch (const DataError& e) {
            EXPECT_EQ(e.kind(), DataError::Kind::Full);
            EXPECT_EQ(e.file(), "MyDatabase.db");
            EXPECT_TRUE(e.userMessage().startsWith("لا توجد مساحة فارغة على القرص"));
            EXPECT_TRUE(e.userMessage().contains("MyDatabase.db"));
        }
        EXPECT_EQ(c.scalar("SELECT count(*) FROM T1").toInt(), 0);
    }

    using P = QFile::Permission;
    const QFile::Permissions open =
        P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadOther | P::ExeOther;
    QFile::setPermissions(home.path(), open);
    struct Case {
        QFile::Permissions file;
        bool folderWritable;
        DataError::Kind kind;
        const char* says;
    };
    for (const Case& c : {Case{P::ReadOwner | P::ReadOther, true, DataError::Kind::ReadOnly,
                               "ملف قاعدة البيانات للقراءة فقط"},
                          Case{P::ReadOwner | P::WriteOwner | P::ReadOther | P::WriteOther, false,
                               DataError::Kind::ReadOnly, "صلاحية الكتابة في مجلدها"},
                          Case{P::ReadOwner | P::WriteOwner, true, DataError::Kind::CannotOpen,
                               "تعذر فتح ملف قاعدة البيانات"}}) {
        SCOPED_TRACE(c.says);
        QFile::setPermissions(path, c.file);
        QFile::setPermissions(QFileInfo(path).absolutePath(),
                              c.folderWritable ? open | P::WriteOther : open);
        const std::optional<QString> failure =
            sijill::test::asAnotherUser([&] { return failedWrite(path); });
        if (!failure)
            GTEST_SKIP() << "needs root, to write as another user";
        EXPECT_TRUE(failure->startsWith(QString::number(int(c.kind)) + ' '))
            << failure->toStdString();
        EXPECT_TRUE(failure->contains(c.says));
        EXPECT_TRUE(failure->contains("MyDatabase.db"));
    }
    QFile::setPermissions(path, P::ReadOwner | P::WriteOwner);
    EXPECT_EQ(Connection(path).scalar("SELECT count(*) FROM T1").toInt(), 0);
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
