#pragma once

class QLabel;
class QWidget;

namespace sijill::dates {

// The start-up's use of the calendar: with the main window disabled the
// calendar is loaded (its opening computes today), the main window's
// off-view labels receive today's Hijri date (`today`), today's weekday name
// (`weekday`) and weekday number Saturday 1 .. Friday 7 (`dayNumber`); the
// calendar stays loaded and hidden and the main window is enabled again.
// A null label is skipped.
void runStartupCalendar(QWidget* mainWindow, QLabel* today, QLabel* weekday, QLabel* dayNumber);

} // namespace sijill::dates
