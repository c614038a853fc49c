#include "exams/ExamsStore.h"

#include "data/Connection.h"

namespace sijill::exams {

namespace {

QString pickTable(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return QStringLiteral("subjects");
    case PickList::Teachers:
        return QStringLiteral("teachers_names");
    case PickList::Times:
        break;
    }
    return QStringLiteral("exam_time");
}

} // namespace

std::vector<PickItem> loadPickList(PickList list) {
    data::Connection c(data::Database::Schedule);
    const data::RecordSet rs = c.query(QStringLiteral("SELECT ID, Title FROM ") + pickTable(list) +
                                       QStringLiteral(" ORDER BY ID"));
    std::vector<PickItem> items;
    items.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i)
        items.push_back({rs.value(i, 0).toLongLong(), rs.value(i, 1).toString()});
    return items;
}

qint64 insertPickItem(PickList list, const QString& title) {
    data::Connection c(data::Database::Schedule);
    c.execute(QStringLiteral("INSERT INTO ") + pickTable(list) +
                  QStringLiteral(" (Title) VALUES (?)"),
              {title});
    return c.lastInsertId();
}

bool deletePickItem(PickList list, qint64 id) {
    data::Connection c(data::Database::Schedule);
    return c.execute(QStringLiteral("DELETE FROM ") + pickTable(list) +
                         QStringLiteral(" WHERE ID = ?"),
                     {id}) > 0;
}

} // namespace sijill::exams
