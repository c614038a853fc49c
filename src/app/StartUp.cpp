#include "app/StartUp.h"

#include "attendance/AttendanceWiring.h"
#include "committees/ControlCom.h"
#include "exams/ExamsWiring.h"
#include "report/PreviewWindow.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "shell/MainForm.h"
#include "students/StudentsWiring.h"

namespace sijill::app {

bool startProgram(shell::MainForm& main) {
    report::installPreviewWindow();
    reports::installNameListMenu(main);
    attendance::installAttendance(main);
    reports::installMarkSheetMenus(main);
    exams::installExamControl(main);
    committees::installCommittees(main);
    if (!main.formLoad())
        return false;
    students::installStudentWindows(main);
    return true;
}

} // namespace sijill::app
