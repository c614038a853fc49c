#pragma once

#include <QString>
#include <QStringList>

namespace sijill::attendance {

// The students of one class as the attendance window lists them: names and
// civil-registry numbers, index-aligned, in the order of their number in class.
struct ClassStudents {
    QStringList names;
    QStringList civilNumbers;
};

// The class's students, grade and class matched exactly after trimming. A row
// without a name cannot stand on a sheet and is left out. Throws
// data::DataError when the students' database cannot be read.
ClassStudents loadAttendanceStudents(const QString& grade, const QString& cls);

} // namespace sijill::attendance
