#include "attendance/AttendanceWiring.h"

#include "attendance/AttendanceWindow.h"
#include "dates/CalendarWindow.h"
#include "platform/AppState.h"
#include "platform/ChildWindow.h"
#include "shell/MainForm.h"

namespace sijill::attendance {

void installAttendance(shell::MainForm& main) {
    main.commands().define(shell::MainCommand::OpenAbsenceMonth, &main,
                           [&main] { openAbsenceMonth(main); });
    main.setMenuAction(shell::MainMenuItem::Attendance, [&main] { openAttendanceWindow(main); });
}

void openAbsenceMonth(shell::MainForm& main) {
    platform::holdMainWindow(&main);
    appState().AbsenceMonthMode = true;
    AttendanceWindow* window = loadAttendanceWindow();
    window->prepareForMonthSheet();
    if (dates::CalendarWindow* calendar = dates::loadCalendarWindow(&main))
        calendar->openFor(dates::CalendarRequest::absenceMonth(), window);
    // The window waits unseen for the month: the main window stays held for it.
    platform::holdMainWindow(&main);
}

void openAttendanceWindow(shell::MainForm& main) {
    platform::holdMainWindow(&main);
    AttendanceWindow* window = loadAttendanceWindow();
    platform::ChildWindow::of(window)->open(&main);
}

} // namespace sijill::attendance
