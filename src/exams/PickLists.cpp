#include "exams/PickLists.h"

#include "data/Connection.h"
#include "exams/Texts.h"
#include "platform/Wait.h"

#include <algorithm>

namespace sijill::exams {

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

QString storedTitle(const QString& text) {
    return text.section(QLatin1Char(','), 0, 0);
}

bool isDuplicate(const std::vector<PickItem>& items, const QString& text) {
    const QString title = storedTitle(text);
    for (const PickItem& item : items)
        if (item.title == title)
            return true;
    return false;
}

QString duplicateMessage(PickList list, const QString& text) {
    switch (list) {
    case PickList::Subjects:
        return texts::kSubjectExists1 + text + texts::kSubjectExists2;
    case PickList::Teachers:
        return texts::kTeacherExists1 + text + texts::kTeacherExists2;
    case PickList::Times:
        break;
    }
    return texts::kTimeExists1 + text + texts::kTimeExists2;
}

qint64 addPickItem(PickList list, const QString& text) {
    if (isBlankTitle(text))
        return 0;
    qint64 id = 0;
    {
        data::Connection c(data::Database::Schedule);
        c.execute(QStringLiteral("INSERT INTO ") + pickTable(list) +
                      QStringLiteral(" (Title) VALUES (?)"),
                  {storedTitle(text)});
        id = c.lastInsertId();
    }
    platform::Wait(0.5);
    return id;
}

bool deletePickItem(PickList list, qint64 id) {
    data::Connection c(data::Database::Schedule);
    return c.execute(QStringLiteral("DELETE FROM ") + pickTable(list) +
                         QStringLiteral(" WHERE ID = ?"),
                     {id}) > 0;
}

} // namespace sijill::exams

namespace sijill::exams {

bool isBlankTitle(const QString& text) {
    return storedTitle(text).trimmed().isEmpty();
}

int pickColumns(PickList list) {
    return list == PickList::Times ? 1 : 3;
}

PickSlot pickItemSlot(PickList list, int j) {
    const int columns = pickColumns(list);
    return {j / columns, j % columns};
}

} // namespace sijill::exams
