#pragma once

#include "students/ClassItem.h"

#include <QString>
#include <optional>
#include <vector>

namespace sijill::students {

// One line of the maintenance window's student list, with the identity of
// the students-table row it shows.
struct StudentLine {
    qint64 id = 0;
    QString number; // number in class, at least two characters
    QString civil;  // civil-registry number
    QString name;
    QString phone;
    QString stage;
    QString grade;
    QString cls;
    // "07 | 1000000001 | name | phone"
    QString text() const;
};

// The students of one class (grade and class matched exactly; the stage only
// when the item has one, as containing it), or of the whole school when `cls`
// is empty. Rows without a name are left out. Sorted as the list shows
// them: by the line's text, equal numbers by civil-registry number.
// Throws data::DataError.
std::vector<StudentLine> listStudents(const std::optional<ClassItem>& cls);

// All changes below address rows by identity: a copy of a student in another
// class is another row and is never touched with it. Each runs in one
// transaction. They throw data::DataError.

// Numbers the rows 01, 02, ... in the given order.
void renumberStudents(const std::vector<qint64>& idsInOrder);

struct NewStudent {
    QString name, civil, number, phone;
};
// Adds a student to `cls` with the exam flag "-"; returns the new row's id.
qint64 addStudent(const NewStudent& s, const ClassItem& cls);

// Writes number (with "0" put in front of fewer than two characters), name,
// civil-registry number and phone of one row. Returns the number written;
// throws data::DataError when the row is gone.
QString editStudent(qint64 id, const QString& number, const QString& name, const QString& civil,
                    const QString& phone);

// A copy keeps number, name and civil-registry number, with "-" as phone and
// exam flag, in the target class; its stage is the target's kind, or the
// source row's stage when the target has none.
void copyStudents(const std::vector<StudentLine>& lines, const ClassItem& target);

// "0" put in front of a number of fewer than two characters.
QString paddedNumber(const QString& number);

} // namespace sijill::students
