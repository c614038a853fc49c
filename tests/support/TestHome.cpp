#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace sijill::test {

namespace {
void copyTree(const QString& from, const QString& to) {
    QDir src(from);
    if (!src.exists())
        return;
    QDir().mkpath(to);
    for (const QFileInfo& fi : src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (fi.isDir())
            copyTree(fi.filePath(), QDir(to).filePath(fi.fileName()));
        else
            QFile::copy(fi.filePath(), QDir(to).filePath(fi.fileName()));
    }
}
} // namespace

QString TestHome::sourceDir() {
    return QStringLiteral(SIJILL_SOURCE_DIR);
}

TestHome::TestHome() {
    hadHome_ = qEnvironmentVariableIsSet("SIJILL_HOME");
    oldHome_ = qgetenv("SIJILL_HOME");
    oldCwd_ = QDir::currentPath();
    const QString db = QDir(dir_.path()).filePath(QStringLiteral("Database"));
    QDir().mkpath(db);
    for (const QFileInfo& fi : QDir(QStringLiteral(SIJILL_PRISTINE_DB_DIR))
                                   .entryInfoList({QStringLiteral("*.db")}, QDir::Files)) {
        const QString target = QDir(db).filePath(fi.fileName());
        QFile::copy(fi.filePath(), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    copyTree(sourceDir() + QStringLiteral("/layouts"),
             QDir(dir_.path()).filePath(QStringLiteral("layouts")));
    copyTree(sourceDir() + QStringLiteral("/templates"),
             QDir(dir_.path()).filePath(QStringLiteral("templates")));
    qputenv("SIJILL_HOME", dir_.path().toUtf8());
    QDir::setCurrent(dir_.path());
}

TestHome::~TestHome() {
    QDir::setCurrent(oldCwd_);
    if (hadHome_)
        qputenv("SIJILL_HOME", oldHome_);
    else
        qunsetenv("SIJILL_HOME");
}

QString TestHome::database(const QString& fileName) const {
    return QDir(dir_.path()).filePath(QStringLiteral("Database/") + fileName);
}

void TestHome::exec(const QString& fileName, const QString& sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(database(fileName).toUtf8().constData(), &db, SQLITE_OPEN_READWRITE,
                              nullptr),
              SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString message = QString::fromUtf8(err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
}

} // namespace sijill::test
