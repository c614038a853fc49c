#include "app/StartUp.h"
#include "platform/ProgramFolder.h"
#include "platform/QtArabic.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sijill"));
    QApplication::setApplicationVersion(QStringLiteral(SIJILL_VERSION));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    sijill::platform::setUpArabicDesktop();

    // The school's data folder (made on first use, and filled once its lock
    // is taken) becomes the working folder, so "SchoolInfo.ini" lies beside
    // the databases.
    if (const auto problem =
            sijill::platform::enterDataFolder(QApplication::applicationDirPath())) {
        sijill::shell::tell(*problem, sijill::shell::Tone::Alarm);
        return 1;
    }

    sijill::shell::MainForm main;
    if (!sijill::app::startProgram(main))
        return 0;
    main.show();
    return app.exec();
}
