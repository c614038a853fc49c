#pragma once

#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

namespace sijill::test {

// A process id above any Linux gives: no process runs with it.
constexpr qint64 kNoSuchProcess = 0x3FFFFFFF;

// The lock file of a data folder.
inline QString lockPath(const QString& dataFolder) {
    return QDir(QFileInfo(dataFolder).canonicalFilePath()).filePath(QStringLiteral(".sijill.lock"));
}

// Leaves a lock in a data folder as a copy of this program with process `pid`
// on the computer `host` writes it (process id, program, host name, and the
// machine's id where given).
inline bool putLock(const QString& dataFolder, qint64 pid, const QString& host,
                    const QByteArray& machine = {}) {
    const QByteArray program =
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    QByteArray text = QByteArray::number(pid) + '\n' + program + '\n' + host.toUtf8() + '\n';
    if (!machine.isEmpty())
        text += machine + '\n';
    return putFile(lockPath(dataFolder), text);
}

} // namespace sijill::test
