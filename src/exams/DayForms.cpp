#include "exams/DayForms.h"

#include "data/ReportRows.h"
#include "exams/ExamPaperHeader.h"
#include "report/ReportModel.h"

namespace sijill::exams {

namespace {

const QString kReportFooter = QStringLiteral("Section5");

void fillDayForm(report::ReportLayout& layout, const ExamPaperHeader& header,
                 const data::RecordSet& rows) {
    // Nothing of an earlier print carries over into this one.
    layout.resetToDesign();
    fillExamPaperHeader(layout, header);
    layout.control(kReportFooter, QStringLiteral("Kl7")).caption = header.principal;
    layout.setOrientation(report::Orientation::Portrait);
    layout.setDataSource(data::reportRows(rows));
}

} // namespace

void fillCheckingSheet(report::ReportLayout& layout, const ExamPaperHeader& header,
                       const data::RecordSet& rows) {
    fillDayForm(layout, header, rows);
    layout.control(kReportFooter, QStringLiteral("kl8")).caption = header.preparer;
}

void fillLatenessMinutes(report::ReportLayout& layout, const ExamPaperHeader& header,
                         const data::RecordSet& rows) {
    fillDayForm(layout, header, rows);
}

} // namespace sijill::exams
