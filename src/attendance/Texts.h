#pragma once

#include <QString>

// The attendance follow-up's own texts.
namespace sijill::attendance::texts {

inline const QString kWindowCaption = QStringLiteral("غياب وتأخر الطلاب");
inline const QString kAllClasses = QStringLiteral(" جميع فصول المدرسة ");
inline const QString kSheetButton = QStringLiteral("إحصائية بأيام التأخر خلال شهر");
// The monthly absence follow-up sheet's name, wherever it is printed from: its
// previews and jobs go by it, and the name-list menu's way to it shows it on
// the sheet button.
inline const QString kMonthSheetName = QStringLiteral("نموذج متابعة الغياب لشهر");
inline const QString kLatenessButton = QStringLiteral("احصائية بمجموع  تأخر طلاب فصل محدد");
inline const QString kOneStudentNotice = QStringLiteral("إشعار لطالب محدد");
inline const QString kPickClass = QStringLiteral("اختر الصف");
inline const QString kNoDate = QStringLiteral("-");

inline const QString kAskWholeSchool = QStringLiteral("ستتم الطباعة لجميع فصول المدرسة");
inline const QString kPickDateFirst = QStringLiteral(" فضلا حدد التاريخ ");

// Header texts of the sheet.
inline const QString kKingdom = QStringLiteral("المملكة العربية السعودية");
inline const QString kMinistry = QStringLiteral("وزارة التعليم");
inline const QString kSheetTitle = QStringLiteral(" متابعة الغياب ");
inline const QString kOfMonth = QStringLiteral(" لشهر ");

} // namespace sijill::attendance::texts
