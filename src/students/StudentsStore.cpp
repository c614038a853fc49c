#include "students/StudentsStore.h"

#include "data/Connection.h"

#include <QStringList>
#include <iterator>

namespace sijill::students {

namespace {

// The stage condition of a class item that names one, appended to `sql`.
void matchKind(QString& sql, QVariantList& params, const ClassItem& cls) {
    if (!cls.kind.isEmpty()) {
        sql += QStringLiteral(" AND instr(d5, ?) > 0");
        params << cls.kind;
    }
}

QVariant orderValue(const std::optional<int>& order) {
    return order ? QVariant(*order) : QVariant();
}

} // namespace

bool insertClassUnlessThere(const ClassRecord& cls) {
    data::Connection c(data::Database::Schedule);
    const int existing = c.scalar(QStringLiteral("SELECT count(*) FROM grades "
                                                 "WHERE trim(grade) = ? AND trim(class) = ?"),
                                  {cls.grade.trimmed(), cls.cls.trimmed()})
                             .toInt();
    if (existing > 0)
        return false;
    c.execute(QStringLiteral("INSERT INTO grades (kind, grade, class) VALUES (?,?,?)"),
              {cls.kind, cls.grade, cls.cls});
    return true;
}

void deleteClassAndStudents(const ClassItem& cls) {
    data::Connection c(data::Database::Students);
    c.attach(data::Database::Schedule, QStringLiteral("sched"));
    data::Transaction t(c);
    c.execute(QStringLiteral("DELETE FROM sched.grades WHERE trim(grade) = ? AND trim(class) = ?"),
              {cls.grade, cls.cls});
    QString sql = QStringLiteral("DELETE FROM main.T1 WHERE trim(d6) = ? AND trim(d7) = ?");
    QVariantList params{cls.grade, cls.cls};
    matchKind(sql, params, cls);
    c.execute(sql, params);
    t.commit();
}

std::vector<StudentRecord> studentsWithName(const std::optional<ClassItem>& cls) {
    data::Connection c(data::Database::Students);
    QString sql =
        QStringLiteral("SELECT id, d0, d1, d2, d3, d5, d6, d7 FROM T1 WHERE d1 IS NOT NULL");
    QVariantList params;
    if (cls) {
        sql += QStringLiteral(" AND trim(d6) = ? AND trim(d7) = ?");
        params << cls->grade << cls->cls;
        matchKind(sql, params, *cls);
    }
    sql += QStringLiteral(" ORDER BY d3, id");
    const data::RecordSet rs = c.query(sql, params);
    std::vector<StudentRecord> students;
    students.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i) {
        StudentRecord s;
        s.id = rs.value(i, QStringLiteral("id")).toLongLong();
        s.number = rs.text(i, QStringLiteral("d0"));
        s.name = rs.text(i, QStringLiteral("d1"));
        s.phone = rs.text(i, QStringLiteral("d2"));
        s.civil = rs.text(i, QStringLiteral("d3"));
        s.stage = rs.text(i, QStringLiteral("d5"));
        s.grade = rs.text(i, QStringLiteral("d6"));
        s.cls = rs.text(i, QStringLiteral("d7"));
        students.push_back(std::move(s));
    }
    return students;
}

data::RecordSet classStudentRows(const QString& grade, const QString& cls) {
    data::Connection c(data::Database::Students);
    data::RecordSet rows =
        c.query(QStringLiteral("SELECT * FROM T1 WHERE trim(d6) = ? AND trim(d7) = ? "
                               "ORDER BY d1, id"),
                {grade, cls});
    // Number in class as text; the sort is stable, so equal numbers keep the
    // name order of the query.
    rows.sort(QStringLiteral("d0"));
    rows.moveFirst();
    return rows;
}

void setStudentNumbers(const std::vector<std::pair<qint64, QString>>& numbers) {
    data::Connection c(data::Database::Students);
    data::Transaction t(c);
    for (const auto& [id, number] : numbers)
        c.execute(QStringLiteral("UPDATE T1 SET d0 = ? WHERE id = ?"), {number, id});
    t.commit();
}

namespace {

void insertStudentRow(data::Connection& c, const StudentRecord& s) {
    c.execute(QStringLiteral("INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7) VALUES (?,?,?,?,?,?,?,?)"),
              {s.number, s.name, s.phone, s.civil, s.examFlag, s.stage, s.grade, s.cls});
}

} // namespace

qint64 insertStudent(const StudentRecord& s) {
    data::Connection c(data::Database::Students);
    insertStudentRow(c, s);
    return c.lastInsertId();
}

void insertStudents(const std::vector<StudentRecord>& students) {
    data::Connection c(data::Database::Students);
    data::Transaction t(c);
    for (const StudentRecord& s : students)
        insertStudentRow(c, s);
    t.commit();
}

bool updateStudentLine(const StudentRecord& s) {
    data::Connection c(data::Database::Students);
    return c.execute(QStringLiteral("UPDATE T1 SET d0 = ?, d1 = ?, d2 = ?, d3 = ? WHERE id = ?"),
                     {s.number, s.name, s.phone, s.civil, s.id}) > 0;
}

void deleteStudent(qint64 id) {
    data::Connection c(data::Database::Students);
    c.execute(QStringLiteral("DELETE FROM T1 WHERE id = ?"), {id});
}

void moveStudents(const std::vector<qint64>& ids, const ClassItem& target) {
    data::Connection c(data::Database::Students);
    data::Transaction t(c);
    for (qint64 id : ids)
        c.execute(QStringLiteral("UPDATE T1 SET d5 = coalesce(nullif(?, ''), d5), d6 = ?, d7 = ? "
                                 "WHERE id = ?"),
                  {target.kind, target.grade, target.cls, id});
    t.commit();
}

void storeStudentsAndClasses(
    const std::vector<StudentRecord>& students,
    const std::function<ClassRecord(const QString& grade, const QString& cls)>& classOf) {
    data::Connection c(data::Database::Students);
    c.attach(data::Database::Schedule, QStringLiteral("sched"));
    data::Transaction t(c);
    c.execute(QStringLiteral("DELETE FROM main.T1"));
    data::PreparedStatement insertStudent =
        c.prepareOnce(QStringLiteral("INSERT INTO main.T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) "
                                     "VALUES (?,?,?,?,?,?,?,?,?)"));
    for (const StudentRecord& s : students)
        insertStudent.run({s.number, s.name, s.phone, s.civil, s.examFlag, s.stage, s.grade, s.cls,
                           s.committeeOrder});

    // The class table from the distinct grade and class pairs just stored.
    const data::RecordSet pairs =
        c.query(QStringLiteral("SELECT d6, d7 FROM main.T1 GROUP BY d6, d7 ORDER BY d7, d6"));
    c.execute(QStringLiteral("DELETE FROM sched.grades"));
    data::PreparedStatement insertClass =
        c.prepareOnce(QStringLiteral("INSERT INTO sched.grades (kind, grade, class, order_it) "
                                     "VALUES (?,?,?,?)"));
    for (int i = 0; i < pairs.recordCount(); ++i) {
        const ClassRecord cls =
            classOf(pairs.text(i, QStringLiteral("d6")), pairs.text(i, QStringLiteral("d7")));
        insertClass.run({cls.kind, cls.grade, cls.cls, orderValue(cls.order)});
    }
    t.commit();
}

void appendSkills(const std::vector<SkillRecord>& skills) {
    data::Connection c(data::Database::ElementarySkills);
    data::Transaction t(c);
    for (const SkillRecord& s : skills)
        c.execute(QStringLiteral("INSERT INTO elemn_skills (grade, subject, period, skill, "
                                 "skill_order) VALUES (?,?,?,?,?)"),
                  {s.grade, s.subject, s.period, s.skill, s.order});
    t.commit();
}

namespace {

// Row `r` of a record set: each stored column d0 .. d8 the set selects.
StudentRecord selectedColumnsAt(const data::RecordSet& rs, int r) {
    StudentRecord s;
    QString* const columns[] = {&s.number, &s.name,  &s.phone, &s.civil,         &s.examFlag,
                                &s.stage,  &s.grade, &s.cls,   &s.committeeOrder};
    for (int i = 0; i < static_cast<int>(std::size(columns)); ++i) {
        const QString field = QStringLiteral("d%1").arg(i);
        if (rs.fieldIndex(field) >= 0)
            *columns[i] = rs.text(r, field);
    }
    return s;
}

std::vector<StudentRecord> recordsOf(const data::RecordSet& rs) {
    std::vector<StudentRecord> out;
    out.reserve(rs.recordCount());
    for (int r = 0; r < rs.recordCount(); ++r)
        out.push_back(selectedColumnsAt(rs, r));
    return out;
}

} // namespace

std::vector<StudentRecord> seatedGradeKeys(data::Connection& students) {
    return recordsOf(
        students.query(QStringLiteral("SELECT DISTINCT d6, d8 FROM T1 WHERE d4 = '1'")));
}

int countSeatedOfGrade(data::Connection& students, const QString& grade) {
    return students
        .scalar(QStringLiteral("SELECT COUNT(*) FROM T1 WHERE d4 = '1' AND trim(d6) = ?"), {grade})
        .toInt();
}

std::vector<StudentRecord> seatedOfGrade(data::Connection& students, const QString& grade) {
    return recordsOf(students.query(
        QStringLiteral("SELECT d0, d1, d5, d6, d7 FROM T1 WHERE d4 = '1' AND trim(d6) = ? "
                       "ORDER BY d5, d6, d7, d0, id"),
        {grade}));
}

std::vector<StudentRecord> unseatedStudents(data::Connection& students) {
    return recordsOf(students.query(
        QStringLiteral("SELECT d0, d1, d3, d5, d6, d7 FROM T1 WHERE d4 IS NULL OR d4 <> '1' "
                       "ORDER BY d5, d6, d7, d0, id")));
}

QStringList seatedCivilNumbers(data::Connection& students) {
    const data::RecordSet rs =
        students.query(QStringLiteral("SELECT DISTINCT trim(d3) AS civil FROM T1 WHERE d4 = '1'"));
    QStringList out;
    for (int r = 0; r < rs.recordCount(); ++r)
        out << rs.text(r, QStringLiteral("civil"));
    return out;
}

std::vector<StudentRecord> classStudentsByNumber(const QString& grade, const QString& cls) {
    data::Connection c(data::Database::Students);
    return recordsOf(
        c.query(QStringLiteral("SELECT d1, d3 FROM T1 WHERE trim(d6) = ? AND trim(d7) = ? "
                               "ORDER BY d0, id"),
                {grade, cls}));
}

std::vector<StagedStudent> stagedClassStudents(const QString& grade, const QString& cls) {
    data::Connection c(data::Database::Students);
    const data::RecordSet rs =
        c.query(QStringLiteral("SELECT d1, d2, d3, d4, d5, d6, d7 FROM T1 WHERE d5 IS NOT NULL "
                               "AND trim(d6) = ? AND trim(d7) = ? ORDER BY id"),
                {grade, cls});
    std::vector<StagedStudent> out;
    out.reserve(rs.recordCount());
    for (int r = 0; r < rs.recordCount(); ++r)
        out.push_back({!rs.value(r, QStringLiteral("d1")).isNull(), selectedColumnsAt(rs, r)});
    return out;
}

} // namespace sijill::students
