#pragma once

#include "dates/CalendarRequest.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;

namespace sijill::shell {
class MainForm;
}

namespace sijill::exams {

class ExamControlWindow;

// The single-student chooser "جدول الاختبارات": a class, then one of its
// students, for the absence or cheating minutes; its Next hands over to the
// calendar for the day. Next only hides it, so the next opening finds the
// same class and student; its close box unloads it.
class SingleStudentChooser : public QWidget {
    Q_OBJECT
public:
    SingleStudentChooser();

    QLabel* Title = nullptr;
    QComboBox* Combo4 = nullptr;  // class keys of the main window's list
    QComboBox* Combo1 = nullptr;  // names of the chosen class
    QLabel* Image1 = nullptr;     // Next
    QListWidget* List1 = nullptr; // never shown: d1..d7 joined by ":", as Combo1

    void Combo4_Click();
    void Combo1_Click();
    void Image1_Click();

    // The chosen class key and the chosen student's item (empty when none).
    QString classKey() const;
    QString studentItem() const;
    // The chosen student's seven values, as the class load read them.
    QStringList studentParts() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
};

// The loaded chooser, or nullptr.
SingleStudentChooser* singleStudentChooser();

// The main window's command LoadChooserStudents: loads the students of the
// chooser's class into it and shows it.
void loadChooserStudents();

// Defines the main window's command LoadChooserStudents. Run once.
void installSingleStudent(shell::MainForm& main);

// Print menu items 3 and 4: the chooser shown (loaded first when it is not)
// and the exam-control window disabled. The overload with a kind first sets
// paperOptions[0] (absence) or paperOptions[1] (cheating); the other uses the option
// already set.
void openSingleStudent();
void openSingleStudent(dates::MinutesKind kind);

// The continue picture's action, for the exam-control window's side.
void singleStudentChooserPrintClicked();

} // namespace sijill::exams
