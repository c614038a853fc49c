#include "attendance/AttendanceStore.h"

#include "data/Connection.h"

namespace sijill::attendance {

namespace {

bool tableExists(data::Connection& c, const QString& table) {
    return c.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master "
                                   "WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                    {table})
               .toInt() > 0;
}

bool hasIdColumn(data::Connection& c, const QString& table) {
    // Column names are matched without regard to letter case.
    return c.scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info(?) "
                                   "WHERE name = 'id' COLLATE NOCASE"),
                    {table})
               .toInt() > 0;
}

QString storedName(AttendanceTable table) {
    return table == AttendanceTable::S1 ? QStringLiteral("S1") : QStringLiteral("S2");
}

} // namespace

// SQLite adds no key column to a table that has rows, so Id is a plain
// integer column numbered from the row order, and a trigger numbers new rows
// after the highest Id, as an auto-number does.
bool addIdColumn(data::Connection& c, AttendanceTable which) {
    const QString table = storedName(which);
    if (!tableExists(c, table) || hasIdColumn(c, table))
        return false;
    data::Transaction t(c);
    c.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN Id INTEGER").arg(table));
    c.execute(QStringLiteral("UPDATE %1 SET Id = rowid").arg(table));
    c.execute(QStringLiteral("CREATE TRIGGER %1_number_id AFTER INSERT ON %1 "
                             "WHEN NEW.Id IS NULL BEGIN "
                             "UPDATE %1 SET Id = (SELECT ifnull(max(Id), 0) + 1 FROM %1) "
                             "WHERE rowid = NEW.rowid; END")
                  .arg(table));
    t.commit();
    return true;
}

} // namespace sijill::attendance
