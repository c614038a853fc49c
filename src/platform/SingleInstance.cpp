#include "platform/SingleInstance.h"

#include "platform/BidiText.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace sijill::platform {

SingleInstance::SingleInstance(const QString& dataFolder) {
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    const QString folder = canonical.isEmpty() ? QDir(dataFolder).absolutePath() : canonical;
    const QString path = QDir(folder).filePath(QStringLiteral(".sijill.lock"));
    lock_ = std::make_unique<QLockFile>(path);
    lock_->setStaleLockTime(0);
    owned_ = lock_->tryLock(0);
    if (owned_)
        return;
    held_ = lock_->error() == QLockFile::LockFailedError;
    if (!held_)
        problem_ = QStringLiteral("تعذر إنشاء ملف القفل في مجلد البيانات، فلا يمكن التأكد من أن "
                                  "البرنامج لا يعمل مرتين على البيانات نفسها:\r%1")
                       .arg(shownPath(path));
}

SingleInstance::~SingleInstance() = default;

} // namespace sijill::platform
