#pragma once

#include <QString>
#include <stdexcept>

namespace sijill::data {

// Raised by the data layer. `userMessage` is Arabic and fit for the program's
// message box; `detail` carries the engine's own words for diagnosis.
class DataError : public std::runtime_error {
public:
    DataError(QString userMessage, QString detail)
        : std::runtime_error(
              (userMessage + QStringLiteral(" (") + detail + QStringLiteral(")")).toStdString()),
          userMessage_(std::move(userMessage)), detail_(std::move(detail)) {}

    const QString& userMessage() const { return userMessage_; }
    const QString& detail() const { return detail_; }

private:
    QString userMessage_;
    QString detail_;
};

} // namespace sijill::data
