#include "committees/CommitteeStore.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"

namespace sijill::committees {

const QString kCreateList =
    QStringLiteral("CREATE TABLE List (ID INTEGER PRIMARY KEY, Name TEXT, Col TEXT, Num TEXT, "
                   "C1 INTEGER, C2 INTEGER, C3 INTEGER)");
const QString kCreateCom = QStringLiteral(
    "CREATE TABLE Com (ID INTEGER PRIMARY KEY, Com TEXT, Class TEXT, Name TEXT, ComNum TEXT, "
    "Num TEXT, S1 TEXT, S2 TEXT, S3 TEXT, S4 TEXT, S5 TEXT, S6 TEXT, S7 TEXT, S8 TEXT)");

namespace {

QVariant seatValue(const std::optional<int>& seat) {
    return seat ? QVariant(*seat) : QVariant();
}

std::optional<int> seatOf(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return leadingNumber(v.toString());
}

} // namespace

std::vector<CommitteeRecord> loadCommittees(data::Connection& schedual) {
    const data::RecordSet rs =
        schedual.query(QStringLiteral("SELECT Name, Col, Num, C1, C2, C3 FROM List ORDER BY ID"));
    std::vector<CommitteeRecord> out;
    for (int r = 0; r < rs.recordCount(); ++r) {
        CommitteeRecord c;
        c.name = rs.text(r, QStringLiteral("Name"));
        c.col = rs.text(r, QStringLiteral("Col"));
        c.num = rs.text(r, QStringLiteral("Num"));
        for (int g = 0; g < kGrades; ++g)
            c.seats[g] = seatOf(rs.value(r, QStringLiteral("C%1").arg(g + 1)));
        out.push_back(std::move(c));
    }
    return out;
}

void insertCommittee(data::Connection& schedual, int id, const CommitteeRecord& c) {
    schedual.execute(QStringLiteral("INSERT INTO List (ID, Name, Col, Num, C1, C2, C3) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                     {id, c.name, c.col, c.num, seatValue(c.seats[0]), seatValue(c.seats[1]),
                      seatValue(c.seats[2])});
}

bool updateCommittee(data::Connection& schedual, int id, const CommitteeRecord& c) {
    return schedual.execute(QStringLiteral("UPDATE List SET Name = ?, Col = ?, Num = ?, C1 = ?, "
                                           "C2 = ?, C3 = ? WHERE ID = ?"),
                            {c.name, c.col, c.num, seatValue(c.seats[0]), seatValue(c.seats[1]),
                             seatValue(c.seats[2]), id}) == 1;
}

void storeCommitteeRows(data::Connection& schedual, const std::vector<CommitteeRecord>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!updateCommittee(schedual, static_cast<int>(i) + 1, rows[i]))
            throw data::DataError(QStringLiteral("لم يعثر على اللجنة %1 في الجدول").arg(i + 1),
                                  QStringLiteral("List row missing"));
    }
}

void updateAllCommittees(data::Connection& schedual, const std::vector<CommitteeRecord>& rows) {
    data::Transaction t(schedual);
    storeCommitteeRows(schedual, rows);
    t.commit();
}

void replaceCommittees(data::Connection& schedual, const std::vector<CommitteeRecord>& committees) {
    data::Transaction t(schedual);
    schedual.execute(QStringLiteral("DROP TABLE IF EXISTS List"));
    schedual.execute(QStringLiteral("DROP TABLE IF EXISTS Com"));
    schedual.execute(kCreateCom);
    schedual.execute(kCreateList);
    for (std::size_t i = 0; i < committees.size(); ++i)
        insertCommittee(schedual, static_cast<int>(i) + 1, committees[i]);
    t.commit();
}

void writeSeating(data::Connection& schedual, const std::vector<SeatRow>& rows,
                  const std::vector<CommitteeRecord>& committees) {
    data::Transaction t(schedual);
    storeCommitteeRows(schedual, committees);
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

void clearSeating(data::Connection& schedual) {
    schedual.execute(QStringLiteral("DELETE FROM Com"));
}

std::vector<SeatRow> seatedStudents(data::Connection& schedual) {
    const data::RecordSet rs = schedual.query(
        QStringLiteral("SELECT Com, Class, Name, ComNum, Num FROM Com WHERE Class IS NOT NULL "
                       "ORDER BY ID"));
    std::vector<SeatRow> out;
    out.reserve(rs.recordCount());
    for (int r = 0; r < rs.recordCount(); ++r)
        out.push_back({rs.text(r, QStringLiteral("Com")),
                       rs.text(r, QStringLiteral("Class")),
                       rs.text(r, QStringLiteral("Name")),
                       rs.text(r, QStringLiteral("ComNum")),
                       rs.text(r, QStringLiteral("Num")),
                       {}});
    return out;
}

QStringList seatedCommitteeNames(data::Connection& schedual) {
    const data::RecordSet names = schedual.query(
        QStringLiteral("SELECT DISTINCT trim(Com) AS c FROM Com WHERE Class IS NOT NULL"));
    QStringList out;
    for (int r = 0; r < names.recordCount(); ++r)
        out << names.text(r, QStringLiteral("c"));
    return out;
}

data::RecordSet committeeRows(data::Connection& schedual, const QString& committee) {
    // Trimmed on both sides: the name box's text is stored as typed, blanks
    // around it included.
    return schedual.query(QStringLiteral("SELECT * FROM Com WHERE trim(Com) = ? ORDER BY ID"),
                          {committee.trimmed()});
}

QString userMessageOf(const data::DataError& e) {
    if (e.detail().contains(QStringLiteral("locked"), Qt::CaseInsensitive) ||
        e.detail().contains(QStringLiteral("busy"), Qt::CaseInsensitive))
        return texts::kDatabaseBusy;
    return e.userMessage();
}

bool differsFromStored(const CommitteeRecord& shown, const CommitteeRecord& stored) {
    if (shown.name != stored.name || shown.num != stored.num)
        return true;
    for (int g = 0; g < kGrades; ++g) {
        if (shown.seats[g].value_or(0) != stored.seats[g].value_or(0))
            return true;
    }
    return false;
}

} // namespace sijill::committees
