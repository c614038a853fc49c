#pragma once

#include <QString>

// The program's own texts of the shell's windows.
namespace sijill::shell::texts {

// Asked when the school-profile window closes with typed changes.
inline const QString kAskSaveProfileOnClose =
    QStringLiteral("لم تحفظ تغييرات بيانات المدرسة، هل تريد حفظها قبل إغلاق النافذة؟");

} // namespace sijill::shell::texts
