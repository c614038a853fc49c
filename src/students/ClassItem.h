#pragma once

#include <QString>

namespace sijill::students {

// One class of the class-list maintenance window: kind (stage), grade and
// class joined by ":". Items made from the main window's class list have an
// empty kind.
struct ClassItem {
    QString kind;
    QString grade;
    QString cls;

    QString text() const { return kind + QLatin1Char(':') + grade + QLatin1Char(':') + cls; }
    // Splits at the first two ":" and trims each field.
    static ClassItem parse(const QString& text);
    // From a class key of the main window's list ("أول-1").
    static ClassItem fromClassKey(const QString& key);
};

} // namespace sijill::students
