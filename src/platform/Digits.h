#pragma once

#include <QString>

namespace sijill::platform {

// Arabic-Indic (U+0660-U+0669) and Eastern Arabic-Indic (U+06F0-U+06F9) digits
// become 0-9; every other character is kept. Used on class names, class codes
// and civil-registry numbers wherever they are typed or imported, so that "١"
// and "1" are one class. Never applied to student names.
QString latinDigits(const QString& text);

} // namespace sijill::platform
