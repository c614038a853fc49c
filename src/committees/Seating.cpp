#include "committees/Seating.h"
#include "committees/Texts.h"
#include "schedule/ScheduleStore.h"
#include "students/StudentsStore.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace sijill::committees {

QString Student::classLabel() const {
    return stage + QStringLiteral(" ") + grade + QStringLiteral(" [ ") + cls + QStringLiteral(" ]");
}

int gradeWordNumber(const QString& grade) {
    static const QString words[] = {QStringLiteral("أول"),  QStringLiteral("ثاني"),
                                    QStringLiteral("ثالث"), QStringLiteral("رابع"),
                                    QStringLiteral("خامس"), QStringLiteral("سادس")};
    QString word = grade.simplified().section(QLatin1Char(' '), 0, 0);
    if (word.startsWith(QStringLiteral("ال")))
        word = word.mid(2);
    // The definite form writes أ as ا: الاول.
    if (word == QStringLiteral("اول"))
        return 1;
    for (int i = 0; i < 6; ++i) {
        if (word == words[i])
            return i + 1;
    }
    return 0;
}

int seatNumberBase(int largestGrade) {
    int base = 100;
    while (largestGrade >= base && base < 1000000000)
        base *= 10;
    return base;
}

namespace {

// d8 before the grade word: numbers by value, other texts by text, numbers first.
bool orderKeyBefore(const QString& a, const QString& b) {
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toDouble(&aNumber);
    const double y = b.toDouble(&bNumber);
    if (aNumber && bNumber)
        return x < y;
    if (aNumber != bNumber)
        return aNumber;
    return a < b;
}

struct GradeKey {
    QString grade;
    QString order; // d8
};

bool gradeBefore(const GradeKey& a, const GradeKey& b) {
    if (orderKeyBefore(a.order, b.order))
        return true;
    if (orderKeyBefore(b.order, a.order))
        return false;
    // Words without a number come after the six grades.
    const auto rank = [](const QString& g) {
        const int n = gradeWordNumber(g);
        return n == 0 ? 7 : n;
    };
    if (rank(a.grade) != rank(b.grade))
        return rank(a.grade) < rank(b.grade);
    return a.grade < b.grade;
}

// A stored student as the seating takes it.
Student toSeat(const sijill::students::StudentRecord& s) {
    return {s.stage, s.grade, s.cls, s.name, s.number};
}

} // namespace

QStringList seatedGrades(data::Connection& students) {
    std::vector<GradeKey> keys;
    for (const sijill::students::StudentRecord& s : sijill::students::seatedGradeKeys(students))
        keys.push_back({s.grade.trimmed(), s.committeeOrder.trimmed()});
    std::sort(keys.begin(), keys.end(), gradeBefore);
    // A grade whose students carry several keys stands at its first.
    QStringList out;
    for (const GradeKey& k : keys) {
        if (!out.contains(k.grade))
            out << k.grade;
    }
    return out;
}

int countGrade(data::Connection& students, const QString& grade) {
    return sijill::students::countSeatedOfGrade(students, grade.trimmed());
}

std::vector<Student> studentsOfGrade(data::Connection& students, const QString& grade) {
    std::vector<Student> out;
    for (const sijill::students::StudentRecord& s :
         sijill::students::seatedOfGrade(students, grade.trimmed()))
        out.push_back(toSeat(s));
    return out;
}

QString scheduleGradeKey(const QString& grade) {
    QString key = grade;
    key.remove(texts::kStageWord).remove(QLatin1Char('-'));
    return key.simplified();
}

QStringList examSubjects(data::Connection& schedual, const QString& grade) {
    const QString key = scheduleGradeKey(grade);
    QStringList out;
    for (const exams::ScheduleRow& row : exams::gradesAndSubjects(schedual)) {
        if (out.size() >= kSubjects)
            break;
        if (!key.isEmpty() && scheduleGradeKey(row.grade) == key)
            out << row.subject;
    }
    while (out.size() < kSubjects)
        out << QStringLiteral("-");
    return out;
}

SeatingPlan planSeating(const std::vector<CommitteeSeats>& committees,
                        const std::array<QString, kGrades>& gradeNames,
                        const std::array<std::vector<Student>, kGrades>& students,
                        const std::array<QStringList, kGrades>& subjects) {
    SeatingPlan plan;
    std::size_t largest = 0;
    for (const std::vector<Student>& grade : students)
        largest = std::max(largest, grade.size());
    if (largest == 0) {
        plan.error = texts::kNothingToDistribute;
        return plan;
    }
    if (committees.empty()) {
        plan.error = texts::kNoCommittees;
        return plan;
    }
    // A committee's sheets find its rows by name: a committee without one, or
    // two committees of one name, would print no one's or each other's students.
    QStringList names;
    for (std::size_t i = 0; i < committees.size(); ++i) {
        const QString name = committees[i].name.trimmed();
        if (name.isEmpty()) {
            plan.error = texts::kEmptyCommitteeName.arg(i + 1);
            return plan;
        }
        if (names.contains(name)) {
            plan.error = texts::kDuplicateCommittee.arg(name);
            return plan;
        }
        names << name;
    }
    const int base = seatNumberBase(static_cast<int>(largest));
    for (int g = 0; g < kGrades; ++g) {
        int seats = 0;
        for (const CommitteeSeats& c : committees)
            seats += c.seats[g];
        const int count = static_cast<int>(students[g].size());
        if (seats != count) {
            plan.error = texts::kSeatsMismatch.arg(gradeNames[g].isEmpty() ? QString::number(g + 1)
                                                                           : gradeNames[g],
                                                   QString::number(seats), QString::number(count));
            plan.rows.clear();
            plan.seated = 0;
            return plan;
        }
        std::size_t next = 0;
        for (const CommitteeSeats& c : committees) {
            for (int k = 0; k < c.seats[g]; ++k) {
                const Student& s = students[g][next++];
                if (k == 0)
                    plan.rows.push_back(
                        {c.name, std::nullopt, s.classLabel(), {}, {}, subjects[g]});
                plan.rows.push_back({c.name,
                                     s.classLabel(),
                                     s.name,
                                     QString::number(base * (g + 1) + static_cast<int>(next)),
                                     s.number,
                                     {}});
                ++plan.seated;
            }
        }
    }
    return plan;
}

std::vector<Student> unflaggedStudents(data::Connection& students) {
    const std::vector<sijill::students::StudentRecord> unseated =
        sijill::students::unseatedStudents(students);
    QSet<QString> flagged;
    for (const QString& civil : sijill::students::seatedCivilNumbers(students))
        flagged.insert(civil);
    // An empty civil-registry number names no one: such rows stand alone.
    flagged.remove(QString());
    QSet<QString> named;
    std::vector<Student> out;
    for (const sijill::students::StudentRecord& s : unseated) {
        const QString civil = s.civil.trimmed();
        if (!civil.isEmpty() && (flagged.contains(civil) || named.contains(civil)))
            continue;
        named.insert(civil);
        out.push_back(toSeat(s));
    }
    return out;
}

namespace {

// Students named at most in the distribution's message.
constexpr std::size_t kNamedAtMost = 40;

QString seatKey(const QString& classLabel, const QString& name, const QString& number) {
    return classLabel.simplified() + QChar(0x1F) + name.simplified() + QChar(0x1F) +
           number.trimmed();
}

} // namespace

SeatingDrift seatingDrift(data::Connection& schedual,
                          const std::array<std::vector<Student>, kGrades>& toSeat) {
    const std::vector<SeatRow> rows = seatedStudents(schedual);
    SeatingDrift drift;
    drift.seated = static_cast<int>(rows.size());
    // Both sides may hold the same student twice (a copy in one class): each
    // seat answers for one row.
    QHash<QString, int> seats;
    for (const SeatRow& row : rows)
        ++seats[seatKey(row.cls.value_or(QString()), row.name, row.number)];
    for (const std::vector<Student>& grade : toSeat) {
        for (const Student& s : grade) {
            auto it = seats.find(seatKey(s.classLabel(), s.name, s.number));
            if (it == seats.end() || it.value() == 0)
                ++drift.unseated;
            else
                --it.value();
        }
    }
    for (const int left : seats)
        drift.gone += left;
    drift.committees = seatedCommitteeNames(schedual);
    return drift;
}

std::vector<std::size_t> unseatedCommittees(const SeatingDrift& drift,
                                            const std::vector<CommitteeRecord>& committees) {
    std::vector<std::size_t> out;
    if (drift.committees.isEmpty())
        return out;
    for (std::size_t i = 0; i < committees.size(); ++i) {
        const CommitteeRecord& c = committees[i];
        if (drift.committees.contains(c.name.trimmed()))
            continue;
        const bool shared =
            std::any_of(c.seats.begin(), c.seats.end(),
                        [](const std::optional<int>& s) { return s.value_or(0) > 0; });
        if (shared)
            out.push_back(i);
    }
    return out;
}

QString distributionMessage(const DistributionOutcome& outcome) {
    QStringList lines{texts::kDistributed};
    int leftOut = static_cast<int>(outcome.unflagged.size());
    for (const auto& grade : outcome.otherGrades)
        leftOut += grade.second;
    if (leftOut > 0) {
        lines << texts::kSeatedCount.arg(outcome.seated) << texts::kNotSeatedCount.arg(leftOut);
    }
    if (!outcome.otherGrades.empty()) {
        lines << texts::kGradesLeftOut;
        for (const auto& [grade, count] : outcome.otherGrades)
            lines << texts::kGradeCount.arg(grade, QString::number(count));
    }
    if (!outcome.unflagged.empty()) {
        lines << texts::kUnflaggedLeftOut.arg(outcome.unflagged.size());
        // Names run on in one paragraph that the box wraps; a long list is
        // cut short with the count of the rest, so the box keeps to the screen.
        QStringList names;
        const std::size_t shown = std::min(outcome.unflagged.size(), kNamedAtMost);
        for (std::size_t i = 0; i < shown; ++i) {
            const Student& s = outcome.unflagged[i];
            names << texts::kStudentInClass.arg(s.name.simplified(), s.classLabel().simplified());
        }
        QString paragraph = names.join(QStringLiteral("، "));
        if (outcome.unflagged.size() > shown)
            paragraph += texts::kAndOthers.arg(outcome.unflagged.size() - shown);
        lines << paragraph;
    }
    QStringList over;
    for (const CommitteeLoad& c : outcome.committees) {
        if (c.capacity && c.students > *c.capacity)
            over << texts::kOverCapacity.arg(c.name.trimmed(), QString::number(c.students),
                                             QString::number(*c.capacity));
    }
    if (!over.isEmpty())
        lines << texts::kOverCapacityTitle << over;
    return lines.join(QStringLiteral("\r"));
}

} // namespace sijill::committees
