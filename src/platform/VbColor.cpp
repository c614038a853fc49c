#include "platform/VbColor.h"

#include <QGuiApplication>

namespace sijill::platform {

QPalette::ColorRole systemColorRole(std::uint32_t value) {
    if ((value & 0x80000000u) == 0)
        return QPalette::NoRole;
    switch (value & 0xFFu) {
    case 0x05: // window background
        return QPalette::Base;
    case 0x08: // window text
        return QPalette::Text;
    case 0x0D: // highlight
        return QPalette::Highlight;
    case 0x0E: // highlighted text
        return QPalette::HighlightedText;
    case 0x12: // button text
        return QPalette::ButtonText;
    case 0x0F: // button face
    default:
        return QPalette::Button;
    }
}

QColor vbColor(std::uint32_t value) {
    const QPalette::ColorRole role = systemColorRole(value);
    if (role != QPalette::NoRole) {
        // Fixed classic values where there is no application palette yet.
        if (!QGuiApplication::instance()) {
            switch (role) {
            case QPalette::Highlight:
                return QColor(0x00, 0x78, 0xD7);
            case QPalette::Base:
                return Qt::white;
            case QPalette::Text:
            case QPalette::ButtonText:
                return Qt::black;
            case QPalette::HighlightedText:
                return Qt::white;
            default:
                return QColor(0xF0, 0xF0, 0xF0);
            }
        }
        return QGuiApplication::palette().color(role);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace sijill::platform
