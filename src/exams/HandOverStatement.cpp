#include "exams/HandOverStatement.h"

#include "exams/ExamPaperHeader.h"
#include "exams/HandOverTexts.h"
#include "report/ReportModel.h"

namespace sijill::exams {

namespace {

constexpr double kWidePreview = 16700;
const QString kReportFooter = QStringLiteral("Section5");

} // namespace

QString cleanHandOverGrade(const QString& grade) {
    using namespace handover_texts;
    QString text = grade;
    text.replace(kQuranWords, QString());
    text.replace(kTwoBlanks, kBlank);
    for (const QString& word : kGradeWords)
        text.replace(word, QString());
    text.replace(kTwoBlanks, kBlank);
    return text;
}

report::ReportRowset handOverLines(const data::RecordSet& schedule) {
    report::ReportRowset lines = report::ReportRowset::withFields(8);
    for (int r = 0; r < schedule.recordCount(); ++r) {
        const ScheduleRow row = scheduleRowAt(schedule, r);
        lines.addRow();
        lines.set(QStringLiteral("d8"), row.period);
        lines.set(QStringLiteral("d3"), cleanHandOverGrade(row.grade).trimmed());
        lines.set(QStringLiteral("d4"), row.subject);
        lines.set(QStringLiteral("d6"), row.corrector);
        lines.set(QStringLiteral("d7"), row.reviewer);
    }
    return lines;
}

void fillHandOverStatement(report::ReportLayout& layout, const ExamPaperHeader& header,
                           const QString& weekday, const QString& date,
                           const report::ReportRowset& lines) {
    // Nothing of an earlier statement carries over into this one.
    layout.resetToDesign();
    fillExamPaperHeader(layout, header);
    layout.control(QStringLiteral("ExDay")).caption =
        weekday + handover_texts::kDaySeparator + date;
    layout.control(kReportFooter, QStringLiteral("Headmaster")).caption = header.principal;
    layout.control(kReportFooter, QStringLiteral("kl8")).caption = header.preparer;
    layout.setOrientation(report::Orientation::Landscape);
    layout.setPreviewWidth(kWidePreview);
    layout.setDataSource(lines);
}

} // namespace sijill::exams
