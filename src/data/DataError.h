#pragma once

#include <QString>
#include <stdexcept>

namespace sijill::data {

// Raised by the data layer. `userMessage` is Arabic and fit for the program's
// message box; `detail` carries the engine's own words for diagnosis.
class DataError : public std::runtime_error {
public:
    // Busy: another program holds the file locked (the user may close it and
    // try again). Damaged: the file is not a sound database, or is empty.
    // Full: the disk has no room for the change. ReadOnly: the file, or the
    // folder its journal goes to, may not be written. CannotOpen: the file
    // could not be opened at all. Newer: a newer program's file, refused
    // as a damaged one is and never written to.
    enum class Kind { Other, Missing, Busy, Damaged, Full, ReadOnly, CannotOpen, Newer };

    DataError(QString userMessage, QString detail, Kind kind = Kind::Other, QString file = {})
        : std::runtime_error(
              (userMessage + QStringLiteral(" (") + detail + QStringLiteral(")")).toStdString()),
          userMessage_(std::move(userMessage)), detail_(std::move(detail)), kind_(kind),
          file_(std::move(file)) {}

    const QString& userMessage() const { return userMessage_; }
    const QString& detail() const { return detail_; }
    Kind kind() const { return kind_; }
    // The file name (e.g. "Schedual.db") of the database that failed, when known.
    const QString& file() const { return file_; }

private:
    QString userMessage_;
    QString detail_;
    Kind kind_;
    QString file_;
};

} // namespace sijill::data
