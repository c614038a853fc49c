#include "attendance/AttendanceWiring.h"
#include "committees/ControlCom.h"
#include "exams/ExamsWiring.h"
#include "platform/ProgramFolder.h"
#include "platform/report/PreviewWindow.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "reports/NamesExport.h"
#include "shell/MGForm.h"
#include "shell/MainForm.h"
#include "students/StudentsWiring.h"

#include <QApplication>
#include <QDateTime>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sijill"));
    QApplication::setApplicationVersion(QStringLiteral(SIJILL_VERSION));
    QApplication::setLayoutDirection(Qt::RightToLeft);

    // The school's data folder (made and seeded on first use) becomes the
    // working folder, so "SchoolInfo.ini" lies beside the databases.
    if (const auto problem =
            sijill::platform::enterDataFolder(QApplication::applicationDirPath())) {
        sijill::shell::ShowMsg(QStringLiteral("تنبيه"), *problem, 1, 1);
        return 1;
    }
    sijill::reports::removeOldWordDocuments(QDateTime::currentDateTime());

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
