#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace sijill::platform {

namespace {

// Characters, not bytes: an Arabic letter takes two of a name's 255 bytes,
// and the number and extension added later need room.
constexpr int kLongestName = 100;

QString numbered(const QDir& dir, const QString& base, const QString& ext, int n) {
    const QString stem = n < 2 ? base : QStringLiteral("%1-%2").arg(base, QString::number(n));
    return dir.filePath(stem + QLatin1Char('.') + ext);
}

bool taken(const QString& path) {
    // A dangling link is taken too: writing through it would make its target.
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

} // namespace

QString safeFileName(const QString& name, QChar replacement) {
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString safe = QString(name).replace(unsafe, QString(replacement)).trimmed();
    if (safe.size() > kLongestName)
        safe = safe.left(kLongestName).trimmed();
    if (safe.isEmpty() || safe.startsWith(QLatin1Char('.')))
        safe.prepend(QStringLiteral("Sijill"));
    return safe;
}

QString writeNewFile(const QString& folder, const QString& base, const QString& ext,
                     const std::function<void(const QString& path)>& write) {
    const QDir dir(folder);
    QString path;
    bool claimed = false;
    for (int n = 1; !claimed; ++n) {
        path = numbered(dir, base, ext, n);
        QFile file(path);
        claimed = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        // A name that cannot be made for another reason (no right to write,
        // a full disk) is left to `write`, which says why.
        if (!claimed && !taken(path))
            break;
    }
    try {
        write(path);
    } catch (...) {
        if (claimed && QFileInfo(path).size() == 0)
            QFile::remove(path);
        throw;
    }
    return path;
}

} // namespace sijill::platform
