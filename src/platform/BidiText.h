#pragma once

#include <QString>

namespace sijill::platform {

// Wraps a left-to-right run (a file name, a path, a Latin word) in Unicode
// first-strong isolates (U+2068 ... U+2069), so that an Arabic message shows it
// whole and in its own order instead of scrambling it with the text around it.
inline QString isolate(const QString& text) {
    return QChar(0x2068) + text + QChar(0x2069);
}

} // namespace sijill::platform
