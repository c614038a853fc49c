#include "shell/SchoolStore.h"

#include "data/Connection.h"
#include "shell/SchoolProfile.h"

namespace sijill::shell {

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

std::vector<ClassRecord> loadClasses() {
    data::Connection c(data::Database::Schedule);
    const data::RecordSet rs = c.query(
        QStringLiteral("SELECT grade, class FROM grades ORDER BY grade, order_it DESC, class, id"));
    std::vector<ClassRecord> classes;
    classes.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i)
        classes.push_back(
            {rs.text(i, QStringLiteral("grade")), rs.text(i, QStringLiteral("class"))});
    return classes;
}

std::vector<ClassHeadcount> countStudentsPerClass() {
    data::Connection c(data::Database::Students);
    const data::RecordSet rs =
        c.query(QStringLiteral("SELECT trim(d6), trim(d7), count(*) FROM T1 "
                               "WHERE d5 IS NOT NULL AND d6 IS NOT NULL AND d7 IS NOT NULL "
                               "GROUP BY trim(d6), trim(d7)"));
    std::vector<ClassHeadcount> counts;
    counts.reserve(rs.recordCount());
    for (int i = 0; i < rs.recordCount(); ++i)
        counts.push_back(
            {rs.value(i, 0).toString(), rs.value(i, 1).toString(), rs.value(i, 2).toInt()});
    return counts;
}

void deleteAllStudentRows() {
    data::Connection c(data::Database::Students);
    data::Transaction t(c);
    c.execute(QStringLiteral("DELETE FROM T1"));
    t.commit();
}

} // namespace sijill::shell
