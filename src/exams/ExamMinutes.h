#pragma once

#include "data/RecordSet.h"
#include "schedule/ScheduleStore.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::exams {
struct ExamPaperHeader;
}

namespace sijill::exams::minutes {

// One student of the single-student chooser: the name it lists, the item
// its hidden list shows (the seven values joined by ":") and the seven
// values kept beside it (name, phone, civil-registry number, import flag,
// stage, grade, class), which the minutes read, so a ":" inside a name moves
// nothing.
struct ChooserStudent {
    QString name;
    QString item;
    QStringList parts;
};

struct ChooserLoad {
    std::vector<ChooserStudent> students; // those read before any failure
    bool failed = false;
};

// The students of one class key ("grade-class") for the chooser: a stage
// set, grade and class equal to the key's trimmed parts, in the order they
// were added. A key without "-", a class without students, a student
// without a name or a database failure marks the load failed.
ChooserLoad loadChooserStudents(const QString& classKey);

// The schedule's grade name of a class key: the grade part without the stage
// word and double blanks, trimmed, as the exam-control grade lists write it.
QString scheduleGradeOfKey(const QString& classKey);

// The schedule rows of a date and period, as the schedule store reads them.
using exams::dayPeriodRows;

// What the minutes print of the first found row.
struct FoundDay {
    QString day;     // weekday, three blanks, date (Label7)
    QString period;  // Label8
    QString subject; // Label9
    QString grade;
};
// nullopt when there is no row.
std::optional<FoundDay> firstRow(const data::RecordSet& rows);

// The subject as the minutes name it: a single word that has no article gets
// "ال" ("رياضيات" -> "الرياضيات"); a subject of more words, one that begins
// with the article and "لغتي" print as stored, blanks around them trimmed.
QString withArticle(const QString& subject);

// Each fill starts from the stored design, with the exam-day paper header
// and the principal and preparer signing. Throws report::ReportError when
// the layout lacks a control.
void fillStudentMinutes(report::ReportLayout& layout, const ExamPaperHeader& header,
                        const QStringList& student, const FoundDay& found);
void fillQuestionsOfDay(report::ReportLayout& layout, const ExamPaperHeader& header,
                        const FoundDay& found, const data::RecordSet& rows);
void fillQuestionsOfSubject(report::ReportLayout& layout, const ExamPaperHeader& header,
                            const FoundDay& found, const data::RecordSet& rows);

} // namespace sijill::exams::minutes
