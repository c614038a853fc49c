#include "app/StartUp.h"

#include "attendance/AttendanceWiring.h"
#include "committees/CommitteeWindow.h"
#include "exams/ExamsWiring.h"
#include "report/PreviewWindow.h"
#include "report/ReportOutput.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "reports/PrintRun.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"
#include "students/StudentsWiring.h"

namespace sijill::app {

bool startProgram(shell::MainForm& main) {
    report::installPreviewWindow();
    report::setShortenedTextsNotice([](const QString& notice) { shell::tell(notice); });
    report::setLateJobsNotice([](const QStringList& classes, const QStringList& reasons) {
        shell::tell(reports::lateJobsMessage(classes, reasons), shell::Tone::Alarm);
    });
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
