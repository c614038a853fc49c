#pragma once

#include <QString>

// The program's own texts of the custom-labels window and its print.
namespace sijill::labels::texts {

inline const QString kWindowCaption = QStringLiteral("ملصقات مخصصة");
inline const QString kNoData = QStringLiteral("لا يوجد بيانات");
inline const QString kIncomplete = QStringLiteral("يوجد سجل أساسي  ناقص");
inline const QString kSaveQuestion = QStringLiteral("هل تريد حفظ التغييرات");
inline const QString kSaveQuestionTitle = QStringLiteral("-");
inline const QString kSaved = QStringLiteral("تم الحفظ");
inline const QString kAdded = QStringLiteral("تم الإضافة");
// Asked before a label is deleted; the name shown follows on its own line.
inline const QString kDeleteQuestion = QStringLiteral("هل تريد حذف هذا الملصق");
// Asked when the window closes with a label typed and not saved.
inline const QString kAskSaveOnClose =
    QStringLiteral("لم تحفظ تغييرات الملصق، هل تريد حفظها قبل إغلاق النافذة؟");
inline const QString kSaveBeforePrint = QStringLiteral("يجب حفظ البيانات قبل الطباعة");
inline const QString kMsgTitle = QStringLiteral("تنبيه");

// Captions of the four boxes, column d0 to d3.
inline const QString kClassCaption = QStringLiteral("الفصل");
inline const QString kNameCaption = QStringLiteral("الاسم");
inline const QString kNumberCaption = QStringLiteral("الرقم");
inline const QString kCommitteeCaption = QStringLiteral("اللجنة");
inline const QString kYearCaption = QStringLiteral("السنة");

inline const QString kBack = QStringLiteral("السابق");
inline const QString kForward = QStringLiteral("التالي");
inline const QString kAdd = QStringLiteral("إضافة");
inline const QString kRemove = QStringLiteral("حذف");
inline const QString kSave = QStringLiteral("حفظ");

} // namespace sijill::labels::texts
