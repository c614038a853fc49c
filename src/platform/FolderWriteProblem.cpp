#include "platform/FolderWriteProblem.h"

#include "platform/BidiText.h"

#include <QFile>
#include <cerrno>
#include <sys/statvfs.h>
#include <unistd.h>

namespace sijill::platform {

namespace {

enum class Cause { Unknown, DiskFull, NoPermission };

bool isPermissionError(int error) {
    return error == EACCES || error == EROFS || error == EPERM;
}

Cause causeOf(const QString& folder, int error) {
    if (error == ENOSPC || error == EDQUOT)
        return Cause::DiskFull;
    if (isPermissionError(error))
        return Cause::NoPermission;
    const QByteArray path = QFile::encodeName(folder);
    struct statvfs disk {};
    if (::statvfs(path.constData(), &disk) == 0 && disk.f_bavail == 0)
        return Cause::DiskFull;
    if (::access(path.constData(), W_OK) != 0 && isPermissionError(errno))
        return Cause::NoPermission;
    return Cause::Unknown;
}

} // namespace

QString folderWriteProblem(const QString& folder, int error) {
    switch (causeOf(folder, error)) {
    case Cause::DiskFull:
        return QStringLiteral("لا توجد مساحة فارغة على القرص الذي يحفظ عليه البرنامج بيانات "
                              "المدرسة:\r%1\rأفرغ مساحة على هذا القرص (احذف ما لا تحتاجه من "
                              "ملفات أو انقله) ثم شغّل البرنامج مرة أخرى.")
            .arg(shownPath(folder));
    case Cause::NoPermission:
        return QStringLiteral("لا يملك حسابك صلاحية الكتابة في مجلد بيانات البرنامج:\r%1\r"
                              "اطلب من مسؤول الجهاز أن يمنح حسابك صلاحية الكتابة في هذا "
                              "المجلد، ثم شغّل البرنامج مرة أخرى.")
            .arg(shownPath(folder));
    case Cause::Unknown:
        break;
    }
    return {};
}

} // namespace sijill::platform
