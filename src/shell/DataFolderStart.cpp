#include "shell/DataFolderStart.h"

#include "data/Database.h"
#include "data/SchemaVersion.h"
#include "platform/BidiText.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace sijill::shell {

namespace {

constexpr data::Database kDatabases[] = {data::Database::Students, data::Database::Schedule,
                                         data::Database::Employee, data::Database::Labels,
                                         data::Database::ElementarySkills};

QStringList missingDatabases() {
    QStringList missing;
    for (const data::Database db : kDatabases) {
        const QFileInfo file(data::databasePath(db));
        if (!file.exists() && !file.isSymLink())
            missing << data::databaseFileName(db);
    }
    return missing;
}

// The question asked before empty databases take the place of missing ones.
QString missingDatabasesQuestion(const QStringList& fileNames) {
    QStringList shown;
    for (const QString& name : fileNames)
        shown << platform::shownPath(name);
    return QStringLiteral("لم يجد البرنامج ملفات قاعدة البيانات التالية في المجلد %1:\r%2\r"
                          "إن كانت لديك نسخة احتياطية من بيانات المدرسة فأعدها إلى هذا المجلد "
                          "بدلاً من ذلك.\rهل تريد إنشاء ملفات فارغة مكانها؟")
        .arg(platform::shownPath(QDir(platform::dataFolder()).filePath(QStringLiteral("Database"))),
             shown.join(QLatin1Char('\r')));
}

} // namespace

QStringList settleDataFolder(const std::function<bool(const QString& question)>& confirm) {
    QStringList problems;
    const QString folder = platform::dataFolder();
    for (const QString& sub : {QString(), QStringLiteral("Database")})
        for (const QString& left : platform::removeLeftoverTempFiles(QDir(folder).filePath(sub)))
            problems << QStringLiteral("تعذر حذف ملف مؤقت تركه البرنامج في مجلد البيانات:\r%1")
                            .arg(platform::shownPath(left));

    const QStringList missing = missingDatabases();
    const bool newFolder = missing.size() == static_cast<qsizetype>(std::size(kDatabases)) &&
                           !platform::dataFolderFromEnvironment();
    if (!missing.isEmpty() && (newFolder || confirm(missingDatabasesQuestion(missing)))) {
        for (const QString& name : missing)
            if (const auto problem = platform::copyShippedDatabase(name))
                problems << *problem;
    }
    // A folder made by an older build is brought to this one's schema.
    for (const data::Database db : kDatabases)
        if (const auto problem = data::upgradeDatabase(db))
            problems << *problem;
    if (const auto problem = platform::copyStartedSchoolInfo())
        problems << *problem;
    return problems;
}

} // namespace sijill::shell
