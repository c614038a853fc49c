#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>

namespace sijill::platform {

SingleInstance::SingleInstance(const QString& programFolder) {
    const QByteArray key = QCryptographicHash::hash(QDir(programFolder).canonicalPath().toUtf8() +
                                                        QDir(programFolder).absolutePath().toUtf8(),
                                                    QCryptographicHash::Sha1);
    const QString path =
        QDir::temp().filePath(QStringLiteral("sijill-") +
                              QString::fromLatin1(key.toHex().left(16)) + QStringLiteral(".lock"));
    lock_ = std::make_unique<QLockFile>(path);
    lock_->setStaleLockTime(0);
    owned_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

} // namespace sijill::platform
