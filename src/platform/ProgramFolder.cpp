#include "platform/ProgramFolder.h"

#include "platform/BidiText.h"
#include "platform/FolderWriteProblem.h"
#include "platform/SafeFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

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

// Where enterDataFolder() found what seeds the data folder.
struct Origins {
    QString shipped; // the folder whose "Database" holds the empty databases
    QString startedIn;
};

Origins& origins() {
    static Origins o;
    return o;
}

// The nearest folder of `path` or above it that is there: the one a failed
// mkpath could not write in.
QString nearestExisting(const QString& path) {
    QFileInfo at(path);
    while (!at.exists() && !at.isRoot() && at.absolutePath() != at.absoluteFilePath())
        at = QFileInfo(at.absolutePath());
    return at.absoluteFilePath();
}

QString folderNotMade(const QString& path) {
    return QStringLiteral("تعذر إنشاء مجلد بيانات البرنامج:\r%1").arg(shownPath(path));
}

// A folder that could not be made or entered: a full disk and a folder the
// user may not write in are told as such.
QString folderNotMade(const QString& path, int error) {
    const QString plain = folderWriteProblem(nearestExisting(path), error);
    return plain.isEmpty() ? folderNotMade(path) : plain;
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

bool dataFolderFromEnvironment() {
    return !homeFromEnvironment().isEmpty();
}

std::optional<QString> enterDataFolder(const QString& seedFolder) {
    const QString folder = dataFolder();
    if (folder.isEmpty())
        return folderNotMade(QStringLiteral("?"));
    origins() = {QDir(seedFolder).absolutePath(), QDir::currentPath()};
    if (!dataFolderFromEnvironment()) {
        const QString databases = QDir(folder).filePath(QStringLiteral("Database"));
        errno = 0;
        if (!QDir().mkpath(databases))
            return folderNotMade(databases, errno);
    }
    errno = 0;
    if (!QDir::setCurrent(folder))
        return errno == ENOENT ? folderNotMade(folder) : folderNotMade(folder, errno);
    return std::nullopt;
}

std::optional<QString> copyShippedDatabase(const QString& fileName) {
    const QString shipped =
        origins().shipped.isEmpty() ? QCoreApplication::applicationDirPath() : origins().shipped;
    const QString from = QDir(shipped).filePath(QStringLiteral("Database/") + fileName);
    const QString to = QDir(dataFolder()).filePath(QStringLiteral("Database/") + fileName);
    if (!QFileInfo(from).isFile())
        return QStringLiteral("لا توجد مع البرنامج نسخة فارغة من قاعدة البيانات:\r%1")
            .arg(shownPath(from));
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (!seed(from, to))
        return QStringLiteral("تعذر نسخ قاعدة البيانات إلى:\r%1").arg(shownPath(to));
    return std::nullopt;
}

std::optional<QString> copyStartedSchoolInfo() {
    if (dataFolderFromEnvironment() || origins().startedIn.isEmpty())
        return std::nullopt;
    const QString ini = QStringLiteral("SchoolInfo.ini");
    if (!seed(QDir(origins().startedIn).filePath(ini), QDir(dataFolder()).filePath(ini)))
        return QStringLiteral("تعذر نسخ الملف %1 إلى:\r%2")
            .arg(shownPath(ini), shownPath(dataFolder()));
    return std::nullopt;
}

} // namespace sijill::platform
