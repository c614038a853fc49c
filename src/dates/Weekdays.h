#pragma once

#include "dates/DaySerial.h"

#include <array>
#include <string_view>

namespace sijill::dates {

// Arabic weekday names (UTF-8), Sunday first: index 0 Sunday .. 6 Saturday,
// the calendar grid's column order.
extern const std::array<std::string_view, 7> kWeekdayNames;

// Name of weekday 0 (Sunday) .. 6 (Saturday); empty outside that range.
std::string_view weekdayName(int weekday);

// Name of the weekday of a day serial.
std::string_view weekdayNameOfSerial(DaySerial serial);

// The main window's weekday number: Saturday 1 .. Friday 7.
int saturdayFirstDayNumber(DaySerial serial);

// Friday or Saturday.
bool isWeekend(DaySerial serial);

} // namespace sijill::dates
