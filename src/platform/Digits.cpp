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

} // namespace sijill::platform
