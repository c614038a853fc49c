#pragma once

#include <QString>
#include <string_view>

namespace sijill::platform {

// Texts of the Qt-free modules (the date engine's names) as QStrings.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace sijill::platform
