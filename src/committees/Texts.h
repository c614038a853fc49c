#pragma once

#include <QString>

// The committee window's own texts.
namespace sijill::committees::texts {

inline const QString kCaption = QStringLiteral("توزيع الطلاب");
inline const QString kDistribute = QStringLiteral("انشئ اللجان");
inline const QString kCapacityCaption = QStringLiteral("الاستيعاب العام");
inline const QString kCommitteeColon = QStringLiteral("اللجنة:");
inline const QString kGradesCaption = QStringLiteral("الصفوف");
inline const QString kClassesCaption = QStringLiteral("عدد الفصول");
inline const QString kStudentsCaption = QStringLiteral("عدد الطلاب");
inline const QString kCommitteeName = QStringLiteral("اسم اللجنة");
inline const QString kDeskRows = QStringLiteral("القاطرات");
inline const QString kCapacity = QStringLiteral("الاستيعاب ");
inline const QString kPreviewTip = QStringLiteral("معاينة التوزيع");
inline const QString kSaveTip = QStringLiteral("حفظ التغييرات");
inline const QString kSheetTip = QStringLiteral("كشف التوقيع");
inline const QString kLabelsTip = QStringLiteral("الملصقات");
inline const QString kAdd = QStringLiteral("أضف");
inline const QString kUpdate = QStringLiteral("تحديث");
inline const QString kCommitteePrefix = QStringLiteral("اللجنة [");
inline const QString kAdded = QStringLiteral("تمت الإضافة");
inline const QString kUpdated = QStringLiteral("تم التحديث");
inline const QString kAskSave = QStringLiteral("هل تريد حفظ التغييرات");
inline const QString kAskReset = QStringLiteral("هل تريد إعادة ضبط جميع البيانات؟");
inline const QString kDistributed = QStringLiteral("تم إنشاء اللجان بنجاح");
inline const QString kKingdom = QStringLiteral("المملكة العربية السعودية");
inline const QString kMinistry = QStringLiteral("وزارة التعليم");
inline const QString kStageWord = QStringLiteral("ابتدائي");

// Failures the program reports in its own words.
// %1: the most seats a committee is given.
inline const QString kBadCapacity =
    QStringLiteral("الاستيعاب العام للجنة يجب أن يكون عددا صحيحا من 1 إلى %1، "
                   "بلا كسور ولا إشارات ولا حروف، ولم تنشأ أي لجنة");
// %1: the committee's name; %2: the most seats a committee is given.
inline const QString kRowOverCapacity =
    QStringLiteral("استيعاب اللجنة %1 يجب ألا يزيد على %2 مقعد، ولم يحفظ شيء؛ "
                   "صحح الاستيعاب ثم احفظ من جديد");
inline const QString kBadStudentCount = QStringLiteral("تعذرت قراءة عدد الطلاب، ولم تنشأ أي لجنة");
inline const QString kAddFailed = QStringLiteral("تعذرت إضافة اللجنة");
inline const QString kDatabaseBusy =
    QStringLiteral("قاعدة البيانات مشغولة الآن ببرنامج آخر؛ أعد المحاولة بعد قليل");
inline const QString kNothingToDistribute = QStringLiteral("لا يوجد طلاب لتوزيعهم على اللجان");
inline const QString kEmptyCommitteeName =
    QStringLiteral("اللجنة رقم %1 بلا اسم؛ اكتب اسمها ثم وزع الطلاب من جديد");
inline const QString kGradesLeftOut =
    QStringLiteral("توزع هذه النافذة طلاب الصفوف الثلاثة الأولى فقط، "
                   "فلم يوزع طلاب الصفوف التالية:");
inline const QString kUnflaggedLeftOut =
    QStringLiteral("ولم يوزع الطلاب غير المشمولين بالاختبارات "
                   "(ومنهم المضافون أو المنسوخون يدويا)، وعددهم %1:");
inline const QString kStudentInClass = QStringLiteral("%1 (%2)");
inline const QString kAndOthers = QStringLiteral("، وغيرهم: %1");
inline const QString kOverCapacityTitle = QStringLiteral("لجان فيها طلاب أكثر من استيعابها:");
inline const QString kOverCapacity = QStringLiteral("%1: الطلاب %2 والاستيعاب %3");
inline const QString kSeatingDrift =
    QStringLiteral("التوزيع لا يطابق الطلاب الحاليين: %1 غادروا المدرسة، وبلا مقعد %2");
inline const QString kSeatingStale =
    QStringLiteral("التوزيع لا يطابق الطلاب الحاليين ولا أسماء اللجان؛ وزع الطلاب من جديد");
// %1: the committees' names.
inline const QString kCommitteesUnseated =
    QStringLiteral("%1: بلا طلاب لأنها سميت أو أنشئت بعد التوزيع؛ وزع الطلاب من جديد");
inline const QString kCommitteesUnseatedShort =
    QStringLiteral("لجان بلا طلاب لأنها سميت أو أنشئت بعد التوزيع؛ وزع الطلاب من جديد");
// %1: the committee's place in the list.
inline const QString kUnnamedCommittee = QStringLiteral("اللجنة رقم %1");
// Why a sheet or its labels would print from a seating that does not hold.
inline const QString kDriftedReason =
    QStringLiteral("توزيع اللجان لا يطابق الطلاب الحاليين: لم يعد في المدرسة %1 من الطلاب "
                   "الموزعين، وبلا مقعد %2 من الطلاب.");
// %1: the committee's name.
inline const QString kUnseatedReason =
    QStringLiteral("اللجنة «%1» بلا طلاب في التوزيع لأنها سميت أو أنشئت بعده، فيطبع كشفها "
                   "وملصقاتها بلا طلاب.");
inline const QString kAskPrintAsItIs =
    QStringLiteral("توزيع الطلاب من جديد يحدّثه ويغير أرقام الجلوس.\rهل تريد الطباعة من "
                   "التوزيع كما هو؟");
inline const QString kGradeCount = QStringLiteral("الصف %1، وعدد طلابه %2");
inline const QString kSeatedCount = QStringLiteral("عدد الطلاب الموزعين: %1");
inline const QString kNotSeatedCount = QStringLiteral("عدد الطلاب غير الموزعين: %1");
inline const QString kAskSaveOnClose =
    QStringLiteral("لم تحفظ تغييرات اللجان، هل تريد حفظها قبل إغلاق النافذة؟");
inline const QString kNoCommittees = QStringLiteral("لا توجد لجان لتوزيع المقاعد عليها");
inline const QString kNoGradeCounts =
    QStringLiteral("تعذرت قراءة أعداد طلاب الصفوف؛ أغلق النافذة وافتحها من جديد");
inline const QString kSaveFailed = QStringLiteral("تعذر حفظ بيانات اللجنة");
inline const QString kResetFailed =
    QStringLiteral("تعذرت إعادة ضبط اللجان، ولم يتغير شيء من البيانات");
inline const QString kDistributionFailed =
    QStringLiteral("تعذر توزيع الطلاب على اللجان، ولم يتغير شيء من البيانات");
inline const QString kSeatsMismatch =
    QStringLiteral("عدد المقاعد لا يساوي عدد الطلاب في الصف %1: المقاعد %2 والطلاب %3");
inline const QString kDuplicateCommittee =
    QStringLiteral("اسم اللجنة مكرر: %1، ولكل لجنة اسم لا تشاركها فيه لجنة أخرى");
inline const QString kSheetFailed = QStringLiteral("تعذر عرض بيانات اللجنة");

} // namespace sijill::committees::texts
