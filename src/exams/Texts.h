#pragma once

#include "schedule/ScheduleTexts.h"

#include <QString>

// The exam-control window's own texts.
namespace sijill::exams::texts {

inline const QString kWindowCaption = QStringLiteral("جدول الاختبارات");
inline const QString kGradePrompt = QStringLiteral(" اختر الصف لعرض الجدول ");
inline const QString kNewDay = QStringLiteral("إضافة يوم");
inline const QString kColDay = QStringLiteral("اليوم");
inline const QString kColDate = QStringLiteral("الناريخ");
inline const QString kColSubject = QStringLiteral("المادة");
inline const QString kColTime = QStringLiteral("الزمن");
inline const QString kColCorrector = QStringLiteral("المصحح");
inline const QString kColReviewer = QStringLiteral("المراجع");
inline const QString kFirstPeriodHeading = QStringLiteral("الفترة الأولى");
inline const QString kSecondPeriodHeading = QStringLiteral("الفترة الثانية");
inline const QString kEditorCaption = QStringLiteral("تحرير جدول  اختبار الصف");
inline const QString kAskSave = QStringLiteral(" هل تريد حفظ التغييرات على جدول ");
inline const QString kAskSaveTitle = QStringLiteral(" حفظ ");
inline const QString kFirstDayEmpty = QStringLiteral(" لا يمكن ترك اليوم الأول بدون بيانات ");
inline const QString kSaved = QStringLiteral(" تم حفظ الجدول ");
inline const QString kCannotDeleteDay = QStringLiteral("لا يمكن حذف جدول هذا اليوم");
inline const QString kDeleteLaterDayFirst =
    QStringLiteral("لحذف جدول هذا اليوم يجب حذف اليوم الذي بعده");
inline const QString kAskDeleteDay = QStringLiteral("سيتم  مسح هذا اليوم، هل تريد المواصلة");
inline const QString kAskDeletePeriod = QStringLiteral("سيتم مسح :");
inline const QString kGradeErased = QStringLiteral("تم مسح جدول الصف :");
inline const QString kAskEraseGrade = QStringLiteral("سيتم مسح جدول الصف :");
inline const QString kAskEraseAll = QStringLiteral("سيتم مسح جداول جميع الصفوف ");
inline const QString kAllErased = QStringLiteral("تم مسح جداول جميع الصفوف ");
inline const QString kAdd = QStringLiteral("إضافة");
inline const QString kSubjectHint = QStringLiteral("اكتب اسم المادة ثم اضغط إضافة");
inline const QString kSubjectExists1 = QStringLiteral(" المادة ");
inline const QString kSubjectExists2 = QStringLiteral(" موجودة");
inline const QString kTeacherExists1 = QStringLiteral(" المعلم ");
inline const QString kTeacherExists2 = QStringLiteral(" موجود");
inline const QString kTimeExists1 = QStringLiteral(" الوقت ");
inline const QString kTimeExists2 = QStringLiteral(" موجود");
inline const QString kPickDayTip = QStringLiteral("اضغط لتحديد اليوم");
inline const QString kPrintTip = QStringLiteral("طباعة");
inline const QString kColGrade = QStringLiteral("الصف");
inline const QString kColPeriod = QStringLiteral("الفترة");
inline const QString kGradeSheetBanner = QStringLiteral("جدول اختبار الصف");
inline const QString kWordFirst = QStringLiteral("أول");
inline const QString kWordSecond = QStringLiteral("ثاني");
inline const QString kWordChoose = QStringLiteral("اختر");
inline const QString kMenu0 = QStringLiteral("جدول المدرسة");
inline const QString kMenu1 = QStringLiteral("جدول صف");
inline const QString kMenu2 = QStringLiteral("محضر تأخر");
inline const QString kMenu3 = QStringLiteral("محضر غياب");
inline const QString kMenu4 = QStringLiteral("محضر غش");
inline const QString kMenu5 = QStringLiteral("فتح أسئلة");
inline const QString kMenu6 = QStringLiteral("فتح أسئلة لمادة");
inline const QString kMenu7 = QStringLiteral("استلام وتسليم الأوراق");
inline const QString kMenu8 = QStringLiteral("استلام وتسليم وتدقيق");
inline const QString kMenu9 = QStringLiteral("التدقيق");
inline const QString kMenu10 = QStringLiteral("المصححين والمراجعين");
inline const QString kMenu11 = QStringLiteral("    كل صف لجنة مستقلة");
inline const QString kMenu12 = QStringLiteral("المصححين والمراجعين ليوم محدد");

// Failures reported by the window; each says that nothing was changed.
inline const QString kLoadFailed = QStringLiteral("تعذر عرض جدول الصف");
inline const QString kSaveFailed = QStringLiteral("تعذر حفظ الجدول، ولم يتغير شيء");
inline const QString kDeleteFailed = QStringLiteral("تعذر المسح، ولم يتغير شيء");
inline const QString kAddFailed = QStringLiteral("تعذرت الإضافة، ولم يتغير شيء");
inline const QString kListsFailed = QStringLiteral("تعذرت قراءة القوائم");

} // namespace sijill::exams::texts
