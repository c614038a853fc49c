#pragma once

#include <QString>

// Texts of the minutes of one student and of opening the questions.
namespace sijill::exams::minutes::texts {

inline const QString kStudentsFailed = QStringLiteral("يوجد خطأ في بيانات الجدول");
inline const QString kThe = QStringLiteral("ال");
inline const QString kMyLanguage = QStringLiteral("لغتي");
inline const QString kDayFailed = QStringLiteral("خطأ في تحديد اليوم");
inline const QString kScheduleFailedTitle = QStringLiteral("خطأ في الجدول");
inline const QString kSubjectFailed =
    QStringLiteral("  خطأ في تحديد اليوم أو الفترة، تأكد من الجدول ");
inline const QString kStage = QStringLiteral("ابتدائي");
inline const QString kStudentName = QStringLiteral("اسم الطالب");
inline const QString kChooserCaption = QStringLiteral("جدول الاختبارات");

} // namespace sijill::exams::minutes::texts
