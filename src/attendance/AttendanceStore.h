#pragma once

namespace sijill::data {
class Connection;
}

namespace sijill::attendance {

// The two attendance tables of the Employee database.
enum class AttendanceTable { S1, S2 };

// Gives `table` a numbered key column Id when it exists without one (column
// names matched without regard to letter case): existing rows are numbered in
// their stored order and rows added later are numbered on insert, all in one
// transaction. False when nothing changed. Throws data::DataError.
bool addIdColumn(data::Connection& employee, AttendanceTable table);

} // namespace sijill::attendance
