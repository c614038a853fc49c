#include "shell/DeleteAll.h"

#include "data/DataError.h"
#include "platform/BidiText.h"
#include "platform/SafeFileWriter.h"
#include "shell/SchoolInfoFile.h"
#include "shell/SchoolStore.h"

#include <QDir>
#include <QFile>

namespace sijill::shell {

namespace {
const QString kNothingDeleted = QStringLiteral("لم يُحذف شيء.\r");
}

QString perUserDatabaseCopy() {
    const QString base = qEnvironmentVariable("LOCALAPPDATA");
    if (base.isEmpty())
        return {};
    return QDir(QDir::fromNativeSeparators(base))
        .filePath(QStringLiteral("VirtualStore/Program Files/Tallivan/Database/Mydatabase.mdb"));
}

std::optional<QString> deleteAllStudents(const QString& schoolName) {
    // The file's new text is made and written beside it first, so that a text
    // the file cannot hold or a full disk stops the action before any student
    // is deleted.
    const QString path = schoolInfoPath();
    const SchoolInfoText text = encodeSchoolInfo({schoolInfoHeader(schoolName)});
    if (!text.problem.isEmpty())
        return kNothingDeleted + text.problem;
    platform::SafeFileWriter file(path);
    if (!file.prepare(text.bytes))
        return kNothingDeleted + platform::fileNotWrittenMessage(path, file.reason());

    const QString copy = perUserDatabaseCopy();
    if (!copy.isEmpty() && QFile::exists(copy) && !QFile::remove(copy))
        return QStringLiteral("تعذر حذف النسخة الخاصة بالمستخدم من قاعدة البيانات:\r%1")
            .arg(platform::shownPath(copy));

    try {
        deleteAllStudentRows();
    } catch (const data::DataError& e) {
        return kNothingDeleted + QStringLiteral("تعذر حذف بيانات الطلاب:\r%1").arg(e.userMessage());
    }

    if (!file.commit())
        return QStringLiteral("تم حذف بيانات الطلاب، ولم يُحدَّث ملف قائمة الفصول.\r") +
               platform::fileNotWrittenMessage(path, file.reason());
    return std::nullopt;
}

} // namespace sijill::shell
