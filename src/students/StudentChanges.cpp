#include "students/StudentChanges.h"

#include "data/Connection.h"
#include "data/DataError.h"

#include <algorithm>

namespace sijill::students {

namespace {
const QString kSeparator = QStringLiteral(" | ");
const QString kStudentGone = QStringLiteral("لم تعد بيانات هذا الطالب موجودة، فلم يحفظ التعديل.");
} // namespace

QString paddedNumber(const QString& number) {
    return number.size() < 2 ? QLatin1Char('0') + number : number;
}

QString StudentLine::text() const {
    return number + kSeparator + civil + kSeparator + name + kSeparator + phone;
}

std::vector<StudentLine> listStudents(const std::optional<ClassItem>& cls) {
    data::Connection c(data::Database::Students);
    QString sql =
        QStringLiteral("SELECT id, d0, d1, d2, d3, d5, d6, d7 FROM T1 WHERE d1 IS NOT NULL");
    QVariantList params;
    if (cls) {
        sql += QStringLiteral(" AND trim(d6) = ? AND trim(d7) = ?");
        params << cls->grade << cls->cls;
        if (!cls->kind.isEmpty()) {
            sql += QStringLiteral(" AND instr(d5, ?) > 0");
            params << cls->kind;
        }
    }
    sql += QStringLiteral(" ORDER BY d3, id");
    const data::RecordSet rs = c.query(sql, params);
    std::vector<StudentLine> lines;
    lines.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i) {
        StudentLine l;
        l.id = rs.value(i, QStringLiteral("id")).toLongLong();
        l.number = paddedNumber(rs.text(i, QStringLiteral("d0")));
        l.name = rs.text(i, QStringLiteral("d1"));
        l.phone = rs.text(i, QStringLiteral("d2"));
        l.civil = rs.text(i, QStringLiteral("d3"));
        l.stage = rs.text(i, QStringLiteral("d5"));
        l.grade = rs.text(i, QStringLiteral("d6"));
        l.cls = rs.text(i, QStringLiteral("d7"));
        lines.push_back(std::move(l));
    }
    // The list keeps its lines sorted as text.
    std::stable_sort(lines.begin(), lines.end(), [](const StudentLine& a, const StudentLine& b) {
        return QString::compare(a.text(), b.text()) < 0;
    });
    return lines;
}

void renumberStudents(const std::vector<qint64>& idsInOrder) {
    data::Connection c(data::Database::Students);
    data::Transaction t(c);
    int n = 0;
    for (qint64 id : idsInOrder)
        c.execute(QStringLiteral("UPDATE T1 SET d0 = ? WHERE id = ?"),
                  {paddedNumber(QString::number(++n)), id});
    t.commit();
}

qint64 addStudent(const NewStudent& s, const ClassItem& cls) {
    data::Connection c(data::Database::Students);
    c.execute(
        QStringLiteral("INSERT INTO T1 (d1,d2,d3,d4,d5,d6,d7,d0) VALUES (?,?,?,?,?,?,?,?)"),
        {s.name, s.phone, s.civil, QStringLiteral("-"), cls.kind, cls.grade, cls.cls, s.number});
    return c.lastInsertId();
}

QString editStudent(qint64 id, const QString& number, const QString& name, const QString& civil,
                    const QString& phone) {
    const QString n = paddedNumber(number);
    data::Connection c(data::Database::Students);
    const int changed =
        c.execute(QStringLiteral("UPDATE T1 SET d0 = ?, d1 = ?, d2 = ?, d3 = ? WHERE id = ?"),
                  {n, name, phone, civil, id});
    // A row deleted since the edit panel opened: no success over nothing.
    if (changed == 0)
        throw data::DataError(kStudentGone, QStringLiteral("no row with id %1").arg(id));
    return n;
}

void deleteStudent(qint64 id) {
    data::Connection c(data::Database::Students);
    c.execute(QStringLiteral("DELETE FROM T1 WHERE id = ?"), {id});
}

void copyStudents(const std::vector<StudentLine>& lines, const ClassItem& target) {
    data::Connection c(data::Database::Students);
    data::Transaction t(c);
    for (const StudentLine& l : lines)
        c.execute(
            QStringLiteral("INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7) VALUES (?,?,?,?,?,?,?,?)"),
            {l.number.trimmed(), l.name.trimmed(), QStringLiteral("-"), l.civil.trimmed(),
             QStringLiteral("-"), target.kind.isEmpty() ? l.stage : target.kind, target.grade,
             target.cls});
    t.commit();
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

} // namespace sijill::students
