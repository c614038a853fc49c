#include "shell/ClassList.h"

#include "data/Connection.h"
#include "data/DataError.h"

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
    data::Connection c(data::Database::Schedual);
    const data::RecordSet rs = c.query(
        QStringLiteral("SELECT grade, class FROM grades ORDER BY grade, order_it DESC, class, id"));
    QStringList keys;
    for (int i = 0; i < rs.recordCount(); ++i)
        keys << ClassKey::join(rs.text(i, QStringLiteral("grade")),
                               rs.text(i, QStringLiteral("class")));
    return keys;
}

QString collectClassCounts(const QStringList& keys, QString* error) {
    QString counts;
    if (keys.isEmpty())
        return counts;
    try {
        data::Connection c(data::Database::MyDatabase);
        for (const QString& key : keys) {
            const ClassKey k = ClassKey::split(key);
            const int n = c.scalar(QStringLiteral("SELECT count(*) FROM T1 WHERE d5 IS NOT NULL "
                                                  "AND trim(d6) = ? AND trim(d7) = ?"),
                                   {k.grade, k.cls})
                              .toInt();
            counts += QLatin1Char('|') + QString::number(n);
        }
    } catch (const data::DataError& e) {
        if (error)
            *error = e.userMessage();
    }
    return counts;
}

} // namespace sijill::shell
