#pragma once

#include "students/ClassItem.h"
#include "students/StudentChanges.h"

#include <QString>
#include <vector>

namespace sijill::students {

// What the maintenance window's boxes hold, made ready to store: blanks at
// the ends removed and Arabic-Indic digits made Latin in the kind, grade,
// class and civil-registry number ("١" and "1" are one class). A student's
// name keeps its digits as typed.
ClassItem typedClass(const QString& kind, const QString& grade, const QString& cls);
NewStudent typedStudent(const NewStudent& s);

// Why a typed class cannot be stored, in Arabic; empty when it can. A field
// of blanks only is refused, and so is a separator in the kind or the grade:
// the class lists join the fields with ":" and "-" and split them at the
// first separators, so only the class may hold them.
QString classEntryProblem(const ClassItem& cls);
// Why a typed student cannot be stored; empty when he can.
QString studentEntryProblem(const QString& name, const QString& civil);

// The lines of `chosen` that already stand in `target` (grade and class
// compared trimmed): a move or copy of them into it is refused.
std::vector<StudentLine> alreadyInClass(const std::vector<StudentLine>& chosen,
                                        const ClassItem& target);

// "2 من الطلاب: name1، name2" -- how many and which, for panels and questions.
QString studentsNamed(const std::vector<StudentLine>& lines);

} // namespace sijill::students
