#pragma once

#include <QString>
#include <QStringList>
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

// A student as the single-student chooser keeps it: name, phone,
// civil-registry number, import flag, stage, grade and class, each as text.
struct ChooserStudentRow {
    bool hasName = false; // false when the stored name is missing altogether
    QStringList parts;
};

// The students with a stage whose trimmed grade and class equal `grade` and
// `cls`, in the order they were added. Throws data::DataError.
std::vector<ChooserStudentRow> loadClassStudents(const QString& grade, const QString& cls);

} // namespace sijill::exams
