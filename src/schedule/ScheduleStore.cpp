#include "schedule/ScheduleStore.h"

#include "data/Connection.h"
#include "schedule/ExamSchedule.h"

#include <QSet>
#include <QStringList>
#include <algorithm>

namespace sijill::exams {

namespace {

using data::Connection;
using data::Database;

// Trimmed equality in SQL: the stored grade text may carry blanks around it.
const QString kGradeMatch = QStringLiteral("trim(D3) = ?");

const QString kColumns = QStringLiteral("SELECT ID, D0, D1, D2, D3, D4, D5, D6, D7, D8 FROM T1 ");
// Grades in the order of their keys, each grade's rows together: rows of two
// grades that share a key, or of one grade written under two keys, never
// interleave.
const QString kByGrade = QStringLiteral(
    "(SELECT min(CAST(k.D0 AS INTEGER)) FROM T1 k WHERE trim(k.D3) IS trim(T1.D3)), trim(D3)");

int orderOf(const QVariant& v) {
    bool ok = false;
    const int order = v.toString().trimmed().toInt(&ok);
    return ok ? order : -1;
}

// The keys (D0) the grade's own rows carry, oldest row first, and those the
// other grades' rows hold.
struct StoredKeys {
    QStringList own;
    QSet<QString> others;
};

StoredKeys storedKeys(Connection& c, const QString& grade) {
    const data::RecordSet rs =
        c.query(QStringLiteral("SELECT trim(coalesce(D0, '')), coalesce(trim(D3), '') = ? FROM T1 "
                               "ORDER BY ID"),
                {grade.trimmed()});
    StoredKeys keys;
    for (int i = 0; i < rs.recordCount(); ++i) {
        const QString key = rs.value(i, 0).toString();
        if (rs.value(i, 1).toInt() == 0)
            keys.others.insert(key);
        else if (!keys.own.contains(key))
            keys.own << key;
    }
    return keys;
}

// The key a grade's rows are written with: the first of `preferred` that no
// other grade's rows hold, else the lowest free number from `position` up.
// So two grades never share a key, however the grade list changed since
// their rows were written.
QString gradeKey(const StoredKeys& keys, const QStringList& preferred, int position) {
    for (const QString& key : preferred)
        if (!key.isEmpty() && !keys.others.contains(key))
            return key;
    int n = std::max(position, 1);
    while (keys.others.contains(QString::number(n)))
        ++n;
    return QString::number(n);
}

qint64 insertRow(Connection& c, int position, const QString& grade, int order) {
    // A row joins its grade's rows under their key; a grade's first row takes
    // its position in the list where no other grade holds it.
    const StoredKeys keys = storedKeys(c, grade);
    const QString key = gradeKey(keys, keys.own + QStringList{QString::number(position)}, position);
    c.execute(QStringLiteral("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) "
                             "VALUES (?, '', '', ?, '', '', '', '', ?, ?)"),
              {key, grade, periodName(order), order});
    return c.lastInsertId();
}

std::optional<qint64> findRow(Connection& c, const QString& grade, int order) {
    const QVariant id = c.scalar(QStringLiteral("SELECT ID FROM T1 WHERE ") + kGradeMatch +
                                     QStringLiteral(" AND F_Order = ? ORDER BY ID LIMIT 1"),
                                 {grade.trimmed(), order});
    if (id.isNull())
        return std::nullopt;
    return id.toLongLong();
}

std::vector<ScheduleRow> readRecords(const QString& sql, const QVariantList& params) {
    Connection c(Database::Schedule);
    const data::RecordSet rs = c.query(sql, params);
    std::vector<ScheduleRow> rows;
    rows.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i) {
        rows.push_back(scheduleRowAt(rs, i));
    }
    return rows;
}

} // namespace

ScheduleRow scheduleRowAt(const data::RecordSet& rs, int i) {
    ScheduleRow r;
    r.id = rs.value(i, 0).toLongLong();
    r.position = rs.text(i, QStringLiteral("D0"));
    r.weekday = rs.text(i, QStringLiteral("D1"));
    r.date = rs.text(i, QStringLiteral("D2"));
    r.grade = rs.text(i, QStringLiteral("D3"));
    r.subject = rs.text(i, QStringLiteral("D4"));
    r.time = rs.text(i, QStringLiteral("D5"));
    r.corrector = rs.text(i, QStringLiteral("D6"));
    r.reviewer = rs.text(i, QStringLiteral("D7"));
    r.period = rs.text(i, QStringLiteral("D8"));
    if (rs.fieldIndex(QStringLiteral("F_Order")) >= 0)
        r.order = orderOf(rs.value(i, QStringLiteral("F_Order")));
    return r;
}

std::vector<ScheduleRow> loadGradeRows(const QString& grade) {
    return readRecords(
        QStringLiteral("SELECT ID, D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order FROM T1 "
                       "WHERE ") +
            kGradeMatch + QStringLiteral(" ORDER BY ID"),
        {grade.trimmed()});
}

std::optional<qint64> findGradeRow(const QString& grade, int order) {
    Connection c(Database::Schedule);
    return findRow(c, grade, order);
}

qint64 addScheduleRow(int position, const QString& grade, int order) {
    Connection c(Database::Schedule);
    data::Transaction t(c);
    const qint64 id = insertRow(c, position, grade, order);
    t.commit();
    return id;
}

qint64 ensureFirstRow(int position, const QString& grade) {
    Connection c(Database::Schedule);
    data::Transaction t(c);
    if (const std::optional<qint64> id = findRow(c, grade, 0))
        return *id;
    const qint64 id = insertRow(c, position, grade, 0);
    t.commit();
    return id;
}

void saveGradeSchedule(int position, const QString& grade, std::vector<SavedRow>& rows) {
    Connection c(Database::Schedule);
    data::Transaction t(c);
    // The grade's current position where no other grade's rows hold it, else
    // the key its rows already carry; every row of the grade takes it.
    const StoredKeys stored = storedKeys(c, grade);
    const QString key =
        gradeKey(stored, QStringList{QString::number(position)} + stored.own, position);
    c.execute(QStringLiteral("UPDATE T1 SET D0 = ? WHERE ") + kGradeMatch, {key, grade.trimmed()});
    std::vector<qint64> keys;
    keys.reserve(rows.size());
    for (const SavedRow& row : rows) {
        qint64 id = row.id;
        if (id <= 0) {
            keys.push_back(0);
            continue;
        }
        const QVariantList values = {key,         row.weekday, row.date,      grade,
                                     row.subject, row.time,    row.corrector, row.reviewer};
        const int changed =
            c.execute(QStringLiteral("UPDATE T1 SET D0 = ?, D1 = ?, D2 = ?, D3 = ?, D4 = ?, "
                                     "D5 = ?, D6 = ?, D7 = ? WHERE ID = ?"),
                      QVariantList(values) << id);
        if (changed == 0) {
            c.execute(QStringLiteral("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, "
                                     "F_Order) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                      QVariantList(values) << periodName(row.order) << row.order);
            id = c.lastInsertId();
        }
        keys.push_back(id);
    }
    t.commit();
    // Only a committed save hands out the new keys.
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].id = keys[i];
}

int deleteScheduleRows(const std::vector<qint64>& ids) {
    Connection c(Database::Schedule);
    data::Transaction t(c);
    int n = 0;
    for (qint64 id : ids)
        if (id > 0)
            n += c.execute(QStringLiteral("DELETE FROM T1 WHERE ID = ?"), {id});
    t.commit();
    return n;
}

int eraseGradeSchedule(const QString& grade) {
    Connection c(Database::Schedule);
    return c.execute(QStringLiteral("DELETE FROM T1 WHERE ") + kGradeMatch, {grade.trimmed()});
}

int eraseAllSchedules() {
    Connection c(Database::Schedule);
    return c.execute(QStringLiteral("DELETE FROM T1"));
}

data::RecordSet pickedDayRows(data::Connection& scheduleDb, const QString& weekday,
                              const QString& date) {
    return scheduleDb.query(QStringLiteral("SELECT * FROM T1 WHERE D1 = ? AND D2 = ? ORDER BY D8"),
                            {weekday, date});
}

std::vector<ScheduleRow> gradesAndSubjects(data::Connection& scheduleDb) {
    const data::RecordSet rs =
        scheduleDb.query(QStringLiteral("SELECT D3, D4 FROM T1 ORDER BY D2, D8, ID"));
    std::vector<ScheduleRow> rows(rs.recordCount());
    for (int r = 0; r < rs.recordCount(); ++r) {
        rows[r].grade = rs.text(r, QStringLiteral("D3"));
        rows[r].subject = rs.text(r, QStringLiteral("D4"));
    }
    return rows;
}

data::RecordSet handOverScheduleRows(data::Connection& scheduleDb, const QString& date) {
    // A containment test, as a stored date may carry text around it; instr
    // keeps "%" and "_" in the date from acting as wildcards.
    return scheduleDb.query(QStringLiteral("SELECT * FROM T1 WHERE instr(D2, ?) > 0 "
                                           "ORDER BY D2, D8, D0"),
                            {date});
}

std::vector<ScheduleRow> gradeSheetRecords(const QString& grade) {
    return readRecords(kColumns + QStringLiteral("WHERE trim(D3) = ? ORDER BY D2, D8, ID"),
                       {grade.trimmed()});
}

std::vector<ScheduleRow> schoolSheetRecords() {
    return readRecords(
        kColumns + QStringLiteral("ORDER BY ") + kByGrade + QStringLiteral(", D2, D8, ID"), {});
}

std::vector<ScheduleRow> revisersSheetRecords(const std::optional<QString>& date) {
    const QString order = QStringLiteral(" ORDER BY D2, ") + kByGrade + QStringLiteral(", D8, ID");
    if (date)
        return readRecords(kColumns + QStringLiteral("WHERE D2 = ?") + order, {*date});
    return readRecords(kColumns + QStringLiteral("WHERE D2 <> ''") + order, {});
}

data::RecordSet dayPeriodRows(const QString& date, const QString& period,
                              const std::optional<QString>& grade) {
    Connection c(Database::Schedule);
    // The grade is matched exactly: "خامس" never takes in "خامس مطور". Grade
    // positions are compared as numbers, so the tenth grade follows the ninth.
    const QString order = QStringLiteral(" ORDER BY D2, CAST(D0 AS INTEGER), D0, D8, ID");
    if (grade)
        return c.query(QStringLiteral("SELECT * FROM T1 WHERE D2 = ? AND D8 = ? AND trim(D3) = ?") +
                           order,
                       {date, period, grade->trimmed()});
    return c.query(QStringLiteral("SELECT * FROM T1 WHERE D2 = ? AND D8 = ?") + order,
                   {date, period});
}

} // namespace sijill::exams
