#pragma once

#include "committees/CommitteePlan.h"
#include "committees/CommitteeStore.h"
#include "committees/Seating.h"
#include "data/RecordSet.h"
#include "platform/ChildWindow.h"

#include <QPoint>
#include <QString>
#include <QWidget>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sijill::shell {
class MainForm;
}

namespace sijill::committees {

// The exam-committee window "توزيع الطلاب": the committee list, each grade's
// seat shares, the distribution of the students with seat numbers and each
// committee's signature sheet and desk labels. It opens on its summary panel;
// the editor panel lies over it while committees exist. Frameless, dragged by
// its background; it gives the main window back when it closes.
class ControlCom : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    ControlCom();
    ~ControlCom() override;

    // Summary panel.
    QFrame* Picture1 = nullptr;
    QLineEdit* Text1 = nullptr; // capacity of a new committee
    QLabel* Image1 = nullptr;   // reset
    QLabel* Image3 = nullptr;   // opens the editor panel
    std::vector<QLineEdit*> LNum;
    std::vector<QLabel*> LName;
    std::vector<QLineEdit*> T_Main; // students, classes
    std::vector<QLabel*> Label4;    // 0 the grade summary, 8 the name heading
    QLabel* ImNew = nullptr;        // closes the window

    // Editor panel and its strips.
    QFrame* Picture2 = nullptr;
    QFrame* Picture5 = nullptr;
    QLabel* Image2 = nullptr; // saves and closes the editor panel
    QFrame* Picture4 = nullptr;
    QPushButton* UP = nullptr;
    QPushButton* Down = nullptr;
    std::vector<QLabel*> Tot;
    QLabel* Total = nullptr;
    QComboBox* Combo2 = nullptr; // grades
    QComboBox* Combo1 = nullptr; // hidden: grades whose exam subjects head the blocks
    QPushButton* Command2 = nullptr;
    // One line, shown while the seating no longer matches the students.
    QLabel* SeatingNote = nullptr;

    // Committee rows: element i of each is row i; the last row is the entry
    // row for a new committee.
    std::vector<QLabel*> ImView;
    std::vector<QLineEdit*> ComName;
    std::vector<QLabel*> L1, L2, L3;
    std::vector<QLabel*> ComTotal;
    std::vector<QLabel*> ImUpdate;
    std::vector<QLabel*> ImPrint;
    std::vector<QLabel*> Image4;
    std::vector<QLineEdit*> ComNum;
    std::vector<QLineEdit*> ColNum;

    // Hidden working storage and operation buttons.
    QFrame* Picture3 = nullptr;
    QListWidget* List3 = nullptr; // student queue
    QListWidget* List4 = nullptr; // subjects of each grade
    QPushButton* ChooseGrade = nullptr;
    QPushButton* CmdCreat = nullptr;
    QPushButton* Scramble = nullptr;
    QPushButton* NewCom = nullptr;
    QPushButton* ComUpdate = nullptr;
    QPushButton* DeleteAll = nullptr;
    QPushButton* GetSchadual = nullptr;
    QPushButton* FillCom = nullptr;
    QPushButton* Header = nullptr;

    // Window variables.
    int BatchMode = 0;
    int CurRow = 0;
    int DragGrade = 1;
    QString GradeSummary;
    int SheetRow = 0;
    int SheetRowCount = 0;
    data::RecordSet SheetRowset;

    // Why the load could not read the databases; empty when it could.
    const QString& loadError() const { return loadError_; }
    int rowCount() const { return static_cast<int>(ComName.size()); }
    // The editor panel's place in twips, as the scroll buttons move it.
    double picture2Top() const { return picture2Top_; }
    double picture2Height() const { return picture2Height_; }
    // The seat label of grade g (1..3) in row i.
    QLabel* seatLabel(int grade, int row) const;

    void ImNew_Click();
    void UP_Click();
    void Down_Click();
    void Text1_Change();
    void ComName_GotFocus(int index);
    void Combo2_Click();
    void ComNum_Change(int index);

    void ChooseGrade_Click();
    void CmdCreat_Click();
    void Scramble_Click();
    void NewCom_Click();
    void ComUpdate_Click();
    void ImUpdate_Click(int index);
    void Image2_Click();
    void Image3_Click();
    void Image1_Click();

    void Command2_Click();
    void DeleteAll_Click();
    void GetSchadual_Click();
    void FillCom_Click();

    void Header_Click();
    void ImPrint_Click(int index);
    void Image4_Click(int index);

    // The pointer over a seat label, and a drop on one.
    void Seat_MouseMove(int grade, int row);
    void Seat_DragDrop(int grade, int row);

    // Its close asks about unsaved committee rows; No closes with them still
    // on the panel.
    bool hasTypedEdits() const override;
    bool saveTypedEdits() override;
    QString typedEditsQuestion() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildSummary();
    void buildEditor();
    void buildHidden();
    void formLoad();
    void addRow();
    void clearRows();
    void fillRow(int row, const CommitteeRecord& c);
    void recomputeTotal(int row);
    void placeCommand2();
    void layOutPrintIcons();
    void startSeatDrag(QLabel* label);
    bool runShares(bool recovering);
    CommitteeRecord recordOfRow(int row) const;
    std::vector<CommitteeRecord> committeeRecords() const;
    std::array<QString, kGrades> seatGradeNames() const;
    // Compares the seating with the students to seat now and shows the line.
    void checkSeating();
    // A print from a seating that no longer matches the students asks first,
    // once per opening of the window; false when it is not to print.
    bool printAnyway();

    // The entry row holds a name and a capacity, ready to be added.
    bool entryRowFilled() const;
    // A committee row whose name, capacity or seats differ from the table.
    bool rowUnsaved(int row) const;
    // Some committee row unsaved, or a filled entry row: what closing the
    // panel or the window would lose.
    bool hasUnsavedRows() const;
    // Each row's save icon shows whether it holds something to save.
    void refreshSaveIcons();
    // The scroll strip stands while there are more rows than the panel shows.
    void updateScrollStrip();
    // The seat totals of the three grades, as counted.
    GradeSeats gradeTotals() const;
    // Stores every committee row (and adds a filled entry row); false, with
    // the failure reported, when that could not be done.
    bool saveAllRows();

    // Row `row`'s capacity was typed over kMaxCapacity: told, and true.
    bool capacityRefused(int row);
    bool createCommittees();
    void showPanel2(bool on);
    void applyPicture2();
    void reportFailure(const QString& message);

    QString loadError_;
    double picture2Top_ = 30; // twips
    double picture2Height_ = 10770;
    std::vector<CommitteeRecord> stored_; // the committee table as last read or written
    std::array<std::vector<Student>, kGrades> queue_;
    std::array<QStringList, kGrades> subjects_;
    std::vector<std::pair<QString, int>> otherGrades_; // grades after the third, counted
    std::vector<Student> unflagged_;                   // students without the exam flag
    SeatingDrift drift_;
    bool driftAsked_ = false;
};

// The window, created (and loaded) at its first use.
ControlCom* controlCom();

// The main window's committee item: the main window disabled, this window shown.
void openCommittees();

// Registers the committee item (index 10) of the main window's menu.
void installCommittees(shell::MainForm& main);
} // namespace sijill::committees
