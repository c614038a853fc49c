#pragma once

namespace sijill::shell {
class MainForm;
}

namespace sijill::attendance {

// Joins the attendance follow-up to the main window: item 15 "الغياب" of the
// name-list menu runs the main window's command OpenAbsenceMonth, which this
// defines, and the row "غياب وتأخر الطلاب" of the "إداري" drop-down opens the
// window. Run once after the main window exists.
void installAttendance(shell::MainForm& main);

// Item 15: the main window disabled, the attendance window loaded hidden and
// set for the monthly sheet, and the calendar opened for it with the note
// "حدد الشهر وأي يوم ثم اضغط تم". The calendar's OK shows the window with the
// picked date; its close gives the main window back.
void openAbsenceMonth(shell::MainForm& main);

// The main menu's row "غياب وتأخر الطلاب": the main window disabled and the
// attendance window shown as stored.
void openAttendanceWindow(shell::MainForm& main);

} // namespace sijill::attendance
