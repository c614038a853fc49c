#include "exams/ExamPaperHeader.h"

#include "exams/HandOverTexts.h"
#include "reports/ReportHeader.h"

namespace sijill::exams {

void fillExamPaperHeader(report::ReportLayout& layout, const ExamPaperHeader& header) {
    const reports::SchoolHeader school{header.administration, header.school,
                                       handover_texts::kYearPrefix + header.year, header.logo};
    reports::fillSchoolHeader(layout, school, header.semester);
}

} // namespace sijill::exams
