#pragma once

#include "committees/CommitteePlan.h"

#include "data/RecordSet.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace sijill::data {
class Connection;
class DataError;
} // namespace sijill::data

namespace sijill::committees {

// One row of the committee table List: row i of the window is the row with
// ID i + 1. Seats are empty (NULL) for a committee added by hand until its row
// is first saved.
struct CommitteeRecord {
    QString name;
    QString col; // desk rows
    QString num; // capacity
    std::array<std::optional<int>, kGrades> seats;
};

// Number of exam subjects a header row carries.
inline constexpr int kSubjects = 8;

// One row of the seating table Com. A header row has no class.
struct SeatRow {
    QString committee;
    std::optional<QString> cls;
    QString name;
    QString seat;   // header rows: empty
    QString number; // header rows: empty
    QStringList subjects;
    bool isHeader() const { return !cls.has_value(); }
};

// The statements that make the two committee tables, as shipped.
extern const QString kCreateList;
extern const QString kCreateCom;

// Every committee of Schedual's List in window order.
std::vector<CommitteeRecord> loadCommittees(data::Connection& schedual);

// Appends a committee with ID `id`, its seats as given (empty ones NULL).
void insertCommittee(data::Connection& schedual, int id, const CommitteeRecord& c);

// Stores the committee of ID `id`, seats included; false when no such row.
bool updateCommittee(data::Connection& schedual, int id, const CommitteeRecord& c);

// Stores every committee (row i as ID i + 1) in one transaction: all or none.
// Throws data::DataError when a row is missing or a write fails.
void updateAllCommittees(data::Connection& schedual, const std::vector<CommitteeRecord>& rows);

// The same inside a transaction the caller holds.
void storeCommitteeRows(data::Connection& schedual, const std::vector<CommitteeRecord>& rows);

// Drops both committee tables, makes them again and stores `committees`
// (their seats included), in one transaction: on any failure nothing changes.
void replaceCommittees(data::Connection& schedual, const std::vector<CommitteeRecord>& committees);

// Replaces every row of Com by `rows` and stores `committees` (the rows the
// seating was made from, row i as ID i + 1), in one transaction: the stored
// shares then match the seats, or nothing changes.
void writeSeating(data::Connection& schedual, const std::vector<SeatRow>& rows,
                  const std::vector<CommitteeRecord>& committees = {});

// Deletes every row of Com: no student has a seat.
void clearSeating(data::Connection& schedual);

// The student rows of Com (header rows left out) in the order they were
// written, each with its committee, class, name and number in class.
std::vector<SeatRow> seatedStudents(data::Connection& schedual);

// The committee names the student rows of Com stand under, trimmed, each once.
QStringList seatedCommitteeNames(data::Connection& schedual);

// A committee's rows of Com in the order they were written (trimmed name),
// every column under its stored name, as the committee's sheets print them.
data::RecordSet committeeRows(data::Connection& schedual, const QString& committee);

// What to tell the user about a failed read or write: a database that another
// program holds locked gets its own words, since trying again later helps.
QString userMessageOf(const data::DataError& e);

// Whether a committee shown differs from the one stored in what the user can
// change: name, capacity or seats (a seat never stored counts as 0).
bool differsFromStored(const CommitteeRecord& shown, const CommitteeRecord& stored);

} // namespace sijill::committees
