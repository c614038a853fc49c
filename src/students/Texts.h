#pragma once

#include <QString>

// The program's own texts of the student windows.
namespace sijill::students::texts {

inline const QString kStageText = QStringLiteral("الابتدائي");
inline const QString kGrade1 = QStringLiteral("أول");
inline const QString kGrade2 = QStringLiteral("ثاني");
inline const QString kGrade3 = QStringLiteral("ثالث");
inline const QString kGrade4 = QStringLiteral("رابع");
inline const QString kGrade5 = QStringLiteral("خامس");
inline const QString kGrade6 = QStringLiteral("سادس");
inline const QString kChooserModeStudents = QStringLiteral("استيراد ابتدائي");
inline const QString kStartCaption = QStringLiteral("ابدأ");
inline const QString kNoFileText = QStringLiteral("لم تحدد اسم الملف");
inline const QString kNoFileTitle = QStringLiteral("خطأ في تحديد اسم الملف");
inline const QString kStatusLinking = QStringLiteral("الربط مع Excel");
inline const QString kStatusExtracting = QStringLiteral("استخراج بيانات المدرسة");
// Asked when class maintenance closes with a student's edit not saved.
inline const QString kAskSaveEditOnClose =
    QStringLiteral("لم تحفظ تغييرات بيانات الطالب، هل تريد حفظها قبل إغلاق النافذة؟");
inline const QString kNoMarkQuestion = QStringLiteral(" هذا الملف غير صالح هل تريد الاستمرار ");
inline const QString kStatusStudent = QStringLiteral(" بيانات الطالب   ");
inline const QString kStatusNamesDone = QStringLiteral("انتهت الأسماء");
inline const QString kImportDone = QStringLiteral("تم مسح جميع البيانات السابقة واستبدالها ");
inline const QString kStatusSavingClasses = QStringLiteral("حفظ الفصول");
inline const QString kSkillsGradeDefault = QStringLiteral("الصف");
inline const QString kKindText = QStringLiteral("ابتدائي");
inline const QString kReorderCaption = QStringLiteral("توزيع الطلاب");
inline const QString kAllStudents = QStringLiteral("جميع الطلاب");
inline const QString kClassCaption = QStringLiteral("طلاب  الشعبة");
inline const QString kShowByCaption = QStringLiteral("عرض حسب");
inline const QString kNameCaption = QStringLiteral("الاسم:");
inline const QString kCivilCaption = QStringLiteral("السجل المدني:");
inline const QString kGradeCaption = QStringLiteral("الصف:");
inline const QString kNumberCaption = QStringLiteral("الرقم:");
inline const QString kPhoneCaption = QStringLiteral("الهاتف:");
inline const QString kAddCaption = QStringLiteral("أضف");
inline const QString kEditCaption = QStringLiteral("تعديل بيانات الطالب");
inline const QString kRenumberCaption = QStringLiteral("إعادة ضبط جميع الأرقام");
inline const QString kKindCaption = QStringLiteral("القسم:");
inline const QString kClassBoxCaption = QStringLiteral("الفصل:");
inline const QString kDeleteCaption = QStringLiteral("حذف ");
inline const QString kMoveCaption = QStringLiteral("انقل الطالب إلى");
inline const QString kNoSchoolRenumber = QStringLiteral("لا يمكنك إعادة الترقيم لكل المدرسة");
inline const QString kRenumbered = QStringLiteral("تم تعديل البيانات");
inline const QString kAdded = QStringLiteral("تمت الإضافة");
inline const QString kEdited = QStringLiteral(" تم تعديل البيانات ");
inline const QString kDeleteQuestion = QStringLiteral(" هل تريد حذف  بيانات الطالب ");
inline const QString kDeleted = QStringLiteral(" تم حذف بيانات  ");
inline const QString kCopyQuestion1 = QStringLiteral("هل تريد عمل نسخة إضافية من بيانات الطالب?");
inline const QString kCopyQuestion3a =
    QStringLiteral("اختيار (نعم) يعني ابقاء بيانات الطالب في فصله ");
inline const QString kCopyQuestion3b = QStringLiteral("وعمل نسخة إضافية");
inline const QString kCopyQuestion4 =
    QStringLiteral("اختيار (لا) يعني نقل الطال إلى الفصل الجديد ");
inline const QString kMoved = QStringLiteral("تم نقل الطلاب");
// Asked before a typed civil-registry number of unusual length is stored.
// %1: the number; %2: how many digits it has; %3: how many it usually has.
inline const QString kAskCivilLength =
    QStringLiteral("عدد أرقام السجل المدني %1 هو %2، والمعتاد %3 أرقام.\r"
                   "هل تريد حفظه كما كتبته؟");
inline const QString kIniDefaultHeader = QStringLiteral("الإدارة:المدرسة:1433-1434");
inline const QString kLastClass = QStringLiteral(" لا يمكن حذف هذا الصف لأنه الصف الأخير ");
inline const QString kAllNamesGroup = QStringLiteral(" لا يمكن حذف مجموعة جميع الأسماء ");
inline const QString kRemoveClassQuestion = QStringLiteral(" سيتم حذف جميع الطلاب الذين في ");
inline const QString kNoClasses = QStringLiteral("لا يوجد بيانات للصفوف");

// The course-skills import's chooser mode.
inline const QString kChooserModeSkills = QStringLiteral("استيراد المهارات");

} // namespace sijill::students::texts
