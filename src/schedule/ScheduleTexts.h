#pragma once

#include <QString>

// Texts of the exam schedule table, read by the exam-control window and the
// label sheets alike.
namespace sijill::exams::texts {

inline const QString kFirstPeriod = QStringLiteral("الأولى");
inline const QString kSecondPeriod = QStringLiteral("الثانية");
// The stage word a grade's name may carry, left out where grades are shown.
inline const QString kWordStage = QStringLiteral("ابتدائي");

} // namespace sijill::exams::texts
