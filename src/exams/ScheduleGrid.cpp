#include "exams/ScheduleGrid.h"

namespace sijill::exams {

qint64 GridRow::id() const {
    bool ok = false;
    const qint64 v = key.trimmed().toLongLong(&ok);
    return ok && v > 0 ? v : 0;
}

void ScheduleGrid::clear() {
    for (int k = 0; k < kExamDays; ++k) {
        days[k].shown = k == 0;
        days[k].period2 = false;
        days[k].weekday.clear();
        days[k].date.clear();
    }
    for (int r = 0; r < kGridRows; ++r) {
        if (r > 0)
            rows[r].key = kNoKey;
        rows[r].subject.clear();
        rows[r].time.clear();
        rows[r].corrector.clear();
        rows[r].reviewer.clear();
    }
}

void ScheduleGrid::place(const ScheduleRow& row) {
    const int f = row.order;
    if (f < 0 || f >= kGridRows)
        return;
    GridDay& day = days[f / 2];
    if (f % 2 == 1) {
        day.period2 = true;
    } else {
        day.shown = true;
        day.weekday = row.weekday;
        day.date = row.date;
    }
    GridRow& r = rows[f];
    r.key = QString::number(row.id);
    r.subject = row.subject;
    r.time = row.time;
    r.corrector = row.corrector;
    r.reviewer = row.reviewer;
}

int ScheduleGrid::firstHiddenDay() const {
    for (int k = 0; k < kExamDays; ++k)
        if (!days[k].shown)
            return k;
    return kExamDays;
}

bool ScheduleGrid::isLastDay(int day) const {
    return day == kExamDays - 1 || !days[day + 1].shown;
}

void ScheduleGrid::removeRow(int row) {
    if (row < 0 || row >= kGridRows)
        return;
    GridDay& day = days[row / 2];
    auto empty = [this](int r) { rows[r] = GridRow(); };
    if (row % 2 == 1) {
        day.period2 = false;
        empty(row);
        return;
    }
    // Day 0's strip always stays; its first row keeps the grade's key.
    day.period2 = false;
    empty(row + 1);
    if (row == 0)
        return;
    day.shown = false;
    day.weekday.clear();
    day.date.clear();
    empty(row);
}

bool ScheduleGrid::firstDayComplete() const {
    return !days[0].weekday.isEmpty() && !days[0].date.isEmpty() && !rows[0].subject.isEmpty();
}

std::vector<SavedRow> ScheduleGrid::rowsToSave() const {
    std::vector<SavedRow> out;
    for (int r = 0; r < kGridRows; ++r) {
        const qint64 id = rows[r].id();
        if (id == 0)
            continue;
        const GridDay& day = days[r / 2];
        out.push_back({id, r, day.weekday, day.date, rows[r].subject, rows[r].time,
                       rows[r].corrector, rows[r].reviewer});
    }
    return out;
}

} // namespace sijill::exams
