#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sijill::platform {
class SingleInstance;
}

namespace sijill::shell {

// The main window: the hub of the program. It owns the class list every
// feature works on, today's dates (kept off view for other windows to read),
// the report logo, and the hidden buttons and mailbox controls that other
// windows press and read.
class MainForm : public QWidget {
    Q_OBJECT
public:
    MainForm();
    ~MainForm() override;

    // The start-up, run once after construction. Returns false when the
    // program must not go on (a second copy was refused).
    bool formLoad();

    // Public surface for the other windows.
    QComboBox* Combo4 = nullptr;          // the class list
    QPushButton* LoadFile = nullptr;      // reloads the class list
    QPushButton* StudentsCount = nullptr; // collects ClassCounts
    QLabel* Today = nullptr;              // today's Hijri date yyyy/mm/dd
    QLabel* Label4 = nullptr;             // today's weekday name
    QLabel* DayNumber = nullptr;          // today's weekday, Saturday 1 .. Friday 7
    QLabel* MinLogo = nullptr;            // the report logo
    QLabel* Ver = nullptr;
    QLabel* Image10 = nullptr; // minimise
    QLabel* Image11 = nullptr; // close
    QWidget* PicPrint = nullptr;
    std::vector<QWidget*> PicMenu; // 0..3; 1 and 3 are used
    QWidget* Picture1 = nullptr;   // the strip below the visible area
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QCheckBox* Check2 = nullptr;
    QLabel* L1 = nullptr;
    QLabel* L2 = nullptr;

    // Menus: the bar along the top, the items of the drop-downs (indexed by
    // action; unused indices are nullptr) and the print panel's tabs.
    std::vector<QLabel*> BarTop;     // 0..3
    std::vector<QLabel*> MainSelect; // 1, 5, 6, 8, 9, 10, 11, 12, 13
    // The course-skills import, under the students import in "الرئيسة".
    static constexpr int kSkillsImportItem = 12;
    // The row "غياب وتأخر الطلاب" under "إداري": the attendance window.
    static constexpr int kAttendanceItem = 13;
    std::vector<QLabel*> Label2;     // print panel tabs 0..4
    QWidget* Shape1 = nullptr;       // marker under the current tab
    std::vector<QFrame*> StuNames;   // tab panels 0..4, filled by the printing
    QCheckBox* ChAll = nullptr;      // print scope: the whole school
    QCheckBox* ChOneClass = nullptr; // print scope: the whole grade
    // Hidden buttons that other windows press; their actions are connected by
    // the printing and labels windows. Like LoadFile and StudentsCount they
    // work while the main window is disabled.
    QPushButton* Header = nullptr;
    QPushButton* Reports = nullptr;
    QPushButton* ReportsMarks = nullptr;
    QPushButton* Command21 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command20 = nullptr;

    void MainForm_LoadFile_Click();
    void MainForm_StudentsCount_Click();
    void MainForm_Image10_Click();
    void MainForm_Image11_Click();

    void MainForm_BarTop_Click(int index);
    void MainForm_BarTop_MouseMove(int index);
    void MainForm_PicMenu_MouseMove(int index);
    void MainForm_MainSelect_Click(int index);
    void MainForm_MainSelect_MouseMove(int index);
    void MainForm_Label2_Click(int index);
    void MainForm_Label2_MouseMove(int index);
    void MainForm_ChAll_Click();
    void MainForm_ChOneClass_Click();
    void MainForm_Form_MouseMove();

    // The window a drop-down item opens, for the items whose windows live in
    // other parts of the program (1 import, 5 and 11 exam control, 8 class
    // lists, 10 committees, 13 attendance).
    // Items 5 and 11 run it only when the class list is not empty;
    // item 1 first disables this window and gives the file chooser the
    // import's mode, then runs it.
    void setMainSelectAction(int index, std::function<void()> action);

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
    QPushButton* entryPoint(const char* name);
    void buildMenus();
    void buildPrintPanel();
    bool menuEvent(QObject* watched, QEvent* event);
    void showDropDown(int index);
    void closeDropDowns();
    void runMainSelectAction(int index);
    bool refuseEmptyClassList(const QString& message, int style);
    void deleteAllClasses();
    void reportStartupProblem(const QString& message);
    bool takeTheDataFolder();

    std::unique_ptr<platform::SingleInstance> instance_;
    std::vector<std::function<void()>> mainSelectActions_;
    std::vector<std::unique_ptr<QPushButton>> entryPoints_;
    QStringList startupProblems_;
};

// The main window of the running program, or nullptr before it exists.
MainForm* mainForm();

} // namespace sijill::shell
