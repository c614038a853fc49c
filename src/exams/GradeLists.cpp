#include "exams/GradeLists.h"

#include "exams/Texts.h"

namespace sijill::exams {

QStringList examGradeNames(const QStringList& classKeys) {
    QStringList names;
    QString previous;
    for (const QString& key : classKeys) {
        QString grade = key.section(QLatin1Char('-'), 0, 0);
        if (grade.contains(texts::kWordFirst) || grade.contains(texts::kWordSecond))
            continue;
        grade.remove(texts::kWordStage);
        grade.remove(QLatin1Char('-'));
        grade.remove(QStringLiteral("  "));
        if (grade != previous)
            names << grade;
        previous = grade;
    }
    return names;
}

QStringList labelClassKeys(const QStringList& classKeys) {
    QStringList keys;
    for (const QString& key : classKeys) {
        if (key.contains(texts::kWordChoose) || key.contains(texts::kWordFirst) ||
            key.contains(texts::kWordSecond))
            continue;
        keys << key;
    }
    return keys;
}

} // namespace sijill::exams
