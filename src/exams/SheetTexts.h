#pragma once

#include <QString>
#include <QStringList>

// Texts of the exam schedule sheets and the correctors-and-reviewers sheet.
namespace sijill::exams::sheet_texts {

inline const QString kGradeSheet = QStringLiteral("ExamSch");
inline const QString kSchoolSheet = QStringLiteral("ExamSchAll");
inline const QString kRevisersSheet = QStringLiteral("ComRevisers");

inline const QString kYearPrefix = QStringLiteral("العام الدراسي ");

// Words the grade clean-ups remove, in the order they are removed.
inline const QStringList kGradeSheetFirstWords = {
    QStringLiteral("المتوسط"), QStringLiteral("الثانوي"), QStringLiteral("شرعية و"),
    QStringLiteral("قسم"),     QStringLiteral("علوم"),    QStringLiteral("عام"),
    QStringLiteral("شامل"),    QStringLiteral("المسار"),  QStringLiteral("-")};
inline const QStringList kGradeSheetPairedWords = {
    QStringLiteral("المتوسط"), QStringLiteral("الثانوي"), QStringLiteral("شرعية و"),
    QStringLiteral("قسم"),     QStringLiteral("علوم"),    QStringLiteral("عام"),
    QStringLiteral("شامل"),    QStringLiteral("شعبة"),    QStringLiteral("-")};
inline const QStringList kSchoolSheetWords = {QStringLiteral("القراّن الكريم"),
                                              QStringLiteral("شرعية و"),
                                              QStringLiteral("قسم"),
                                              QStringLiteral("علوم"),
                                              QStringLiteral("عام"),
                                              QStringLiteral("شامل"),
                                              QStringLiteral("-")};
// Cleaned once more from the last grade text before each row of the school sheet.
inline const QStringList kSchoolSheetAgainWords = {QStringLiteral("عام"), QStringLiteral("شامل"),
                                                   QStringLiteral("-")};
inline const QString kQuranWords = QStringLiteral("القراّن الكريم");
inline const QStringList kRevisersWords = {QStringLiteral("الثانوية"), QStringLiteral("شرعية و"),
                                           QStringLiteral("قسم"),      QStringLiteral("علوم"),
                                           QStringLiteral("عام"),      QStringLiteral("شامل"),
                                           QStringLiteral("المسار"),   QStringLiteral("-")};

// Failures the window reports; nothing is shown then.
inline const QString kSheetFailed = QStringLiteral("تعذر عرض الجدول");

} // namespace sijill::exams::sheet_texts
