#pragma once

#include "dates/CalendarRequest.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;

namespace sijill::dates {
class CalendarRequester;
}
namespace sijill::shell {
class MainForm;
}

namespace sijill::exams {

// What the chooser needs of the window that opens it: the window stays below
// it, disabled until the chooser closes; Next marks the window's request and
// asks the calendar for the day of the minutes kind the window chose, on the
// window's behalf.
struct ChooserOpener {
    QWidget* window = nullptr;
    dates::CalendarRequester* requester = nullptr;
    std::function<dates::MinutesKind()> minutesKind;
    std::function<void()> markRequest;
};

// The single-student chooser "جدول الاختبارات": a class, then one of its
// students, for the absence or cheating minutes; its Next hands over to the
// calendar for the day. Next only hides it, so the next opening finds the
// same class and student; its close box unloads it.
class SingleStudentChooser : public QWidget {
    Q_OBJECT
public:
    SingleStudentChooser();

    QLabel* titleBanner = nullptr;
    QComboBox* classPicker = nullptr;    // class keys of the main window's list
    QComboBox* studentPicker = nullptr;  // names of the chosen class
    QLabel* nextButton = nullptr;        // Next
    QListWidget* studentItems = nullptr; // never shown: d1..d7 joined by ":", as studentPicker

    void onClassChosen();
    void onStudentChosen();
    void onNextClicked();

    // The window that opened the chooser last; the chooser keeps above it.
    void setOpener(const ChooserOpener& opener);
    QWidget* openerWindow() const { return openerWindow_.data(); }

    // The chosen class key and the chosen student's item (empty when none).
    QString classKey() const;
    QString studentItem() const;
    // The chosen student's seven values, as the class load read them.
    QStringList studentParts() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillClassPicker();

    ChooserOpener opener_;
    QPointer<QWidget> openerWindow_;
};

// The loaded chooser, or nullptr.
SingleStudentChooser* singleStudentChooser();

// The main window's command LoadChooserStudents: loads the students of the
// chooser's class into it and shows it.
void loadChooserStudents();

// Defines the main window's command LoadChooserStudents. Run once.
void installSingleStudent(shell::MainForm& main);

// The chooser shown above its opener's window (made first when it is not
// open) and that window disabled until the chooser closes.
void openSingleStudent(const ChooserOpener& opener);

} // namespace sijill::exams
