#include "shell/ClassList.h"

#include "data/DataError.h"
#include "shell/SchoolStore.h"

#include <QHash>

namespace sijill::shell {

QString ClassKey::join(const QString& grade, const QString& cls) {
    return grade + QLatin1Char('-') + cls;
}

std::optional<ClassKey> ClassKey::parts(const QString& key) {
    const qsizetype dash = key.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return std::nullopt;
    return ClassKey{key.left(dash), key.mid(dash + 1)};
}

ClassKey ClassKey::split(const QString& key) {
    const ClassKey k = parts(key).value_or(ClassKey{key, QString()});
    return {k.grade.trimmed(), k.cls.trimmed()};
}

QStringList loadClassKeys() {
    QStringList keys;
    for (const ClassRecord& c : loadClasses())
        keys << ClassKey::join(c.grade, c.cls);
    return keys;
}

QString collectClassCounts(const QStringList& keys, QString* error) {
    QString counts;
    if (keys.isEmpty())
        return counts;
    // One pass over the students for every class: counted per trimmed grade
    // and class, then looked up whole (never as a part of a longer text).
    QHash<std::pair<QString, QString>, int> perClass;
    try {
        for (const ClassHeadcount& c : countStudentsPerClass())
            perClass.insert({c.grade, c.cls}, c.students);
    } catch (const data::DataError& e) {
        if (error)
            *error = e.userMessage();
        return counts;
    }
    for (const QString& key : keys) {
        const ClassKey k = ClassKey::split(key);
        counts += QLatin1Char('|') + QString::number(perClass.value({k.grade, k.cls}));
    }
    return counts;
}

} // namespace sijill::shell
