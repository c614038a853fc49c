#include "data/Database.h"

#include "platform/ProgramFolder.h"

#include <QDir>

namespace sijill::data {

QString databaseFileName(Database db) {
    switch (db) {
    case Database::Students:
        return QStringLiteral("MyDatabase.db");
    case Database::Schedule:
        return QStringLiteral("Schedual.db");
    case Database::Employee:
        return QStringLiteral("Employee.db");
    case Database::Labels:
        return QStringLiteral("Labels.db");
    case Database::ElementarySkills:
        return QStringLiteral("Elemn_skils.db");
    }
    return {};
}

QString databasePath(Database db) {
    return QDir(platform::dataFolder())
        .filePath(QStringLiteral("Database/") + databaseFileName(db));
}

} // namespace sijill::data
