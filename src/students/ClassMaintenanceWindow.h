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
class ClassMaintenanceWindow : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    ClassMaintenanceWindow();

    // The opening: geometry beside the main window, the class selectors from
    // the main window's class list (or from `classKeys` when given), then all
    // students listed.
    void formLoad();
    void formLoad(const QStringList& classKeys);

    QLabel* closePicture = nullptr;         // close picture
    QFrame* windowBorder = nullptr;         // the line round the window
    QWidget* listPanel = nullptr;           // class selector, student list and toolbar
    QComboBox* classPicker = nullptr;       // class selector; item 0 all students
    QComboBox* targetClassPicker = nullptr; // target selector: classPicker's items without item 0
    QListWidget* studentList = nullptr;     // the students listed, one line each
    QCheckBox* busyCheck = nullptr;         // busy: while checked, choosing a class lists nothing
    QLabel* toolbarPicture = nullptr;       // the toolbar picture
    std::vector<QLabel*> toolbarButtons;    // click areas over the toolbar: 0..5
    std::vector<QLabel*> panelCaptions;     // captions; 2 shows the name to delete

    QWidget* addStudentPanel = nullptr;
    std::vector<QLineEdit*> addStudentFields; // 0 name, 1 civil-registry number, 2 number, 3 phone
    QComboBox* addStudentClassPicker = nullptr;
    QPushButton* addStudentButton = nullptr; // add student

    QWidget* editPanel = nullptr; // edit the name and the order
    // 0 kind, 1 class, 2 grade; 3 number, 4 name, 5 civil, 6 phone
    std::vector<QLineEdit*> editFields;
    QPushButton* saveEditButton = nullptr; // edit
    QPushButton* renumberButton = nullptr; // renumber

    QWidget* addClassPanel = nullptr;
    QPushButton* addClassButton = nullptr; // add class

    QWidget* deletePanel = nullptr;             // delete-student panel
    QPushButton* deleteStudentButton = nullptr; // delete

    QWidget* movePanel = nullptr; // move, or remove-class panel
    QLabel* moveCaption = nullptr;
    QPushButton* moveButton = nullptr;          // move or copy
    QPushButton* removeClassButton = nullptr;   // remove class
    QPushButton* saveClassListButton = nullptr; // saves the class-list file

    QLabel* addClassCloser = nullptr; // panel close pictures
    QLabel* addStudentCloser = nullptr;
    QLabel* editCloser = nullptr;
    QLabel* moveCloser = nullptr;
    QLabel* deleteCloser = nullptr;

    // The lines on view, in list order, with their row identities.
    const std::vector<StudentLine>& lines() const { return lines_; }

    void onClassChosen();
    void onAddStudentClassChosen();
    void onToolbarClicked(int index);
    void onListClicked();
    void onCaptionClicked(int index);
    void onRenumberClicked();      // renumber
    void onAddStudentClicked();    // add student
    void onSaveEditClicked();      // edit
    void onDeleteStudentClicked(); // delete
    void onMoveClicked();          // move or copy
    void onAddClassClicked();      // add class
    void onRemoveClassClicked();   // remove class
    void onSaveClassListClicked();

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
ClassMaintenanceWindow* openClassMaintenance();
// The window when it is open, else nullptr.
ClassMaintenanceWindow* loadedClassMaintenance();

} // namespace sijill::students
