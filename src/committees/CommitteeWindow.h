#pragma once

#include "committees/CommitteePlan.h"
#include "committees/CommitteeStore.h"
#include "committees/Seating.h"
#include "data/RecordSet.h"
#include "platform/ChildWindow.h"

#include <QPoint>
#include <QSet>
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
class CommitteeWindow : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    CommitteeWindow();
    ~CommitteeWindow() override;

    // Summary panel.
    QFrame* summaryPanel = nullptr;
    QLineEdit* defaultCapacityBox = nullptr; // capacity of a new committee
    QLabel* resetIcon = nullptr;             // makes the committees again
    QLabel* openEditorIcon = nullptr;        // opens the editor panel
    std::vector<QLineEdit*> gradeCountBoxes; // students of each seated grade
    std::vector<QLabel*> gradeNameLabels;
    std::vector<QLineEdit*> countBoxes;  // students, classes
    QLabel* gradeSummaryLabel = nullptr; // hidden: the grade counts, "الصفوف-25-30-28"
    QLabel* closeIcon = nullptr;         // closes the window

    // Editor panel and its strips.
    QFrame* editorPanel = nullptr;
    QFrame* titleStrip = nullptr;
    QLabel* editorSaveIcon = nullptr; // saves and closes the editor panel
    QFrame* scrollStrip = nullptr;
    QPushButton* scrollUpButton = nullptr;
    QPushButton* scrollDownButton = nullptr;
    std::vector<QLabel*> gradeTotalLabels; // students of each grade to seat
    QLabel* remainingLabel = nullptr;      // the grade's students, less the capacities typed
    QComboBox* gradePicker = nullptr;      // the grades to seat
    QComboBox* subjectGradesBox = nullptr; // hidden: grades whose exam subjects head the blocks
    QPushButton* distributeButton = nullptr;
    // One line, shown while the seating no longer matches the students.
    QLabel* seatingNote = nullptr;

    // Committee rows: element i of each is row i; the last row is the entry
    // row for a new committee.
    std::vector<QLabel*> previewIcons;
    std::vector<QLineEdit*> nameBoxes;
    std::vector<QLabel*> firstGradeSeats, secondGradeSeats, thirdGradeSeats;
    std::vector<QLabel*> seatTotalLabels;
    std::vector<QLabel*> saveIcons;
    std::vector<QLabel*> sheetIcons;
    std::vector<QLabel*> labelsIcons;
    std::vector<QLineEdit*> capacityBoxes;
    std::vector<QLineEdit*> deskRowBoxes;

    // Hidden working storage and operation buttons.
    QFrame* workPanel = nullptr;
    QListWidget* studentQueueList = nullptr;  // the students queued to be seated
    QListWidget* gradeSubjectsList = nullptr; // the exam subjects of each grade
    QPushButton* countStudentsButton = nullptr;
    QPushButton* createCommitteesButton = nullptr;
    QPushButton* shareSeatsButton = nullptr;
    QPushButton* addCommitteeButton = nullptr;
    QPushButton* updateCommitteeButton = nullptr;
    QPushButton* clearSeatingButton = nullptr;
    QPushButton* readSubjectsButton = nullptr;
    QPushButton* seatStudentsButton = nullptr;
    QPushButton* readSheetRowsButton = nullptr;

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
    int rowCount() const { return static_cast<int>(nameBoxes.size()); }
    // The editor panel's place in twips, as the scroll buttons move it.
    double editorTop() const { return editorTop_; }
    double editorHeight() const { return editorHeight_; }
    // The seat label of grade g (1..3) in row i.
    QLabel* seatLabel(int grade, int row) const;

    void onCloseClicked();
    void onScrollUpClicked();
    void onScrollDownClicked();
    void onDefaultCapacityTyped();
    void onNameBoxFocused(int index);
    void onGradeChosen();
    void onCapacityTyped(int index);

    void onCountStudentsClicked();
    void onCreateCommitteesClicked();
    void onShareSeatsClicked();
    void onAddCommitteeClicked();
    void onUpdateCommitteeClicked();
    void onRowSaveClicked(int index);
    void onEditorSaveClicked();
    void onOpenEditorClicked();
    void onResetClicked();

    void onDistributeClicked();
    void onClearSeatingClicked();
    void onReadSubjectsClicked();
    void onSeatStudentsClicked();

    void onReadSheetRowsClicked();
    void onSheetClicked(int index);
    void onLabelsClicked(int index);

    // The pointer over a seat label, and a drop on one.
    void onSeatHovered(int grade, int row);
    void onSeatDropped(int grade, int row);

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
    void placeDistributeButton();
    void layOutPrintIcons();
    void startSeatDrag(QLabel* label);
    bool runShares(bool recovering);
    CommitteeRecord recordOfRow(int row) const;
    std::vector<CommitteeRecord> committeeRecords() const;
    std::array<QString, kGrades> seatGradeNames() const;
    // Compares the seating with the students to seat now and shows the line.
    void checkSeating();
    // A print of row `index`'s sheet or labels from a seating that no longer
    // matches the students, or that gives the committee none of its students,
    // asks first, each reason once per opening of the window; false when it
    // is not to print.
    bool printAnyway(int index);
    // A committee's name as messages give it, its place when it has none.
    static QString shownName(const QString& name, std::size_t index);

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
    void showEditorPanel(bool on);
    void placeEditorPanel();
    void reportFailure(const QString& message);

    QString loadError_;
    double editorTop_ = 30; // twips
    double editorHeight_ = 10770;
    std::vector<CommitteeRecord> stored_; // the committee table as last read or written
    std::array<std::vector<Student>, kGrades> queue_;
    std::array<QStringList, kGrades> subjects_;
    std::vector<std::pair<QString, int>> otherGrades_; // grades after the third, counted
    std::vector<Student> unflagged_;                   // students without the exam flag
    SeatingDrift drift_;
    QSet<QString> acceptedReasons_; // the print questions answered yes
};

// The window, created (and loaded) at its first use.
CommitteeWindow* committeeWindow();

// The main window's committee item: the main window disabled, this window shown.
void openCommittees();

// Registers the committee item (index 10) of the main window's menu.
void installCommittees(shell::MainForm& main);
} // namespace sijill::committees
