#include "students/StudentsWiring.h"

#include "platform/ChildWindow.h"
#include "shell/ChooserModes.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfileWindow.h"
#include "students/ClassMaintenanceWindow.h"
#include "students/StudentsImportWindow.h"
#include "students/Texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sijill::students {

namespace {
// The import windows belong to the main window whose menu started them.
void showImportWindow(QWidget* w) {
    platform::ChildWindow::of(w)->showAbove(shell::mainForm());
}
} // namespace

void installStudentWindows(shell::MainForm& main) {
    ImportWindow::setDefaultPathSource([] {
        shell::SchoolProfileWindow* info = shell::schoolProfileWindow();
        return info ? info->chosenPathBox->text() : QString();
    });
    StudentsImportWindow::setChooserOpener([](const QString& pattern) {
        shell::ProgramFileChooser* chooser = shell::fileChooser();
        platform::makeTransientFor(chooser, shell::mainForm());
        chooser->setPattern(pattern);
        chooser->showChooser();
    });
    StudentsImportWindow::setEmptyPathAction([] { shell::fileChooser()->titlePicture->hide(); });
    shell::registerChooserMode(texts::kChooserModeStudents,
                               [](const QString&) { showImportWindow(studentsImportWindow()); });
    shell::registerChooserMode(texts::kChooserModeSkills,
                               [](const QString&) { showImportWindow(skillsImportWindow()); });
    main.setMenuAction(shell::MainMenuItem::ImportStudents,
                       [] { studentsImportWindow()->onChooseWorkbookClicked(); });
    main.setMenuAction(shell::MainMenuItem::EditStudents, [] { openClassMaintenance(); });
    main.setMenuAction(shell::MainMenuItem::ImportSkills, [] { openSkillsImport(); });
}

void openSkillsImport() {
    shell::ProgramFileChooser* chooser = shell::fileChooser();
    platform::makeTransientFor(chooser, shell::mainForm());
    chooser->titlePicture->hide();
    chooser->actionButton->setText(texts::kChooserModeSkills);
    chooser->setPattern(QStringLiteral("*.xls"));
    chooser->showChooser();
}

} // namespace sijill::students
