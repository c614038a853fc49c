#pragma once

#include "data/RecordSet.h"

#include <QString>

namespace sijill::data {
class Connection;
}
namespace sijill::report {
class ReportLayout;
}

namespace sijill::exams {

struct ExamPaperHeader;

// The schedule rows of the picked weekday and date, first period first. The
// checking sheet and the lateness minutes print nothing of them: the forms
// are filled by hand.
data::RecordSet pickedDayRows(data::Connection& scheduleDb, const QString& weekday,
                              const QString& date);

// The checking committee's sheet from its stored design: the exam-control
// header, the principal and the preparer in the footer, portrait.
void fillCheckingSheet(report::ReportLayout& layout, const ExamPaperHeader& header,
                       const data::RecordSet& rows);

// The lateness minutes likewise; its kl8 keeps the stored observer's title.
void fillLatenessMinutes(report::ReportLayout& layout, const ExamPaperHeader& header,
                         const data::RecordSet& rows);

} // namespace sijill::exams
