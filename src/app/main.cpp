#include "app/StartUp.h"
#include "shell/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sijill"));
    QApplication::setApplicationVersion(QStringLiteral(SIJILL_VERSION));
    QApplication::setLayoutDirection(Qt::RightToLeft);

    sijill::shell::MainForm main;
    if (!sijill::app::startProgram(main))
        return 0;
    main.show();
    return app.exec();
}
