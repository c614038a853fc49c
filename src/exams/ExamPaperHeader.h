#pragma once

#include <QImage>
#include <QString>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::exams {

// What the exam-day papers print of the school profile.
struct ExamPaperHeader {
    QString administration; // profile kl3
    QString school;         // kl4
    QString year;           // kl2
    QString semester;       // kl1
    QString principal;      // kl7
    QString preparer;       // kl8
    QImage logo;            // the main window's report logo
};

// The school profile and the main window's report logo as the exam-day
// papers print them (CurrentExamPaperHeader.cpp, with the windows).
ExamPaperHeader currentExamPaperHeader();

// The report header of an exam-day paper: kl1 to kl5, the semester in Class
// and the logo. ReportError when the layout lacks one of them.
void fillExamPaperHeader(report::ReportLayout& layout, const ExamPaperHeader& header);

} // namespace sijill::exams
