#pragma once

namespace sijill::shell {
class MainForm;
}

namespace sijill::students {

// Joins the student windows to the shell: the import windows read the path
// the file chooser leaves in the profile window's chosenPathBox; the chooser's
// modes "استيراد ابتدائي" and "استيراد المهارات" open the students and the
// skills import windows; the main menu's students import runs the import
// window's workbook choice and its student editing opens the class-list
// maintenance. Run once after the main
// window exists.
void installStudentWindows(shell::MainForm& main);

// The main menu's item for the course-skills import: the chooser for "*.xls"
// in the skills mode; the main window stays enabled.
void openSkillsImport();

} // namespace sijill::students
