#pragma once

#include "students/ClassItem.h"

#include <QStringList>

namespace sijill::students {

enum class AddClassResult { Added, EmptyField, AlreadyThere };

// Adds a class to the class table (no order). Refused when a field is empty,
// or when the table already holds that grade and class.
// Throws data::DataError.
AddClassResult addClass(const ClassItem& cls);

// Removes a class: its row of the class table and its students (grade and
// class matched exactly, the stage as the listing matches it), together in
// one transaction. Throws data::DataError.
void removeClass(const ClassItem& cls);

// Rewrites "SchoolInfo.ini": its first line kept (the default header when the
// file is missing or empty), then one item per line. False when the file
// cannot be written.
bool saveClassListFile(const QStringList& items);

} // namespace sijill::students
