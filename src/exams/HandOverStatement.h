#pragma once

#include "data/RecordSet.h"
#include "report/ReportData.h"
#include "schedule/ScheduleStore.h"

#include <QString>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::exams {

struct ExamPaperHeader;

// A grade name as the hand-over statements print it: the Quran school's
// words, the track and section words and the dashes removed (also inside
// longer words), doubled blanks squeezed before and once after. Not trimmed.
QString cleanHandOverGrade(const QString& grade);

// One statement line per schedule row: d3 the cleaned, trimmed grade, d4 the
// subject, d6 the corrector, d7 the reviewer, d8 the period; d0, d1, d2 and
// d5 stay empty. A row without a grade name prints with an empty grade.
report::ReportRowset handOverLines(const data::RecordSet& schedule);

// A statement from its stored design: the exam-control header, the picked
// day under the title, the principal and the preparer in the footer, the
// lines, landscape in a wide preview.
void fillHandOverStatement(report::ReportLayout& layout, const ExamPaperHeader& header,
                           const QString& weekday, const QString& date,
                           const report::ReportRowset& lines);

} // namespace sijill::exams
