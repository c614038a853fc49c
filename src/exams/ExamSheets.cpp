#include "exams/ExamSheets.h"

#include "exams/SheetTexts.h"
#include "exams/Texts.h"
#include "report/ReportModel.h"
#include "reports/ReportHeader.h"

namespace sijill::exams {

namespace {

const QString kReportFooter = QStringLiteral("Section5");
constexpr double kRevisersPreviewWidth = 16700;
// The grade and day a sheet line belongs to, and whether its second period
// is filled.
struct LineDay {
    QString grade, date;
    bool hasSecond = false;
};

void startLine(report::ReportRowset& out, const ScheduleRow& r, const QString& grade) {
    out.addRow();
    out.set(QStringLiteral("d0"), grade);
    out.set(QStringLiteral("d1"), r.date);
    out.set(QStringLiteral("d2"), r.weekday);
}

void fillHeaderAndFooter(report::ReportLayout& layout, const SheetSchool& school) {
    reports::fillSchoolHeader(
        layout,
        {school.administration, school.school, sheet_texts::kYearPrefix + school.year, school.logo},
        school.semester);
    layout.control(kReportFooter, QStringLiteral("Kl7")).caption = school.principal;
    layout.control(kReportFooter, QStringLiteral("kl8")).caption = school.preparer1;
}

} // namespace

QString removeWords(QString text, const QStringList& words) {
    for (const QString& w : words)
        text.remove(w);
    return text;
}

QString squeezeBlanks(QString text) {
    return text.replace(QStringLiteral("  "), QStringLiteral(" "));
}

QString gradeSheetGrade(const QString& grade) {
    return squeezeBlanks(removeWords(grade, sheet_texts::kGradeSheetFirstWords));
}

QString gradeSheetPairedGrade(const QString& grade) {
    return squeezeBlanks(removeWords(grade, sheet_texts::kGradeSheetPairedWords));
}

QString schoolSheetGrade(const QString& grade) {
    const QString once = squeezeBlanks(removeWords(grade, sheet_texts::kSchoolSheetWords));
    return squeezeBlanks(removeWords(once, sheet_texts::kSchoolSheetAgainWords));
}

QString revisersSheetGrade(const QString& grade) {
    QString g = squeezeBlanks(removeWords(grade, {sheet_texts::kQuranWords}));
    return squeezeBlanks(removeWords(g, sheet_texts::kRevisersWords)).trimmed();
}

report::ReportRowset scheduleSheetRows(const std::vector<ScheduleRow>& records,
                                       ScheduleSheet sheet) {
    report::ReportRowset out = report::ReportRowset::withFields(6);
    std::optional<LineDay> last;
    for (const ScheduleRow& r : records) {
        if (r.subject.isEmpty())
            continue;
        const bool school = sheet == ScheduleSheet::School;
        if (r.period == texts::kFirstPeriod) {
            startLine(out, r, school ? schoolSheetGrade(r.grade) : gradeSheetGrade(r.grade));
            out.set(QStringLiteral("d3"), r.subject);
            out.set(QStringLiteral("d4"), r.time);
            last = LineDay{r.grade.trimmed(), r.date, false};
        } else if (r.period == texts::kSecondPeriod) {
            const QString grade =
                school ? schoolSheetGrade(r.grade) : gradeSheetPairedGrade(r.grade);
            const bool sameDay = last && !last->hasSecond && last->grade == r.grade.trimmed() &&
                                 last->date == r.date;
            if (sameDay)
                out.set(QStringLiteral("d0"), grade);
            else
                startLine(out, r, grade);
            out.set(QStringLiteral("d5"), r.subject);
            out.set(QStringLiteral("d6"), r.time);
            last = LineDay{r.grade.trimmed(), r.date, true};
        }
    }
    return out;
}

report::ReportRowset revisersSheetRows(const std::vector<ScheduleRow>& records) {
    report::ReportRowset out = report::ReportRowset::withFields(7);
    for (const ScheduleRow& r : records) {
        out.addRow();
        out.set(QStringLiteral("d0"), r.weekday);
        out.set(QStringLiteral("d1"), r.date);
        out.set(QStringLiteral("d2"), revisersSheetGrade(r.grade));
        out.set(QStringLiteral("d3"), r.period);
        out.set(QStringLiteral("d4"), r.subject);
        out.set(QStringLiteral("d5"), r.corrector);
        out.set(QStringLiteral("d6"), r.reviewer);
    }
    return out;
}

void fillGradeScheduleSheet(report::ReportLayout& layout, const SheetSchool& school,
                            const QString& grade, const report::ReportRowset& rows) {
    layout.resetToDesign();
    fillHeaderAndFooter(layout, school);
    layout.control(QStringLiteral("Section4"), QStringLiteral("Label18")).caption = grade;
    layout.setDataSource(rows);
}

void fillSchoolScheduleSheet(report::ReportLayout& layout, const SheetSchool& school,
                             const report::ReportRowset& rows) {
    layout.resetToDesign();
    fillHeaderAndFooter(layout, school);
    layout.control(kReportFooter, QStringLiteral("kl9")).caption = school.preparer2;
    layout.setDataSource(rows);
}

void fillRevisersSheet(report::ReportLayout& layout, const SheetSchool& school,
                       const report::ReportRowset& rows) {
    layout.resetToDesign();
    fillHeaderAndFooter(layout, school);
    layout.setDataSource(rows);
    layout.setOrientation(report::Orientation::Landscape);
    layout.setPreviewWidth(kRevisersPreviewWidth);
}

} // namespace sijill::exams
