#pragma once

namespace sijill::shell {
class MainForm;
}

namespace sijill::exams {

// Joins the exam-control window to the main window's menu: item 5
// "قوائم الكنترول" opens it, item 11 opens it with its labels panel shown.
// Run once after the main window exists.
void installExamControl(shell::MainForm& main);

// Item 5: the main window disabled and the exam-control window shown,
// loaded first when it is not.
void openExamControl(shell::MainForm& main);
// Item 11: the same, with the labels panel Picture3 on view.
void openExamControlLabels(shell::MainForm& main);

} // namespace sijill::exams
