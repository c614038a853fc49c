#include "data/SchemaVersion.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "support/FileBytes.h"
#include "support/TestHome.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace sijill::data;
using sijill::test::TestHome;

namespace {

constexpr Database kAll[] = {Database::Students, Database::Schedule, Database::Employee,
                             Database::Labels, Database::ElementarySkills};

// Makes a database file as the first builds did: their script was today's
// without a declared version, and with row ids of the students and the
// classes that could be handed out again.
void makeFirstSchema(const QString& path) {
    QFile script(TestHome::sourceDir() + "/database/" + QFileInfo(path).baseName() + ".sql");
    ASSERT_TRUE(script.open(QIODevice::ReadOnly)) << path.toStdString();
    QString sql = QString::fromUtf8(script.readAll());
    sql.replace("  id INTEGER PRIMARY KEY AUTOINCREMENT\n", "  id INTEGER PRIMARY KEY\n");
    sql.remove(QRegularExpression("PRAGMA user_version = \\d+;"));
    QFile::remove(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A file's declared version and its schema, read past the program's checks.
struct FileSchema {
    int version = -1;
    std::string statements;
};

FileSchema schemaOf(const QString& path) {
    FileSchema s;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        const auto read = [&](const char* sql, auto&& take) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
            while (st && sqlite3_step(st) == SQLITE_ROW)
                take(st);
            sqlite3_finalize(st);
        };
        read("PRAGMA user_version",
             [&](sqlite3_stmt* st) { s.version = sqlite3_column_int(st, 0); });
        read("SELECT sql FROM sqlite_master ORDER BY name", [&](sqlite3_stmt* st) {
            s.statements += reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            s.statements += ";\n";
        });
    }
    sqlite3_close(db);
    return s;
}

} // namespace

// Folders an older build made, each brought to this build's schema at start:
// rows and ids kept, the schema that of a new folder, a deleted row's id never
// handed out again. A file newer than the program, and one whose upgrade
// fails half-way, are told and stay byte for byte as they were.
TEST(SchemaUpgrade, OlderFilesAreUpgradedNewerAndBrokenOnesAreToldAndKept) {
    struct Case {
        const char* what;
        Database db;
        bool first;         // made by the first builds, else today's schema
        const char* change; // run on the file before the start
        const char* table;  // table of three rows whose ids are checked
        const char* field;
        int version; // declared after the start
        const char* told;
    };
    const Case cases[] = {
        {"students, first schema", Database::Students, true,
         "INSERT INTO T1 (d1, d7) VALUES ('أ', '1'), ('ب', '1'), ('ج', '2')", "T1", "d1", 2, ""},
        {"classes, first schema", Database::Schedule, true,
         "INSERT INTO grades (grade, class) VALUES ('أول', '1'), ('أول', '2'), ('ثان', '1');"
         "UPDATE MyInfo SET School = 'مدرسة الأمل'",
         "grades", "grade", 2, ""},
        {"students, today's schema undeclared", Database::Students, false,
         "INSERT INTO T1 (d1) VALUES ('أ'), ('ب'), ('ج'); PRAGMA user_version = 0", "T1", "d1", 2,
         ""},
        {"attendance, undeclared", Database::Employee, false, "PRAGMA user_version = 0", nullptr,
         nullptr, 1, ""},
        {"labels from a newer program", Database::Labels, false,
         "INSERT INTO T1 (d1) VALUES ('أ'); PRAGMA user_version = 7", nullptr, nullptr, 7,
         "ملف قاعدة البيانات \u2066Labels.db\u2069 أنشأه إصدار أحدث من البرنامج"},
        {"students, first schema missing a column", Database::Students, true,
         "INSERT INTO T1 (d1) VALUES ('أ'); ALTER TABLE T1 DROP COLUMN d8", nullptr, nullptr, 0,
         "تعذر تحديث ملف قاعدة البيانات \u2066MyDatabase.db\u2069 الذي أنشأه إصدار سابق من "
         "البرنامج، وبقي الملف كما كان."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestHome home;
        const QString file = databaseFileName(c.db);
        const QString path = home.database(file);
        const FileSchema shipped = schemaOf(path);
        EXPECT_EQ(shipped.version, schemaVersion(c.db));
        if (c.first)
            makeFirstSchema(path);
        home.exec(file, c.change);
        const QByteArray before = sijill::test::fileBytes(path);

        QStringList told;
        for (const Database db : kAll)
            if (const auto problem = upgradeDatabase(db))
                told << *problem;
        const FileSchema after = schemaOf(path);
        EXPECT_EQ(after.version, c.version);
        if (*c.told) {
            ASSERT_EQ(told.size(), 1);
            EXPECT_TRUE(told[0].startsWith(QString::fromUtf8(c.told))) << told[0].toStdString();
            EXPECT_EQ(sijill::test::fileBytes(path), before);
            continue;
        }
        EXPECT_EQ(told.join("\n").toStdString(), "");
        EXPECT_EQ(after.statements, shipped.statements);
        // A second start finds nothing to do.
        EXPECT_EQ(upgradeDatabase(c.db), std::nullopt);
        if (!c.table)
            continue;
        Connection conn(c.db);
        RecordSet rows = conn.openTable(c.table, {}, {}, "id");
        ASSERT_EQ(rows.recordCount(), 3);
        EXPECT_EQ(rows.value(2, "id").toLongLong(), 3);
        rows.remove(2);
        EXPECT_EQ(rows.addNew({c.field}, {"د"}), 4);
        EXPECT_EQ(
            conn.scalar("SELECT count(*) FROM sqlite_master WHERE name LIKE '%upgrade%'").toInt(),
            0);
    }
}

// A newer program's file is refused as a damaged one is, opened alone or
// attached, so nothing is ever written to it.
TEST(SchemaUpgrade, ANewerFileIsRefusedWhereverItIsOpened) {
    TestHome home;
    home.exec("Schedual.db", "PRAGMA user_version = 3");
    const QByteArray before = sijill::test::fileBytes(home.database("Schedual.db"));
    for (const bool attached : {false, true}) {
        try {
            if (attached)
                Connection(Database::Students).attach(Database::Schedule, "sched");
            else
                Connection c(Database::Schedule);
            FAIL() << "a newer database opened";
        } catch (const DataError& e) {
            EXPECT_EQ(e.kind(), DataError::Kind::Newer);
            EXPECT_EQ(e.file(), "Schedual.db");
        }
    }
    EXPECT_EQ(sijill::test::fileBytes(home.database("Schedual.db")), before);
}
