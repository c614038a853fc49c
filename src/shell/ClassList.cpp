#include "shell/ClassList.h"

#include "data/Connection.h"
#include "data/DataError.h"

namespace sijill::shell {

QString ClassKey::join(const QString& grade, const QString& cls) {
    return grade + QLatin1Char('-') + cls;
}

ClassKey ClassKey::split(const QString& key) {
    const QStringList parts = key.split(QLatin1Char('-'));
    ClassKey k;
    k.grade = parts.value(0).trimmed();
    k.cls = parts.value(1).trimmed();
    return k;
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
