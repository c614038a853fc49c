#include "exams/ExamsWiring.h"

#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutesPrints.h"
#include "exams/ExamPrintMenu.h"
#include "exams/HandOverPrints.h"
#include "exams/LabelsPanel.h"
#include "exams/SingleStudentChooser.h"
#include "platform/ChildWindow.h"
#include "shell/MainForm.h"

#include <QFrame>

namespace sijill::exams {

void installExamControl(shell::MainForm& main) {
    main.setMenuAction(shell::MainMenuItem::ExamControl, [&main] { openExamControl(main); });
    main.setMenuAction(shell::MainMenuItem::ExamControlLabels,
                       [&main] { openExamControlLabels(main); });
    installSingleStudent(main);
}

void openExamControl(shell::MainForm& main) {
    platform::holdMainWindow(&main);
    ExamControlWindow* window = loadExamControlWindow();
    installHandOver(*window);
    installExamPrintMenu(*window);
    installLabelsPanel(*window);
    installExamMinutes(*window);
    platform::ChildWindow::of(window)->open(&main);
}

void openExamControlLabels(shell::MainForm& main) {
    openExamControl(main);
    ExamControlWindow* window = examControlWindow();
    window->labelsPanelFrame->show();
    window->labelsPanelFrame->raise();
}

} // namespace sijill::exams
