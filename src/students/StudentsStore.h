#pragma once

#include "data/RecordSet.h"
#include "students/ClassItem.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace sijill::data {
class Connection;
}

namespace sijill::students {

// The tables the student subsystem keeps: the students of the students'
// file, the class table of the schedule file and the course skills. Every
// call opens its own connection; a call that changes several rows does it in
// one transaction. They throw data::DataError.

// One row of the students table.
struct StudentRecord {
    qint64 id = 0;
    QString number; // number in class, two digits
    QString name;
    QString phone;
    QString civil;    // civil-registry number
    QString examFlag; // "1" = seated in committees
    QString stage;
    QString grade;          // grade word
    QString cls;            // class within the grade
    QString committeeOrder; // committee order key
};

// One row of the class table. A class added by hand has no order.
struct ClassRecord {
    QString kind;
    QString grade;
    QString cls;
    std::optional<int> order;
};

// One line of a course-skills report as stored.
struct SkillRecord {
    QString grade;
    QString subject;
    QString period;
    QString skill;
    QString order;
};

// Adds a class, without an order, unless the table already holds its grade
// and class (compared trimmed). False when it was there.
bool insertClassUnlessThere(const ClassRecord& cls);

// Deletes the class's row of the class table and its students (grade and
// class matched trimmed, the stage as containing the kind when it has one),
// on one connection with both files in one transaction.
void deleteClassAndStudents(const ClassItem& cls);

// The students with a name, of one class (grade and class matched trimmed,
// the stage as containing the kind when it has one) or of the whole school,
// ordered by civil-registry number, then id. The committee order key is not
// read.
std::vector<StudentRecord> studentsWithName(const std::optional<ClassItem>& cls);

// The students of one class, every column, as the layouts read them: in the
// order of their number in class compared as text, equal numbers by name.
// Grade and class are matched trimmed. The cursor is on the first row.
data::RecordSet classStudentRows(const QString& grade, const QString& cls);

// Writes each row's number, in one transaction.
void setStudentNumbers(const std::vector<std::pair<qint64, QString>>& numbers);

// Adds a student (the committee order key left empty); returns its id.
qint64 insertStudent(const StudentRecord& s);

// Adds the students (the committee order keys left empty), in one
// transaction.
void insertStudents(const std::vector<StudentRecord>& students);

// Writes number, name, phone and civil-registry number of row `s.id`. False
// when there is no such row.
bool updateStudentLine(const StudentRecord& s);

void deleteStudent(qint64 id);

// Moves the rows into the target class, numbers kept; the stage the import
// wrote is kept unless the target names a kind of its own. One transaction.
void moveStudents(const std::vector<qint64>& ids, const ClassItem& target);

// Replaces every student and every class (the committee order keys written
// too), on one connection with both files
// in one transaction. The class table gets one row per distinct grade and
// class of the stored students (ordered by class, then grade), made by
// `classOf`.
void storeStudentsAndClasses(
    const std::vector<StudentRecord>& students,
    const std::function<ClassRecord(const QString& grade, const QString& cls)>& classOf);

// Appends the skill lines, in one transaction.
void appendSkills(const std::vector<SkillRecord>& skills);

// The reads of the committees' seating, on the caller's connection to the
// students' file. Students to seat are those flagged "1".

// Each distinct grade and committee order key of the students to seat, as
// stored; only `grade` and `committeeOrder` are read.
std::vector<StudentRecord> seatedGradeKeys(data::Connection& students);

// How many students to seat carry the grade (stored grade trimmed, compared
// with `grade` as given).
int countSeatedOfGrade(data::Connection& students, const QString& grade);

// Those students, ordered by stage, grade, class, number in class, then id;
// number, name, stage, grade and class are read.
std::vector<StudentRecord> seatedOfGrade(data::Connection& students, const QString& grade);

// The students not flagged to seat, in the same order; number, name,
// civil-registry number, stage, grade and class are read.
std::vector<StudentRecord> unseatedStudents(data::Connection& students);

// The trimmed civil-registry numbers of the students to seat, each once.
QStringList seatedCivilNumbers(data::Connection& students);

// The students of one class (grade and class matched trimmed, as given) in
// the order of their number in class, then id; name and civil-registry
// number are read.
std::vector<StudentRecord> classStudentsByNumber(const QString& grade, const QString& cls);

// A student of a class as the single-student chooser takes it: name, phone,
// civil-registry number, import flag, stage, grade and class.
struct StagedStudent {
    bool hasName = false; // false when the stored name is missing altogether
    StudentRecord student;
};

// The students with a stage whose trimmed grade and class equal `grade` and
// `cls`, in the order they were added.
std::vector<StagedStudent> stagedClassStudents(const QString& grade, const QString& cls);

} // namespace sijill::students
