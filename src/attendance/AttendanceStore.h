#pragma once

#include <QString>

namespace sijill::data {
class Connection;
}

namespace sijill::attendance {

// Gives `table` of the attendance database a numbered key column Id when the
// table exists without one (column names matched without regard to letter
// case): existing rows are numbered in their stored order and rows added later
// are numbered on insert, all in one transaction. False when nothing changed.
// Throws data::DataError.
bool addIdColumn(data::Connection& employee, const QString& table);

} // namespace sijill::attendance
