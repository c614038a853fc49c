#pragma once

#include "students/ImportWindow.h"

class QLineEdit;

namespace sijill::students {

// The students import window: the user starts the import of the Noor
// students workbook whose path the file chooser left.
class StudentsImportWindow : public ImportWindow {
    Q_OBJECT
public:
    StudentsImportWindow();

    QLabel* workbookPicture = nullptr;           // decorative picture
    QPushButton* chooseWorkbookButton = nullptr; // opens the chooser, as the main menu does

    void onChooseWorkbookClicked();
    void onStartImportClicked();

    // How chooseWorkbookButton opens the file chooser (pattern "*.xls", shown modeless);
    // the program sets it once.
    static void setChooserOpener(std::function<void(const QString& pattern)> opener);
    // Called when the import finds no path (the chooser's SaveImage hides).
    static void setEmptyPathAction(std::function<void()> action);
};

// The course-skills import window.
class SkillsImportWindow : public ImportWindow {
    Q_OBJECT
public:
    SkillsImportWindow();

    QLineEdit* gradeBox = nullptr; // the grade of every row of the next import

    void onStartImportClicked();
};

// The windows, loaded (with their loading) when they are not; each is deleted
// when it closes, so the next use starts from its design.
StudentsImportWindow* studentsImportWindow();
SkillsImportWindow* skillsImportWindow();
// The window when it is loaded, else nullptr.
StudentsImportWindow* loadedStudentsImportWindow();
SkillsImportWindow* loadedSkillsImportWindow();

} // namespace sijill::students
