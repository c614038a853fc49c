#include "platform/Digits.h"

namespace sijill::platform {

QString latinDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 0x0660 && u <= 0x0669) {
            c = QChar(u'0' + (u - 0x0660));
        } else if (u >= 0x06F0 && u <= 0x06F9) {
            c = QChar(u'0' + (u - 0x06F0));
        }
    }
    return out;
}

bool allDigits(const QString& text) {
    const QString t = latinDigits(text.trimmed());
    if (t.isEmpty())
        return false;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<int> wholeNumber(const QString& text) {
    if (!allDigits(text))
        return std::nullopt;
    bool ok = false;
    const int value = latinDigits(text.trimmed()).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace sijill::platform
