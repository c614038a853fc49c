#pragma once

#include "schedule/ScheduleStore.h"

#include <QString>

namespace sijill::exams {

// The schedule editor's grid: a row's place in it is its order, 2 x day +
// period.
inline constexpr int kExamDays = 10;
inline constexpr int kGridRows = 2 * kExamDays;

// "الأولى" for a first period (even order), "الثانية" for a second.
QString periodName(int order);

} // namespace sijill::exams
