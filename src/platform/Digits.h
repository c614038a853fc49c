#pragma once

#include <QString>
#include <optional>

namespace sijill::platform {

// Arabic-Indic (U+0660-U+0669) and Eastern Arabic-Indic (U+06F0-U+06F9) digits
// become 0-9; every other character is kept. Used on class names, class codes
// and civil-registry numbers wherever they are typed or imported, so that "١"
// and "1" are one class. Never applied to student names.
QString latinDigits(const QString& text);

// The text is digits only, either kind, blanks around them aside; false for
// the empty text.
bool allDigits(const QString& text);

// A count typed into a box: blanks around it aside, digits only (Arabic-Indic
// digits read as 0-9), no sign, fraction or exponent; nothing for anything
// else, the empty text and numbers too large to count with included.
std::optional<int> wholeNumber(const QString& text);

} // namespace sijill::platform
