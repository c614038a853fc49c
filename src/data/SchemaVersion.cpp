#include "data/SchemaVersion.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/BidiText.h"

#include <QFileInfo>

namespace sijill::data {

namespace {

const QString kUpgradeFailed =
    QStringLiteral("تعذر تحديث ملف قاعدة البيانات %1 الذي أنشأه إصدار سابق من البرنامج، "
                   "وبقي الملف كما كان.\r%2");

// A table rebuilt under its current statement, its rows and ids kept.
struct Rebuild {
    const char* table;
    const char* columns;
    const char* create;
};

// One step of a file's history: what takes it from `from` to `from + 1`.
struct Step {
    Database db;
    int from;
    Rebuild rebuild;
};

// Version 1 of the students' and the classes' tables handed out the id of the
// last deleted row again; version 2 never does.
const Step kSteps[] = {
    {Database::Students,
     1,
     {"T1", "d0, d1, d2, d3, d4, d5, d6, d7, d8, id",
      "CREATE TABLE T1 (\n  d0 TEXT,\n  d1 TEXT,\n  d2 TEXT,\n  d3 TEXT,\n  d4 TEXT,\n"
      "  d5 TEXT,\n  d6 TEXT,\n  d7 TEXT,\n  d8 TEXT,\n"
      "  id INTEGER PRIMARY KEY AUTOINCREMENT\n)"}},
    {Database::Schedule,
     1,
     {"grades", "kind, grade, class, order_it, id",
      "CREATE TABLE grades (\n  kind TEXT,\n  grade TEXT,\n  class TEXT,\n"
      "  order_it INTEGER,\n  id INTEGER PRIMARY KEY AUTOINCREMENT\n)"}},
};

bool handsOutIdsOnce(Connection& c, const QString& table) {
    return c
        .scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"),
                {table})
        .toString()
        .contains(QStringLiteral("AUTOINCREMENT"), Qt::CaseInsensitive);
}

// The version of a file that declares none, read from its schema.
int versionBySchema(Connection& c, Database db) {
    for (const Step& step : kSteps)
        if (step.db == db && !handsOutIdsOnce(c, QString::fromLatin1(step.rebuild.table)))
            return step.from;
    return schemaVersion(db);
}

// The old table is renamed and its rows copied into the new one by column
// name; explicit ids raise the table's id counter to the highest kept.
void rebuildTable(Connection& c, const Rebuild& r) {
    const QString table = QString::fromLatin1(r.table);
    const QString old = table + QStringLiteral("_before_upgrade");
    const QString columns = QString::fromLatin1(r.columns);
    c.execute(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(table, old));
    c.execute(QString::fromLatin1(r.create));
    c.execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(table, columns, old));
    c.execute(QStringLiteral("DROP TABLE %1").arg(old));
}

} // namespace

int schemaVersion(Database db) {
    switch (db) {
    case Database::Students:
    case Database::Schedule:
        return 2;
    case Database::Employee:
    case Database::Labels:
    case Database::ElementarySkills:
        return 1;
    }
    return 1;
}

std::optional<Database> databaseNamed(const QString& fileName) {
    for (const Database db : {Database::Students, Database::Schedule, Database::Employee,
                              Database::Labels, Database::ElementarySkills})
        if (databaseFileName(db) == fileName)
            return db;
    return std::nullopt;
}

std::optional<QString> upgradeDatabase(Database db) {
    if (!QFileInfo::exists(databasePath(db)))
        return std::nullopt;
    try {
        Connection c(db);
        const int current = schemaVersion(db);
        const int stored = c.scalar(QStringLiteral("PRAGMA user_version")).toInt();
        if (stored == current)
            return std::nullopt;
        const int from = stored > 0 ? stored : versionBySchema(c, db);
        try {
            Transaction t(c);
            for (const Step& step : kSteps)
                if (step.db == db && step.from >= from)
                    rebuildTable(c, step.rebuild);
            c.execute(QStringLiteral("PRAGMA user_version = %1").arg(current));
            t.commit();
        } catch (const DataError& e) {
            // A file of today's schema that could not be marked is classed
            // again at the next start; only a file left behind is told.
            if (from < current)
                return kUpgradeFailed.arg(platform::shownPath(databaseFileName(db)),
                                          e.userMessage());
        }
    } catch (const DataError& e) {
        if (e.kind() == DataError::Kind::Newer)
            return e.userMessage();
    }
    return std::nullopt;
}

} // namespace sijill::data
