#pragma once

#include "schedule/ExamSchedule.h"

#include <QString>
#include <array>
#include <vector>

namespace sijill::exams {

// The editor's copy of one grade's schedule, without widgets: ten days, each
// with a first period and an optional second, and for every grid row its
// cells and its table key ("ID" while it has no table row).
inline const QString kNoKey = QStringLiteral("ID");

struct GridDay {
    bool shown = false;   // the day's strip
    bool period2 = false; // its second-period panel
    QString weekday, date;
};

struct GridRow {
    QString key = kNoKey;
    QString subject, time, corrector, reviewer;
    qint64 id() const; // 0 for "ID" or anything not a key
};

struct ScheduleGrid {
    std::array<GridDay, kExamDays> days;
    std::array<GridRow, kGridRows> rows;

    ScheduleGrid() { days[0].shown = true; }

    // Empties the grid as a grade load does: day 0's strip stays shown and
    // row 0 keeps its key; every other day is hidden.
    void clear();
    // Places one table row by its F_Order; rows outside 0..19 are passed
    // over. A later row at the same place wins.
    void place(const ScheduleRow& row);
    // The first day whose strip is hidden; kExamDays when all are shown.
    int firstHiddenDay() const;
    bool isLastDay(int day) const;
    // Takes one deleted row out of the grid and keeps every other row as it
    // stands: a second period hides its panel; a first period takes its day
    // (and the day's second period) away.
    void removeRow(int row);
    // Day 0 needs its weekday, date and first subject before a save.
    bool firstDayComplete() const;
    // The rows that have table rows, with their day's weekday and date.
    std::vector<SavedRow> rowsToSave() const;
};

} // namespace sijill::exams
