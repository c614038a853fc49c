#include "attendance/AttendanceWiring.h"

#include "attendance/StudentsSelect.h"
#include "dates/MyCalendar.h"
#include "platform/AppState.h"
#include "platform/ChildWindow.h"
#include "shell/MainForm.h"

#include <QAction>

namespace sijill::attendance {

void installAttendance(shell::MainForm& main) {
    const QString name = QString::fromLatin1(kAbsenceItemAction);
    if (main.findChild<QAction*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* action = new QAction(&main);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, &main, [&main] { openAbsenceMonth(main); });
    main.setMainSelectAction(shell::MainForm::kAttendanceItem,
                             [&main] { openAttendanceWindow(main); });
}

void openAbsenceMonth(shell::MainForm& main) {
    platform::holdMainWindow(&main);
    appState().AbsenceMonthMode = true;
    StudentsSelect* window = loadStudentsSelect();
    window->prepareForMonthSheet();
    if (dates::MyCalendar* calendar = dates::loadMyCalendar(&main))
        calendar->openFor(dates::CalendarRequest::absenceMonth(), window);
    // The window waits unseen for the month: the main window stays held for it.
    platform::holdMainWindow(&main);
}

void openAttendanceWindow(shell::MainForm& main) {
    platform::holdMainWindow(&main);
    StudentsSelect* window = loadStudentsSelect();
    platform::ChildWindow::of(window)->open(&main);
}

} // namespace sijill::attendance
