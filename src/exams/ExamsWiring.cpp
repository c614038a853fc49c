#include "exams/ExamsWiring.h"

#include "exams/ControlAll.h"
#include "shell/MainForm.h"

#include <QFrame>

namespace sijill::exams {

void installExamControl(shell::MainForm& main) {
    main.setMainSelectAction(5, [&main] { openExamControl(main); });
    main.setMainSelectAction(11, [&main] { openExamControlLabels(main); });
}

void openExamControl(shell::MainForm& main) {
    main.setEnabled(false);
    ControlAll* window = loadControlAll();
    window->show();
    window->raise();
    window->activateWindow();
}

void openExamControlLabels(shell::MainForm& main) {
    openExamControl(main);
    ControlAll* window = controlAll();
    window->Picture3->show();
    window->Picture3->raise();
}

} // namespace sijill::exams
