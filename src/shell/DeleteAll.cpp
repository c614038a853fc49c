#include "shell/DeleteAll.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "shell/SchoolInfoFile.h"

#include <QDir>
#include <QFile>

namespace sijill::shell {

QString perUserDatabaseCopy() {
    const QString base = qEnvironmentVariable("LOCALAPPDATA");
    if (base.isEmpty())
        return {};
    return QDir(QDir::fromNativeSeparators(base))
        .filePath(QStringLiteral("VirtualStore/Program Files/Tallivan/Database/Mydatabase.mdb"));
}

std::optional<QString> deleteAllStudents(const QString& schoolName) {
    const QString copy = perUserDatabaseCopy();
    if (!copy.isEmpty() && QFile::exists(copy) && !QFile::remove(copy))
        return QStringLiteral("تعذر حذف النسخة الخاصة بالمستخدم من قاعدة البيانات:\r%1")
            .arg(QDir::toNativeSeparators(copy));

    try {
        data::Connection c(data::Database::MyDatabase);
        c.execute(QStringLiteral("DELETE FROM T1"));
    } catch (const data::DataError& e) {
        return QStringLiteral("تعذر حذف بيانات الطلاب:\r%1").arg(e.userMessage());
    }

    const QString path = schoolInfoPath();
    if (!writeSchoolInfoLines(path, {schoolInfoHeader(schoolName)}))
        return QStringLiteral("تم حذف بيانات الطلاب، وتعذرت كتابة الملف:\r%1")
            .arg(QDir::toNativeSeparators(path));
    return std::nullopt;
}

} // namespace sijill::shell
