#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace sijill::exams {

// The schedule editor's three pick lists, each a table of Schedual.db.
enum class PickList { Subjects, Teachers, Times };
inline constexpr PickList kPickLists[] = {PickList::Subjects, PickList::Teachers, PickList::Times};

struct PickItem {
    qint64 id = 0;
    QString title;
};

// The list's items in the order they were added. Throws data::DataError.
std::vector<PickItem> loadPickList(PickList list);

// Stores a title as a new item and returns its key. Throws data::DataError.
qint64 insertPickItem(PickList list, const QString& title);

// Removes the item with the key; returns whether one went.
bool deletePickItem(PickList list, qint64 id);

} // namespace sijill::exams
