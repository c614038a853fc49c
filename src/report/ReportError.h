#pragma once

#include <QString>
#include <stdexcept>

namespace sijill::report {

// Any fault of a layout, its file, its names or its data source. The message
// names the layout (or its file) and the part at fault; callers report it.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// A job that did not print: the spooler refused or stopped it, or did not
// answer. Its pages were kept as a PDF file; the message says why and where.
class PrintJobError : public ReportError {
public:
    using ReportError::ReportError;
};

} // namespace sijill::report
