#pragma once

#include "data/RecordSet.h"
#include "schedule/ScheduleStore.h"

#include <QString>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::exams {

struct ExamPaperHeader;

// The checking committee's sheet from its stored design: the exam-control
// header, the principal and the preparer in the footer, portrait. The picked
// day's rows print nothing of theirs: the form is filled by hand.
void fillCheckingSheet(report::ReportLayout& layout, const ExamPaperHeader& header,
                       const data::RecordSet& rows);

// The lateness minutes likewise; its kl8 keeps the stored observer's title.
void fillLatenessMinutes(report::ReportLayout& layout, const ExamPaperHeader& header,
                         const data::RecordSet& rows);

} // namespace sijill::exams
