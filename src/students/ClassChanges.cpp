#include "students/ClassChanges.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/SafeFileWriter.h"
#include "shell/SchoolInfoFile.h"
#include "students/Texts.h"

namespace sijill::students {

AddClassResult addClass(const ClassItem& cls) {
    if (cls.kind.isEmpty() || cls.grade.isEmpty() || cls.cls.isEmpty())
        return AddClassResult::EmptyField;
    data::Connection c(data::Database::Schedule);
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
    data::Connection c(data::Database::Students);
    c.attach(data::Database::Schedule, QStringLiteral("sched"));
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

namespace {

// The file's lines: its first line kept (the default header when the file is
// missing or empty), then one item per line.
QStringList classListFileLines(const QStringList& items) {
    const std::optional<QStringList> old = shell::readSchoolInfoLines(shell::schoolInfoPath());
    QString header = old && !old->isEmpty() ? old->front() : QString();
    if (header.isEmpty())
        header = texts::kIniDefaultHeader;
    return QStringList{header} + items;
}

const QString kNothingRemoved = QStringLiteral("لم يُحذف الفصل ولا طلابه.\r");

} // namespace

std::optional<QString> saveClassListFile(const QStringList& items) {
    return shell::writeSchoolInfoLines(shell::schoolInfoPath(), classListFileLines(items));
}

ClassRemoval removeClassAndSaveList(const ClassItem& cls, const QStringList& remainingItems) {
    // The file is made and written beside its place before the deletion is
    // committed, and renamed into place after it.
    const QString path = shell::schoolInfoPath();
    const shell::SchoolInfoText text = shell::encodeSchoolInfo(classListFileLines(remainingItems));
    if (!text.problem.isEmpty())
        return {false, kNothingRemoved + text.problem};
    platform::SafeFileWriter file(path);
    if (!file.prepare(text.bytes))
        return {false, kNothingRemoved + platform::fileNotWrittenMessage(path, file.reason())};
    try {
        removeClass(cls);
    } catch (const data::DataError& e) {
        return {false, kNothingRemoved + e.userMessage()};
    }
    if (!file.commit())
        return {true, QStringLiteral("تم حذف طلاب الفصل، ولم يُحدَّث ملف قائمة الفصول.\r") +
                          platform::fileNotWrittenMessage(path, file.reason())};
    return {true, {}};
}

} // namespace sijill::students
