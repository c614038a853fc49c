#pragma once

#include "labels/CustomLabels.h"
#include "support/TestHome.h"

#include <QString>

namespace sijill::test {

// Stores a label straight into Labels.db (test set-up); NULL where a text is
// null.
inline void putLabel(const TestHome& home, const QString& cls, const QString& name,
                     const QString& number, const QString& committee) {
    auto quoted = [](const QString& t) {
        return t.isNull() ? QStringLiteral("NULL")
                          : QStringLiteral("'%1'").arg(
                                QString(t).replace(QLatin1Char('\''), QStringLiteral("''")));
    };
    home.exec("Labels.db", QStringLiteral("INSERT INTO T1 (d0, d1, d2, d3) VALUES (%1, %2, %3, %4)")
                               .arg(quoted(cls), quoted(name), quoted(number), quoted(committee)));
}

inline labels::LabelTexts labelTexts(const QString& cls, const QString& name, const QString& number,
                                     const QString& committee) {
    return {cls, name, number, committee};
}

} // namespace sijill::test
