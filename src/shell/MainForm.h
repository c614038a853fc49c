#pragma once

#include "shell/MainCommands.h"
#include "shell/Question.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace sijill::platform {
class SingleInstance;
}

namespace sijill::shell {

// The items of the main window's drop-downs. The value is the item's place in
// menuItems and in its object name.
enum class MainMenuItem {
    ImportStudents = 1,
    ExamControl = 5,
    Help = 6,
    EditStudents = 8,
    DeleteAllClasses = 9,
    Committees = 10,
    ExamControlLabels = 11,
    ImportSkills = 12,
    Attendance = 13,
};

// The main window: the hub of the program. It owns the class list every
// feature works on, today's dates (kept off view for other windows to read),
// the report logo, the mailbox controls that other windows read, and the
// commands they run (MainCommands).
class MainForm : public QWidget {
    Q_OBJECT
public:
    MainForm();
    ~MainForm() override;

    // The start-up, run once after construction. Returns false when the
    // program must not go on (a second copy was refused).
    bool formLoad();

    // Public surface for the other windows.
    QComboBox* classPicker = nullptr; // the class list
    QLabel* todayDate = nullptr;      // today's Hijri date yyyy/mm/dd
    QLabel* weekdayName = nullptr;    // today's weekday name
    QLabel* weekdayNumber = nullptr;  // today's weekday, Saturday 1 .. Friday 7
    QLabel* reportLogo = nullptr;     // the report logo
    QLabel* versionLabel = nullptr;
    QLabel* minimiseIcon = nullptr; // minimise
    QLabel* closeIcon = nullptr;    // close
    QWidget* printPanel = nullptr;
    std::vector<QWidget*> dropDowns; // 0..3; 1 and 3 are used
    QWidget* mailboxStrip = nullptr; // the strip below the visible area
    QLineEdit* seatCommitteeText = nullptr;
    QLineEdit* seatClassText = nullptr;
    QLabel* seatNumberPrefix = nullptr;
    QLabel* lastSeatNumber = nullptr;

    // Menus: the bar along the top, the items of the drop-downs (indexed by
    // action; unused indices are nullptr) and the print panel's tabs.
    std::vector<QLabel*> barItems;         // 0..3
    std::vector<QLabel*> menuItems;        // indexed by MainMenuItem; the others nullptr
    std::vector<QLabel*> printTabs;        // print panel tabs 0..4
    QWidget* printTabMarker = nullptr;     // marker under the current tab
    std::vector<QFrame*> printTabPanels;   // tab panels 0..4, filled by the printing
    QCheckBox* wholeSchoolCheck = nullptr; // print scope: the whole school
    QCheckBox* wholeGradeCheck = nullptr;  // print scope: the whole grade

    // What other windows ask of this one; ReloadClassList is its own.
    MainCommands& commands() { return commands_; }

    // The command ReloadClassList: a failure leaves the list as it was and
    // reaches the caller.
    void reloadClassList();
    // Collects ClassCounts and chooses the first class, as the start does.
    void countStudentsAndChooseFirstClass();
    void onMinimiseClicked();
    void onCloseClicked();

    void onBarItemClicked(int index);
    void onBarItemHovered(int index);
    void onDropDownHovered(int index);
    void onMenuItemHovered(int index);
    void onPrintTabClicked(int index);
    void onPrintTabHovered(int index);
    void onWholeSchoolClicked();
    void onWholeGradeClicked();
    void onSurfaceHovered();

    // What choosing a drop-down item does, as its click does.
    void chooseMenuItem(MainMenuItem item);

    // The window a drop-down item opens, for the items whose windows live in
    // other parts of the program (the imports, exam control, the class lists,
    // committees, attendance). The two exam-control items run it only when
    // the class list is not empty; the students import first disables this
    // window and gives the file chooser the import's mode, then runs it.
    void setMenuAction(MainMenuItem item, std::function<void()> action);

    // Recomputes ClassCounts for the classes as they are now; called after
    // the class list reloads and after every change of students.
    void refreshClassCounts();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSurface();
    void buildMenus();
    void buildPrintPanel();
    bool menuEvent(QObject* watched, QEvent* event);
    void showDropDown(int index);
    void closeDropDowns();
    void runMenuAction(MainMenuItem item);
    bool refuseEmptyClassList(const QString& message, Tone tone);
    void deleteAllClasses();
    void reportStartupProblem(const QString& message);
    bool takeTheDataFolder();
    void settleTheDataFolder();

    std::unique_ptr<platform::SingleInstance> instance_;
    std::vector<std::function<void()>> menuActions_; // indexed by MainMenuItem
    MainCommands commands_;
    QStringList startupProblems_;
};

// The main window of the running program, or nullptr before it exists.
MainForm* mainForm();

} // namespace sijill::shell
