#include "shell/SchoolProfile.h"

#include "data/Connection.h"

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

SchoolProfile loadSchoolProfile() {
    data::Connection c(data::Database::Schedule);
    const data::RecordSet rs = c.query(QStringLiteral("SELECT * FROM MyInfo ORDER BY id"));
    // An empty table reads as a profile nobody has filled in: the user is
    // asked for it and the save writes row 1.
    if (rs.isEmpty())
        return designSchoolProfile();
    SchoolProfile p;
    p.Admin = rs.text(0, QStringLiteral("Admin"));
    p.School = rs.text(0, QStringLiteral("School"));
    p.ThisYear = rs.text(0, QStringLiteral("ThisYear"));
    p.ThisSemester = rs.text(0, QStringLiteral("ThisSemester"));
    p.Job = rs.text(0, QStringLiteral("Job"));
    p.ThisName = rs.text(0, QStringLiteral("ThisName"));
    p.name_2 = rs.text(0, QStringLiteral("name_2"));
    p.name_3 = rs.text(0, QStringLiteral("name_3"));
    bool ok = false;
    const int g = rs.value(0, QStringLiteral("Gender")).toString().trimmed().toInt(&ok);
    p.Gender = ok && (g == 1 || g == 2) ? g : 0;
    return p;
}

void saveSchoolProfile(const SchoolProfile& p) {
    data::Connection c(data::Database::Schedule);
    const int gender = p.Gender == 2 ? 2 : 1;
    const QVariantList values = {p.Admin,    p.School, p.ThisYear, p.ThisSemester, p.Job,
                                 p.ThisName, p.name_2, p.name_3,   gender};
    data::Transaction t(c);
    const int changed =
        c.execute(QStringLiteral("UPDATE MyInfo SET Admin = ?, School = ?, ThisYear = ?, "
                                 "ThisSemester = ?, Job = ?, ThisName = ?, name_2 = ?, "
                                 "name_3 = ?, Gender = ? WHERE id = 1"),
                  values);
    if (changed == 0)
        c.execute(QStringLiteral("INSERT INTO MyInfo (Admin, School, ThisYear, ThisSemester, "
                                 "Job, ThisName, name_2, name_3, Gender, id) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"),
                  values);
    t.commit();
}

} // namespace sijill::shell
