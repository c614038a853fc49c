#include "schedule/ExamSchedule.h"

#include "schedule/ScheduleTexts.h"

namespace sijill::exams {

QString periodName(int order) {
    return order % 2 == 0 ? texts::kFirstPeriod : texts::kSecondPeriod;
}

} // namespace sijill::exams
