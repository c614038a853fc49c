#pragma once

#include <QWidget>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
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

    void MainForm_LoadFile_Click();
    void MainForm_StudentsCount_Click();
    void MainForm_Image10_Click();
    void MainForm_Image11_Click();

    // Recomputes ClassCounts for the classes as they are now; called after
    // the class list reloads and after every change of students.
    void refreshClassCounts();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSurface();
    void reportStartupProblem(const QString& message);

    std::unique_ptr<platform::SingleInstance> instance_;
    QStringList startupProblems_;
};

// The main window of the running program, or nullptr before it exists.
MainForm* mainForm();

} // namespace sijill::shell
