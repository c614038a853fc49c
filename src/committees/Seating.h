#pragma once

#include "committees/CommitteePlan.h"
#include "committees/CommitteeStore.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sijill::data {
class Connection;
}

namespace sijill::committees {

// A student to seat, from the students table.
struct Student {
    QString stage;  // d5
    QString grade;  // d6
    QString cls;    // d7
    QString name;   // d1
    QString number; // d0
    // stage " " grade " [ " class " ]".
    QString classLabel() const;
};

// The grades of the students to seat (d4 = '1'), trimmed, each once: by their
// order key d8 (as numbers where both are numbers), then by the number of the
// grade word (أول 1 .. سادس 6; other words after them, by text).
QStringList seatedGrades(data::Connection& students);

// 1 to 6 for the grade words أول .. سادس (with or without "ال", as the
// grade's first word); 0 for any other grade.
int gradeWordNumber(const QString& grade);

// The place of the grade digit in a seat number: 100 while no grade has more
// than 99 students, otherwise the next power of ten above the largest grade,
// so that seat numbers stay distinct and each begins with its grade digit.
int seatNumberBase(int largestGrade);

// Students to seat of one grade (exact match on the trimmed grade).
int countGrade(data::Connection& students, const QString& grade);

// Those students, ordered by stage, grade, class and number in class.
std::vector<Student> studentsOfGrade(data::Connection& students, const QString& grade);

// A grade as the exam schedule writes it: stage word and "-" removed, blanks
// folded, trimmed; the same for the window's grade names.
QString scheduleGradeKey(const QString& grade);

// The grade's exam subjects in date and period order: exactly eight, "-" for
// each missing one.
QStringList examSubjects(data::Connection& schedual, const QString& grade);

struct CommitteeSeats {
    QString name; // as the row's name box holds it
    GradeSeats seats{};
};

// What the distribution is to write, or why it cannot.
struct SeatingPlan {
    std::vector<SeatRow> rows;
    int seated = 0; // student rows
    QString error;  // empty when the plan can be written
};

// Seats the students: grade by grade, committee by committee in row order,
// each committee's block of a grade opened by a header row with the grade's
// subjects; seat numbers seatNumberBase x grade + a count running over all
// committees. Refuses (error) when there is no student to seat or no
// committee, when a committee has no name or two share one (blanks around it
// aside), and when a grade's seats differ from its students, so that no
// student is left out and no seat is filled from another grade.
SeatingPlan planSeating(const std::vector<CommitteeSeats>& committees,
                        const std::array<QString, kGrades>& gradeNames,
                        const std::array<std::vector<Student>, kGrades>& students,
                        const std::array<QStringList, kGrades>& subjects);

// The students whose exam flag d4 is not "1", whom no distribution seats, in
// class order: each student once, and none whose civil-registry number a
// flagged row carries (a copy of a student who takes his exams through his
// other row).
std::vector<Student> unflaggedStudents(data::Connection& students);

// How far the seating in Com has drifted from the students a distribution
// would seat now (an import since, or students added or removed), matched by
// class label, name and number in class.
struct SeatingDrift {
    int seated = 0;         // student rows of Com
    int gone = 0;           // seated students no longer among them
    int unseated = 0;       // students to seat who have no seat
    QStringList committees; // the committee names the seats stand under, trimmed
    bool differs() const { return gone > 0 || unseated > 0; }
};

SeatingDrift seatingDrift(data::Connection& schedual,
                          const std::array<std::vector<Student>, kGrades>& toSeat);

// The committees (indexes into `committees`) whose sheets the seating leaves
// empty although it should not: while some committee has seats, one whose
// name has none although its shares give it students. Such a committee was
// named, made or given its seats after the students were distributed, and
// distributing them again seats it; one that its shares leave empty is empty
// by right, whatever its name.
std::vector<std::size_t> unseatedCommittees(const SeatingDrift& drift,
                                            const std::vector<CommitteeRecord>& committees);

// A committee as the distribution left it: its students and its capacity
// (nothing when the capacity box holds no whole number).
struct CommitteeLoad {
    QString name;
    int students = 0;
    std::optional<int> capacity;
};

// What the distribution tells the user when it has written the seating.
struct DistributionOutcome {
    int seated = 0;
    std::vector<std::pair<QString, int>> otherGrades; // grades after the third, each counted
    std::vector<Student> unflagged;
    std::vector<CommitteeLoad> committees;
};

// "تم إنشاء اللجان بنجاح" alone when every student has a seat and no
// committee holds more students than its capacity; otherwise followed by the
// counts, the grades left out with their counts, the students left out for
// their exam flag by name and the committees over their capacity.
QString distributionMessage(const DistributionOutcome& outcome);

} // namespace sijill::committees
