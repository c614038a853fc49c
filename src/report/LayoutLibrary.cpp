#include "report/LayoutLibrary.h"

#include "platform/ProgramFolder.h"
#include "report/LayoutLoader.h"
#include "report/ReportError.h"

#include <QDir>

namespace sijill::report {

QString LayoutLibrary::folder() {
    return QDir(platform::programFolder()).filePath(QStringLiteral("layouts"));
}

QString LayoutLibrary::fileOf(const QString& name) {
    const QDir dir(folder());
    const QString wanted = name + QStringLiteral(".json");
    const QStringList files = dir.entryList({QStringLiteral("*.json")}, QDir::Files);
    for (const QString& f : files) {
        if (f.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(f);
    }
    return {};
}

ReportLayout& LayoutLibrary::layout(const QString& name) {
    // Keyed by folder as well, so a changed program folder reads its own files.
    const QString key = folder() + QLatin1Char('/') + name.toLower();
    if (auto it = layouts_.find(key); it != layouts_.end())
        return **it;
    const QString file = fileOf(name);
    if (file.isEmpty())
        throw ReportError(QStringLiteral("no layout file %1.json in %2").arg(name, folder()));
    auto loaded = std::make_shared<ReportLayout>(loadLayoutFile(file));
    layouts_.insert(key, loaded);
    return *loaded;
}

LayoutLibrary& layoutLibrary() {
    static LayoutLibrary library;
    return library;
}

} // namespace sijill::report
