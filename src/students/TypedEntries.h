#pragma once

#include "students/ClassItem.h"
#include "students/StudentChanges.h"

#include <QString>
#include <vector>

namespace sijill::students {

// What the maintenance window's boxes hold, made ready to store: blanks at
// the ends removed and Arabic-Indic digits made Latin in the kind, grade,
// class, number, civil-registry number and phone ("١" and "1" are one class);
// a class or a number that is a whole number is written without leading
// zeros. A student's name keeps its digits as typed.
ClassItem typedClass(const QString& kind, const QString& grade, const QString& cls);
NewStudent typedStudent(const NewStudent& s);

// Why a typed class cannot be stored, in Arabic; empty when it can. A field
// of blanks only is refused, and so is a separator in the kind or the grade:
// the class lists join the fields with ":" and "-" and split them at the
// first separators, so only the class may hold them. A class added by hand is
// a whole number from 1 to 99, or "*", the group of all names.
QString classEntryProblem(const ClassItem& cls);

// Why a typed student (made ready by typedStudent) cannot be stored, naming
// the box; empty when he can. The name and the civil-registry number must not
// be empty. Beyond that, only a box whose text differs from what the panel was
// filled with (`filled`, made ready alike) is checked, so that a value stored
// by the import or an older version never blocks an edit of another box:
// the name holds a letter, the civil-registry number is digits only, the
// number is empty or a whole number from 1 to 999, and the phone is empty,
// "-" or digits after an optional "+".
QString studentEntryProblem(const NewStudent& typed, const NewStudent& filled);

// The question to ask before storing a civil-registry number that was typed
// (it differs from `filled`) and is not 10 digits long; empty when there is
// none to ask.
QString civilNumberQuestion(const NewStudent& typed, const NewStudent& filled);

// The lines of `chosen` that already stand in `target` (grade and class
// compared trimmed): a move or copy of them into it is refused.
std::vector<StudentLine> alreadyInClass(const std::vector<StudentLine>& chosen,
                                        const ClassItem& target);

// "2 من الطلاب: name1، name2" -- how many and which, for panels and questions.
QString studentsNamed(const std::vector<StudentLine>& lines);

} // namespace sijill::students
