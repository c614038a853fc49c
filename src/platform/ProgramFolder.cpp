#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace sijill::platform {

QString programFolder() {
    const QString home = qEnvironmentVariable("SIJILL_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace sijill::platform
