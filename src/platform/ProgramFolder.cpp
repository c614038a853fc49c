#include "platform/ProgramFolder.h"

#include "platform/BidiText.h"
#include "platform/SafeFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace sijill::platform {

namespace {

QString homeFromEnvironment() {
    const QString home = qEnvironmentVariable("SIJILL_HOME");
    return home.isEmpty() ? QString() : QDir(home).absolutePath();
}

// Copies `from` to `to` unless `to` is there already (or `from` is not).
bool seed(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink() || !QFileInfo(from).isFile())
        return true;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    return source.error() == QFileDevice::NoError && !writeFileSafely(to, bytes);
}

} // namespace

QString programFolder() {
    const QString home = homeFromEnvironment();
    if (!home.isEmpty())
        return home;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString dataFolder() {
    const QString home = homeFromEnvironment();
    if (!home.isEmpty())
        return home;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

std::optional<QString> enterDataFolder(const QString& seedFolder) {
    const QString folder = dataFolder();
    const auto problem = [](const QString& path) {
        return QStringLiteral("تعذر إنشاء مجلد بيانات البرنامج:\r%1").arg(shownPath(path));
    };
    if (folder.isEmpty())
        return problem(QStringLiteral("?"));
    if (homeFromEnvironment().isEmpty()) {
        const QDir data(folder);
        if (!QDir().mkpath(data.filePath(QStringLiteral("Database"))))
            return problem(data.filePath(QStringLiteral("Database")));
        const QDir shipped(QDir(seedFolder).filePath(QStringLiteral("Database")));
        for (const QString& db : shipped.entryList({QStringLiteral("*.db")}, QDir::Files)) {
            const QString to = data.filePath(QStringLiteral("Database/") + db);
            if (!seed(shipped.filePath(db), to))
                return QStringLiteral("تعذر نسخ قاعدة البيانات إلى:\r%1").arg(shownPath(to));
        }
        const QString ini = QStringLiteral("SchoolInfo.ini");
        if (!seed(QDir::current().filePath(ini), data.filePath(ini)))
            return QStringLiteral("تعذر نسخ الملف %1 إلى:\r%2")
                .arg(shownPath(ini), shownPath(folder));
    }
    if (!QDir::setCurrent(folder))
        return problem(folder);
    return std::nullopt;
}

} // namespace sijill::platform
