#pragma once

#include "dates/DaySerial.h"
#include "dates/HijriDate.h"

#include <string>
#include <string_view>

namespace sijill::dates {

// Decimal digits of a non-negative value, zero-padded to `width` (at most 12).
std::string zeroPadded(int value, int width);

// "dd/mm/yyyy", the engine's day-first Hijri text (7 July 2024: "01/01/1446").
std::string dayFirstHijriText(const HijriDate& date);

// "yyyy/mm/dd", the Hijri date text the windows show ("1446/01/01").
std::string hijriDateText(const HijriDate& date);

// "yyyy/mm/dd" of a Gregorian date ("2024/07/07").
std::string gregorianDateText(const GregorianDate& date);

// The number in the leading digits of `text` after any blanks; 0 when there
// are none. Values past 99999 stop growing, so no text overflows.
int leadingNumber(std::string_view text);

} // namespace sijill::dates
