#include "attendance/AttendanceWiring.h"
#include "committees/ControlCom.h"
#include "exams/ExamsWiring.h"
#include "platform/QtArabic.h"
#include "platform/report/PreviewWindow.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "shell/MainForm.h"
#include "students/StudentsWiring.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sijill"));
    QApplication::setApplicationVersion(QStringLiteral(SIJILL_VERSION));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    sijill::platform::setUpArabicDesktop();

    sijill::report::installPreviewWindow();
    sijill::shell::MainForm main;
    sijill::reports::installNameListMenu(main);
    sijill::attendance::installAttendance(main);
    sijill::reports::installMarkSheetMenus(main);
    sijill::exams::installExamControl(main);
    sijill::committees::installCommittees(main);
    if (!main.formLoad())
        return 0;
    sijill::students::installStudentWindows(main);
    main.show();
    return app.exec();
}
