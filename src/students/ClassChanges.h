#pragma once

#include "students/ClassItem.h"

#include <QStringList>
#include <optional>

namespace sijill::students {

enum class AddClassResult { Added, EmptyField, AlreadyThere };

// Adds a class to the class table (no order). Refused when a field is empty,
// or when the table already holds that grade and class.
// Throws data::DataError.
AddClassResult addClass(const ClassItem& cls);

// Rewrites "SchoolInfo.ini" whole: its first line kept (the default header
// when the file is missing or empty), then one item per line. Nothing on
// success, else the user's message naming the file or the character.
std::optional<QString> saveClassListFile(const QStringList& items);

// Removes a class (its row of the class table and its students, as
// deleteClassAndStudents does) and writes the class-list file with
// `remainingItems`: the file's text is checked and written to a temporary file
// before the deletion is committed, then renamed into place. `deleted` tells
// whether the class and its students are gone; `message` is empty on full
// success, else says what was and was not done.
struct ClassRemoval {
    bool deleted = false;
    QString message;
};
ClassRemoval removeClassAndSaveList(const ClassItem& cls, const QStringList& remainingItems);

} // namespace sijill::students
