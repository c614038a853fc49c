#pragma once

#include <QString>

namespace sijill::data {

// Table and column names cannot be bound as parameters; they come from the
// program's own code, never from the user, and are quoted all the same.
inline QString quoteName(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

} // namespace sijill::data
