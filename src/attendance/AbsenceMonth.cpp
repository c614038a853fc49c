#include "attendance/AbsenceMonth.h"

#include "dates/DaySerial.h"
#include "dates/HijriConversion.h"

#include <QRegularExpression>

namespace sijill::attendance {

std::optional<AbsenceMonth> absenceMonthOf(const QString& hijriDateText) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(hijriDateText.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int year = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    const int day = m.captured(3).toInt();
    if (!dates::IsValidHijriDate(day, month, year))
        return std::nullopt;
    const std::optional<dates::DaySerial> first = dates::HijriToSerial(1, month, year);
    if (!first)
        return std::nullopt;
    return AbsenceMonth{year, month, dates::weekdayOfSerial(*first),
                        dates::hijriMonthLength(year, month)};
}

} // namespace sijill::attendance
