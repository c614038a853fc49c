#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace sijill::shell {

// One item of the main window's class list: the grade and the class joined by
// "-", e.g. "أول-1". A grade holds no "-" (the class add refuses one), so the
// key splits at its first "-" and the class keeps any "-" of its own
// ("أول-1-أ" is the class "1-أ"); both parts are trimmed.
struct ClassKey {
    QString grade;
    QString cls;

    static QString join(const QString& grade, const QString& cls);
    static ClassKey split(const QString& key);
    // The two parts as they stand, untrimmed; nothing for a text without "-".
    static std::optional<ClassKey> parts(const QString& key);
};

// The class list in the order the program shows it: by grade text, then
// order_it descending, then class. Throws data::DataError.
QStringList loadClassKeys();

// "|n" for each key, in order: the text kept in ClassCounts. A class's
// students are matched on grade and class exactly; rows without a stage are
// not counted. On a failure the counts made so far are returned and `error`
// receives the reason.
QString collectClassCounts(const QStringList& keys, QString* error = nullptr);

} // namespace sijill::shell
