#pragma once

#include "platform/ChildWindow.h"
#include "students/StudentChanges.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sijill::students {

// The class-list maintenance window ("توزيع الطلاب"): lists a class or the
// whole school and changes students and classes through its panels. Every
// change addresses the students table by row identity.
class StudentsReorder : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    StudentsReorder();

    // The opening: geometry beside the main window, the class selectors from
    // the main window's class list (or from `classKeys` when given), then all
    // students listed.
    void formLoad();
    void formLoad(const QStringList& classKeys);

    QLabel* ImNew = nullptr; // close picture
    QFrame* MyBorder = nullptr;
    QWidget* PicNew = nullptr;
    QComboBox* Combo4 = nullptr; // class selector; item 0 all students
    QComboBox* Combo1 = nullptr; // target selector: Combo4's items without item 0
    QListWidget* SelectList = nullptr;
    QCheckBox* Check1 = nullptr; // busy: while checked, choosing a class lists nothing
    QLabel* Picture2 = nullptr;  // the toolbar picture
    std::vector<QLabel*> Image5; // click areas over the toolbar: 0..5
    std::vector<QLabel*> Label4; // captions; 2 shows the name to delete

    QWidget* PicAddStudent = nullptr;
    std::vector<QLineEdit*> txAddNewName; // 0 name, 1 civil-registry number, 2 number, 3 phone
    QComboBox* ComboAddNewName = nullptr;
    QPushButton* Command4 = nullptr; // add student

    QWidget* PicRearrange = nullptr;
    std::vector<QLineEdit*> Text7;   // 0 kind, 1 class, 2 grade; 3 number, 4 name, 5 civil, 6 phone
    QPushButton* Command6 = nullptr; // edit
    QPushButton* Command10 = nullptr; // renumber

    QWidget* PicAddClass = nullptr;
    QPushButton* Command9 = nullptr; // add class

    QWidget* Picture3 = nullptr;      // delete-student panel
    QPushButton* StuDelete = nullptr; // delete

    QWidget* Picture1 = nullptr; // move, or remove-class panel
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr; // move or copy
    QPushButton* Command2 = nullptr; // remove class
    QPushButton* SaveIt = nullptr;   // saves the class-list file

    QLabel* Image1 = nullptr; // panel close pictures
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image6 = nullptr;

    // The lines on view, in list order, with their row identities.
    const std::vector<StudentLine>& lines() const { return lines_; }

    void Combo4_Click();
    void ComboAddNewName_Click();
    void Image5_Click(int index);
    void SelectList_Click();
    void Label4_Click(int index);
    void Command10_Click(); // renumber
    void Command4_Click();  // add student
    void Command6_Click();  // edit
    void StuDelete_Click(); // delete
    void Command1_Click();  // move or copy
    void Command9_Click();  // add class
    void Command2_Click();  // remove class
    void SaveIt_Click();

    // The edit panel is open and its boxes differ from the line they were
    // filled from (or last saved).
    bool hasTypedEdits() const override;
    bool saveTypedEdits() override;
    QString typedEditsQuestion() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    // The main window reloads its class list from the class table.
    void reloadMainClassList();
    QWidget* makePanel(const char* name, const QString& title, int heightTw, QLabel** closer);
    QLabel* makeCaption(QWidget* parent, const QString& text, int left, int top);
    void relist();
    void showPanel(QWidget* panel);
    const StudentLine* currentLine() const;
    std::vector<StudentLine> selectedLines() const;
    void fillClassSelectors(const QStringList& classKeys);
    QString programTitle() const;

    std::vector<StudentLine> lines_;
    QStringList editTexts() const;
    // Saves the edit panel's boxes; a refusal or failure is told.
    bool saveEdit();

    // The add panel's boxes, and the edit panel's (number, name, civil, phone),
    // made ready to store.
    NewStudent addBoxes() const;
    static NewStudent editBoxes(const QStringList& texts);
    // The typed student may be stored: a refusal is told naming its box, and
    // a civil-registry number of unusual length is stored only on yes.
    bool mayStore(const NewStudent& typed, const NewStudent& filled);

    qint64 editId_ = 0;      // the row the edit panel was opened on
    QStringList editFilled_; // its boxes as filled from that line or last saved
    NewStudent addFilled_;   // the add panel's boxes as the window filled them
};

// Item 8 of the main menu: disables the main window and opens the window;
// with an empty class list it says so and closes the window again.
StudentsReorder* openStudentsReorder();
// The window when it is open, else nullptr.
StudentsReorder* loadedStudentsReorder();

} // namespace sijill::students
