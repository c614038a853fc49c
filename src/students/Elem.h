#pragma once

#include "students/ImportWindow.h"

class QLineEdit;

namespace sijill::students {

// The students import window: the user starts the import of the Noor
// students workbook whose path the file chooser left.
class Elem : public ImportWindow {
    Q_OBJECT
public:
    Elem();

    QLabel* Image6 = nullptr;        // decorative picture
    QPushButton* RunExcel = nullptr; // opens the chooser, as the main menu does

    void Elem_RunExcel_Click();
    void Elem_GetExsl_Click();

    // How RunExcel opens the file chooser (pattern "*.xls", shown modeless);
    // the program sets it once.
    static void setChooserOpener(std::function<void(const QString& pattern)> opener);
    // Called when the import finds no path (the chooser's SaveImage hides).
    static void setEmptyPathAction(std::function<void()> action);
};

// The course-skills import window.
class Elem_skils : public ImportWindow {
    Q_OBJECT
public:
    Elem_skils();

    QLineEdit* Text1 = nullptr; // the grade of every row of the next import

    void Elem_skils_GetExsl_Click();
};

// The windows, loaded (with their loading) when they are not; each is deleted
// when it closes, so the next use starts from its design.
Elem* elemForm();
Elem_skils* elemSkilsForm();
// The window when it is loaded, else nullptr.
Elem* loadedElem();
Elem_skils* loadedElemSkils();

} // namespace sijill::students
