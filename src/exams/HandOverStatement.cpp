#include "exams/HandOverStatement.h"

#include "data/Connection.h"
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

data::RecordSet handOverScheduleRows(data::Connection& scheduleDb, const QString& date) {
    // A containment test, as a stored date may carry text around it; instr
    // keeps "%" and "_" in the date from acting as wildcards.
    return scheduleDb.query(QStringLiteral("SELECT * FROM T1 WHERE instr(D2, ?) > 0 "
                                           "ORDER BY D2, D8, D0"),
                            {date});
}

report::ReportRowset handOverLines(const data::RecordSet& schedule) {
    report::ReportRowset lines = report::ReportRowset::withFields(8);
    for (int r = 0; r < schedule.recordCount(); ++r) {
        lines.addRow();
        lines.set(QStringLiteral("d8"), schedule.text(r, QStringLiteral("D8")));
        lines.set(QStringLiteral("d3"),
                  cleanHandOverGrade(schedule.text(r, QStringLiteral("D3"))).trimmed());
        lines.set(QStringLiteral("d4"), schedule.text(r, QStringLiteral("D4")));
        lines.set(QStringLiteral("d6"), schedule.text(r, QStringLiteral("D6")));
        lines.set(QStringLiteral("d7"), schedule.text(r, QStringLiteral("D7")));
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
