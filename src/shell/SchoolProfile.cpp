#include "shell/SchoolProfile.h"

namespace sijill::shell {

SchoolProfile designSchoolProfile() {
    SchoolProfile p;
    p.Admin = unsetAdministration();
    p.School = QStringLiteral("القسم غير محدد");
    p.ThisYear = QStringLiteral("العام الدراسي هنا");
    p.ThisSemester = QStringLiteral("الفصل الدراسي هنا");
    p.Job = QStringLiteral("قائد المدرسة");
    p.ThisName = QStringLiteral("اسم المدير");
    p.name_2 = QStringLiteral("اسم المدير");
    p.name_3 = QStringLiteral("اسم المدير");
    p.Gender = 1;
    return p;
}

QString unsetAdministration() {
    return QStringLiteral("الإدارة غير محددة");
}

bool isUnfinished(const QString& administration) {
    return administration == unsetAdministration();
}

} // namespace sijill::shell
