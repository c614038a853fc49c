#pragma once

#include "data/RecordSet.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace sijill::data {
class Connection;
}

namespace sijill::exams {

// The exam schedule table T1 of Schedual.db: one row per grade and exam
// period. The only code that reads or writes it.
struct ScheduleRow {
    qint64 id = 0;
    int order = -1; // F_Order; -1 when empty or not a number
    QString position, weekday, date, grade, subject, time, corrector, reviewer, period;
};

// Row `i` of a record set selecting ID and D0 to D8 (and F_Order, when it
// selects it) of the schedule table.
ScheduleRow scheduleRowAt(const data::RecordSet& rs, int i);

// The rows of one grade, in the order they were added. Throws data::DataError.
std::vector<ScheduleRow> loadGradeRows(const QString& grade);

// The key of the grade's row at `order`, if it has one.
std::optional<qint64> findGradeRow(const QString& grade, int order);

// Adds an empty row for the grade at `order` (weekday, date and cells empty,
// the period from the order) and returns its key. D0 is the key the grade's
// rows carry, or for a grade's first row its position, unless another
// grade's rows hold it (see saveGradeSchedule).
qint64 addScheduleRow(int position, const QString& grade, int order);

// The grade's first row (day 0, first period): the existing one, or a new
// empty one when the grade has none yet.
qint64 ensureFirstRow(int position, const QString& grade);

// One editor row as the save writes it.
struct SavedRow {
    qint64 id = 0; // 0: the row has no table row and is passed over
    int order = 0;
    QString weekday, date, subject, time, corrector, reviewer;
};

// Writes the editor's rows for one grade in one transaction: D0 the grade's
// key, D1 and D2 the day's weekday and date, D3 the grade, D4 to D7 the
// cells. The key is the grade's position when no other grade's rows hold it,
// else the key its own rows carry when no other grade's do, else the lowest
// number from the position up that none holds; every stored row of the grade
// takes it, so no two grades ever share a key. A row whose key has gone (its schedule was erased
// meanwhile) is added anew and `id` receives the new key, so what was on screen is what is stored.
// On any failure nothing is written. Throws data::DataError.
void saveGradeSchedule(int position, const QString& grade, std::vector<SavedRow>& rows);

// Deletes rows by key, in one transaction; returns how many went.
int deleteScheduleRows(const std::vector<qint64>& ids);

// Erases one grade's schedule (by its name, as the editor finds it) or every
// schedule; returns how many rows went.
int eraseGradeSchedule(const QString& grade);
int eraseAllSchedules();

// The rows of one grade (exactly matched), by date and period; of every
// grade, by grade key (each grade's rows together), date and period; and
// every row with a date, or the rows of one date exactly, by date, grade key
// and period. Throw data::DataError.
std::vector<ScheduleRow> gradeSheetRecords(const QString& grade);
std::vector<ScheduleRow> schoolSheetRecords();
std::vector<ScheduleRow> revisersSheetRecords(const std::optional<QString>& date);

// The rows of the picked weekday and date, first period first: every column
// of the table, as the checking sheet and the lateness minutes take them.
data::RecordSet pickedDayRows(data::Connection& scheduleDb, const QString& weekday,
                              const QString& date);

// The rows of a picked date: every row whose date contains it, by date,
// period and grade key.
data::RecordSet handOverScheduleRows(data::Connection& scheduleDb, const QString& date);

// Every row's grade and subject (the other fields left empty), by date,
// period and key, on the caller's connection.
std::vector<ScheduleRow> gradesAndSubjects(data::Connection& scheduleDb);

// The rows on exactly `date` in exactly `period`, ordered by date, grade
// position and period; with `grade`, only that grade's rows (exact match of
// trimmed names). Throws data::DataError.
data::RecordSet dayPeriodRows(const QString& date, const QString& period,
                              const std::optional<QString>& grade = std::nullopt);

} // namespace sijill::exams
