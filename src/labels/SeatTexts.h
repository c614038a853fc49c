#pragma once

#include <QString>

// The texts of the labels panel and of the class seat labels and signature sheets.
namespace sijill::labels::seat_texts {

inline const QString kChooseClass = QStringLiteral("اختر فصل لعرض أسماء الطلاب");
inline const QString kClassSeries = QStringLiteral("ترقيم متواصل للصف");
inline const QString kStartFrom = QStringLiteral("بداية من:");
inline const QString kStartDesign = QStringLiteral("1");
inline const QString kCommitteeDesign = QStringLiteral("اسم اللجنة");
inline const QString kClassDesign = QStringLiteral("الفصل");
inline const QString kRowClassLabels = QStringLiteral("ملصقات فصل");
inline const QString kRowCustomLabels = QStringLiteral("ملصقات مخصص");
inline const QString kRowDistribution = QStringLiteral("توزيع الطلاب على اللجان");
inline const QString kRowSignatures = QStringLiteral("التوقيع بحضور الامتحان");
inline const QString kWordFirstDefinite = QStringLiteral("الأول");
inline const QString kWordFirst = QStringLiteral("أول");
inline const QString kWordSecondDefinite = QStringLiteral("الثاني");
inline const QString kWordSecond = QStringLiteral("ثاني");
inline const QString kWordThirdDefinite = QStringLiteral("الثالث");
inline const QString kWordThird = QStringLiteral("ثالث");
inline const QString kCountry = QStringLiteral("المملكة العربية السعودية");
inline const QString kMinistry = QStringLiteral("وزارة التعليم");
inline const QString kExtraOpen = QStringLiteral("   [  ");
inline const QString kExtraClose = QStringLiteral("  ]");
inline const QString kYearSemesterJoin = QStringLiteral(" - ");

// Failures of the seat labels print; nothing is shown after them.
inline const QString kNoSuchClass = QStringLiteral("الفصل المختار غير موجود في قائمة الفصول");
inline const QString kBadStart = QStringLiteral("رقم البداية يجب أن يكون عددا صحيحا أكبر من صفر");
inline const QString kShowFailed = QStringLiteral("تعذر عرض الملصقات");

} // namespace sijill::labels::seat_texts
