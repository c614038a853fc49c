#pragma once

#include <QString>

// Texts of the hand-over statements, the checking sheet and the lateness
// minutes.
namespace sijill::exams::handover_texts {

// Layouts.
inline const QString kAuditedStatement = QStringLiteral("Comeetee");
inline const QString kStatement = QStringLiteral("Comeetee1");
inline const QString kCheckingSheet = QStringLiteral("ComRe");
inline const QString kLatenessMinutes = QStringLiteral("ExamLate");

// The exam-control header.
inline const QString kYearPrefix = QStringLiteral("العام الدراسي ");
inline const QString kDaySeparator = QStringLiteral(" - ");

// The grade clean-up of the statements, in the order it runs.
inline const QString kQuranWords = QStringLiteral("القراّن الكريم");
inline const QString kTwoBlanks = QStringLiteral("  ");
inline const QString kBlank = QStringLiteral(" ");
inline const QString kGradeWords[] = {
    QStringLiteral("الثانوية"), QStringLiteral("شرعية و"), QStringLiteral("قسم"),
    QStringLiteral("علوم"),     QStringLiteral("عام"),     QStringLiteral("شامل"),
    QStringLiteral("المسار"),   QStringLiteral("-"),
};

// Failures; the paper is then not shown.
inline const QString kPaperFailed = QStringLiteral("تعذر عرض النموذج");

} // namespace sijill::exams::handover_texts
