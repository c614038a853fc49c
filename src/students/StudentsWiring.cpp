#include "students/StudentsWiring.h"

#include "shell/ChooserModes.h"
#include "shell/InfoMain.h"
#include "shell/MainForm.h"
#include "shell/OpenFile.h"
#include "students/Elem.h"
#include "students/StudentsReorder.h"
#include "students/Texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sijill::students {

namespace {
void showImportWindow(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}
} // namespace

void installStudentWindows(shell::MainForm& main) {
    ImportWindow::setDefaultPathSource([] {
        shell::InfoMain* info = shell::infoMain();
        return info ? info->LoadFile->text() : QString();
    });
    Elem::setChooserOpener([](const QString& pattern) {
        shell::OpenFile* chooser = shell::openFile();
        chooser->setPattern(pattern);
        chooser->showChooser();
    });
    Elem::setEmptyPathAction([] { shell::openFile()->SaveImage->hide(); });
    shell::registerChooserMode(texts::kChooserModeStudents,
                               [](const QString&) { showImportWindow(elemForm()); });
    shell::registerChooserMode(texts::kChooserModeSkills,
                               [](const QString&) { showImportWindow(elemSkilsForm()); });
    main.setMainSelectAction(1, [] { elemForm()->RunExcel->click(); });
    main.setMainSelectAction(8, [] { openStudentsReorder(); });
    main.setMainSelectAction(shell::MainForm::kSkillsImportItem, [] { openSkillsImport(); });
}

void openSkillsImport() {
    shell::OpenFile* chooser = shell::openFile();
    chooser->SaveImage->hide();
    chooser->ClearData->setText(texts::kChooserModeSkills);
    chooser->setPattern(QStringLiteral("*.xls"));
    chooser->showChooser();
}

} // namespace sijill::students
