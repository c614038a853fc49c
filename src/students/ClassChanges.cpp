#include "students/ClassChanges.h"

#include "data/Connection.h"
#include "shell/SchoolInfoFile.h"
#include "students/Texts.h"

namespace sijill::students {

AddClassResult addClass(const ClassItem& cls) {
    if (cls.kind.isEmpty() || cls.grade.isEmpty() || cls.cls.isEmpty())
        return AddClassResult::EmptyField;
    data::Connection c(data::Database::Schedual);
    const int existing = c.scalar(QStringLiteral("SELECT count(*) FROM grades "
                                                 "WHERE trim(grade) = ? AND trim(class) = ?"),
                                  {cls.grade.trimmed(), cls.cls.trimmed()})
                             .toInt();
    if (existing > 0)
        return AddClassResult::AlreadyThere;
    c.execute(QStringLiteral("INSERT INTO grades (kind, grade, class) VALUES (?,?,?)"),
              {cls.kind, cls.grade, cls.cls});
    return AddClassResult::Added;
}

void removeClass(const ClassItem& cls) {
    data::Connection c(data::Database::MyDatabase);
    c.attach(data::Database::Schedual, QStringLiteral("sched"));
    data::Transaction t(c);
    c.execute(QStringLiteral("DELETE FROM sched.grades WHERE trim(grade) = ? AND trim(class) = ?"),
              {cls.grade, cls.cls});
    QString sql = QStringLiteral("DELETE FROM main.T1 WHERE trim(d6) = ? AND trim(d7) = ?");
    QVariantList params{cls.grade, cls.cls};
    if (!cls.kind.isEmpty()) {
        sql += QStringLiteral(" AND instr(d5, ?) > 0");
        params << cls.kind;
    }
    c.execute(sql, params);
    t.commit();
}

bool saveClassListFile(const QStringList& items) {
    const QString path = shell::schoolInfoPath();
    const std::optional<QStringList> old = shell::readSchoolInfoLines(path);
    QString header = old && !old->isEmpty() ? old->front() : QString();
    if (header.isEmpty())
        header = texts::kIniDefaultHeader;
    return shell::writeSchoolInfoLines(path, QStringList{header} + items);
}

} // namespace sijill::students
