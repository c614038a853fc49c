#include "committees/Seating.h"
#include "committees/Texts.h"
#include "data/Connection.h"

namespace sijill::committees {

QString Student::classLabel() const {
    return stage + QStringLiteral(" ") + grade + QStringLiteral(" [ ") + cls + QStringLiteral(" ]");
}

QStringList seatedGrades(data::Connection& students) {
    const data::RecordSet rs = students.query(QStringLiteral(
        "SELECT d6, d8 FROM T1 WHERE d4 = '1' GROUP BY d6, d8 ORDER BY d8, MIN(id)"));
    QStringList out;
    for (int r = 0; r < rs.recordCount(); ++r) {
        const QString grade = rs.text(r, QStringLiteral("d6")).trimmed();
        if (!out.contains(grade))
            out << grade;
    }
    return out;
}

int countGrade(data::Connection& students, const QString& grade) {
    return students
        .scalar(QStringLiteral("SELECT COUNT(*) FROM T1 WHERE d4 = '1' AND trim(d6) = ?"),
                {grade.trimmed()})
        .toInt();
}

std::vector<Student> studentsOfGrade(data::Connection& students, const QString& grade) {
    const data::RecordSet rs = students.query(
        QStringLiteral("SELECT d0, d1, d5, d6, d7 FROM T1 WHERE d4 = '1' AND trim(d6) = ? "
                       "ORDER BY d5, d6, d7, d0, id"),
        {grade.trimmed()});
    std::vector<Student> out;
    for (int r = 0; r < rs.recordCount(); ++r)
        out.push_back({rs.text(r, QStringLiteral("d5")), rs.text(r, QStringLiteral("d6")),
                       rs.text(r, QStringLiteral("d7")), rs.text(r, QStringLiteral("d1")),
                       rs.text(r, QStringLiteral("d0"))});
    return out;
}

QString scheduleGradeKey(const QString& grade) {
    QString key = grade;
    key.remove(texts::kStageWord).remove(QLatin1Char('-'));
    return key.simplified();
}

QStringList examSubjects(data::Connection& schedual, const QString& grade) {
    const QString key = scheduleGradeKey(grade);
    const data::RecordSet rs =
        schedual.query(QStringLiteral("SELECT D3, D4 FROM T1 ORDER BY D2, D8, ID"));
    QStringList out;
    for (int r = 0; r < rs.recordCount() && out.size() < kSubjects; ++r) {
        if (!key.isEmpty() && scheduleGradeKey(rs.text(r, QStringLiteral("D3"))) == key)
            out << rs.text(r, QStringLiteral("D4"));
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
    // A committee's sheets find its rows by name: two committees of one name
    // would each print the other's students.
    QStringList names;
    for (const CommitteeSeats& c : committees) {
        const QString name = c.name.trimmed();
        if (names.contains(name)) {
            plan.error = texts::kDuplicateCommittee.arg(name);
            return plan;
        }
        names << name;
    }
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
                                     QString::number(100 * (g + 1) + static_cast<int>(next)),
                                     s.number,
                                     {}});
            }
        }
    }
    return plan;
}

void writeSeating(data::Connection& schedual, const std::vector<SeatRow>& rows) {
    data::Transaction t(schedual);
    schedual.execute(QStringLiteral("DELETE FROM Com"));
    for (const SeatRow& row : rows) {
        if (row.isHeader()) {
            QVariantList values{row.committee, row.name};
            for (int i = 0; i < kSubjects; ++i)
                values << row.subjects.value(i, QStringLiteral("-"));
            schedual.execute(QStringLiteral("INSERT INTO Com (Com, Name, S1, S2, S3, S4, S5, S6, "
                                            "S7, S8) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                             values);
        } else {
            schedual.execute(QStringLiteral("INSERT INTO Com (Com, Class, Name, ComNum, Num) "
                                            "VALUES (?, ?, ?, ?, ?)"),
                             {row.committee, *row.cls, row.name, row.seat, row.number});
        }
    }
    t.commit();
}

} // namespace sijill::committees
