#pragma once

#include "report/ReportData.h"
#include "schedule/ExamSchedule.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::exams {

// Removes every occurrence of each word in turn, exactly as written.
QString removeWords(QString text, const QStringList& words);
// Replaces every double blank by one, in one pass.
QString squeezeBlanks(QString text);

// The grade names as each sheet prints them.
QString gradeSheetGrade(const QString& grade);       // a row started by a first period
QString gradeSheetPairedGrade(const QString& grade); // a row a second period completes
QString schoolSheetGrade(const QString& grade);
QString revisersSheetGrade(const QString& grade); // trimmed

enum class ScheduleSheet { Grade, School };

// One line per grade and exam day (d0 grade, d1 date, d2 weekday, d3 and d4
// the first period's subject and time, d5 and d6 the second's). A row without
// a subject is never printed. A second period completes the line of its own
// grade and day only; without one it gets a line of its own with the first
// period's cells empty, so it never lands on another day's line.
report::ReportRowset scheduleSheetRows(const std::vector<ScheduleRow>& records,
                                       ScheduleSheet sheet);

// One line per record (d0 weekday, d1 date, d2 grade, d3 period, d4 subject,
// d5 corrector, d6 reviewer; d7 empty).
report::ReportRowset revisersSheetRows(const std::vector<ScheduleRow>& records);

// What the sheets print of the school profile and the main window.
struct SheetSchool {
    QString administration; // profile kl3
    QString school;         // kl4
    QString year;           // kl2
    QString semester;       // kl1
    QString principal;      // kl7
    QString preparer1;      // kl8
    QString preparer2;      // kl9
    QImage logo;
};

// Each fill starts from the layout's stored design.
// ExamSch: the header, the grade as the title, kl7 and kl8 in the footer.
void fillGradeScheduleSheet(report::ReportLayout& layout, const SheetSchool& school,
                            const QString& grade, const report::ReportRowset& rows);
// ExamSchAll: the header, kl7 to kl9 in the footer; the stored title stays.
void fillSchoolScheduleSheet(report::ReportLayout& layout, const SheetSchool& school,
                             const report::ReportRowset& rows);
// ComRevisers: the header, kl7 and kl8, landscape, a wide preview.
void fillRevisersSheet(report::ReportLayout& layout, const SheetSchool& school,
                       const report::ReportRowset& rows);

} // namespace sijill::exams
