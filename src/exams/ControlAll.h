#pragma once

#include "dates/CalendarRequester.h"
#include "exams/PickLists.h"
#include "exams/ScheduleGrid.h"
#include "platform/ChildWindow.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sijill::shell {
class MainForm;
}

namespace sijill::exams {

class PickPopup;

// The exam-control window "جدول الاختبارات": the schedule editor of one grade
// at a time (up to ten exam days of two periods, each with subject, time,
// corrector and reviewer, filled from three pick lists), its deletes, the
// print menu of the exam paperwork and the labels panel. It is a modeless
// child of the main window, which stays disabled while it is open.
class ControlAll : public QWidget, public dates::CalendarRequester, public platform::TypedEdits {
    Q_OBJECT
public:
    // Builds the window and runs its load (hidden).
    explicit ControlAll(shell::MainForm* main);
    ~ControlAll() override;

    // Panels.
    QLabel* Title = nullptr;       // title band; drags the window
    QFrame* Frame1 = nullptr;      // the schedule editor
    QFrame* Picture1 = nullptr;    // delete options
    QFrame* Picture2 = nullptr;    // print menu
    QFrame* Picture3 = nullptr;    // labels panel
    QFrame* Picture4 = nullptr;    // paperwork of a picked day
    QFrame* CommeteePic = nullptr; // schedule of one grade

    // Editor header.
    QLabel* Item2 = nullptr;     // "تحرير جدول  اختبار الصف"
    QComboBox* Combo4 = nullptr; // the grade list; item 0 the prompt
    QPushButton* cmdSave = nullptr;
    QLineEdit* ClassName = nullptr; // the shown grade
    QLabel* DelOptions = nullptr;
    QLabel* Image10 = nullptr; // folds the editor
    QLabel* Image15 = nullptr; // the opener, beyond the editor's edge

    // The grid: days 0..9, rows r = 2 x day + period.
    std::vector<QFrame*> Picture5;   // day strips
    std::vector<QFrame*> PicPeriod2; // second-period panels
    std::vector<QLineEdit*> Day;     // weekday names
    std::vector<QLineEdit*> DayDate; // Hijri dates
    std::vector<QLabel*> Image7;     // add a second period
    std::vector<QLineEdit*> Subj, Time, T1, T2;
    std::vector<QLineEdit*> ID;      // table keys, "ID" without a row; never seen
    std::vector<QLabel*> PicDataDel; // delete a row
    QPushButton* NewDay = nullptr;
    QLabel* Picture6 = nullptr; // the pick mark: a day's date from the calendar
    QLabel* Selected = nullptr; // the day last under the mouse

    // Pick lists.
    PickPopup* FSubjects = nullptr;
    PickPopup* FTeachers = nullptr;
    PickPopup* FTime = nullptr;
    QLabel* DelT = nullptr;
    QPushButton* Command9 = nullptr; // rebuilds the lists; never shown

    // Delete options.
    QLabel* Image8 = nullptr;  // erase the selected grade's schedule
    QLabel* DelAll = nullptr;  // erase every schedule
    QLabel* Image11 = nullptr; // close

    // Print menu and the paperwork's controls.
    std::vector<QLabel*> MainSelect; // 0..12
    QLabel* Image1 = nullptr;        // closes the window
    QComboBox* Combo6 = nullptr;     // grades, in CommeteePic
    QComboBox* Combo7 = nullptr;     // periods, in Picture4
    QComboBox* Combo8 = nullptr;     // grades, in Picture4
    QLabel* Imageshow = nullptr;
    QLabel* CloseIt = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image6 = nullptr;
    QLabel* Image16 = nullptr;
    // Banners: 0 over the grade chooser, 1 over the day's print panel naming
    // the paper it prints (2 and 3, never shown, the two kinds of day papers).
    std::vector<QLabel*> Image5;
    QLabel* GradeCaption = nullptr;   // over Combo8, shown with it
    QLabel* PeriodCaption = nullptr;  // over Combo7
    QLabel* ChooserCaption = nullptr; // over Combo6
    // Hidden mailboxes and buttons of the calendar exchange and the prints.
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    std::vector<QRadioButton*> Option1; // 0..6
    QLabel* Label5 = nullptr;           // weekday of the last pick
    QLabel* Label6 = nullptr;           // date of the last pick
    QLineEdit* Class = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Print10 = nullptr;

    // Labels panel (its menu rows belong to the labels).
    QComboBox* Combo9 = nullptr;
    QCheckBox* All_Series = nullptr;
    QCheckBox* ClassSeries = nullptr;
    QLineEdit* Text1 = nullptr;
    std::vector<QLabel*> ControlBottos; // index 2 closes the panel

    // Window state.
    bool ScheduleSaved = true; // the grid holds no unsaved choice
    int ShownGradeIndex = 0;
    QString ShownGradeName;
    int PickHoverIndex = 0;
    int PickTargetRow = 0;
    bool PickToCorrector = false;
    // The paper the day's print panel was opened for (an Option1 index), or
    // -1 while it was opened for none: its go button prints that paper.
    int PanelPaper = -1;

    // Event actions.
    void Combo4_Click();
    void cmdSave_Click();
    void NewDay_Click();
    void Image7_Click(int day);
    void PicDataDel_Click(int row);
    void PicPeriod2_Click(int day);
    void Picture5_MouseMove(int day, bool overSecondPeriod = false);
    void Picture6_Click();
    void Image10_Click();
    void DelOptions_Click();
    void Image11_Click();
    void Image8_Click();
    void DelAll_Click();
    void Image1_Click();
    void CloseIt_Click();
    void Image6_Click();
    void MainSelect_Click(int index);
    void MainSelect_MouseMove(int index);
    void Combo9_Click();
    void All_Series_Click();
    void ControlBottos_Click(int index);

    void Command9_Click();
    void addPickItem(PickList list); // Command8, Command7, Command10
    void pickItem_Click(PickList list, int index);
    void pickItem_MouseMove(PickList list, int index);
    void DelT_Click();
    void Image3_Click();
    void Tex_KeyUp(PickList list, int key);
    void cell_GotFocus(QLineEdit* cell);
    void cell_Click(QLineEdit* cell);

    PickPopup* popup(PickList list) const;
    // The day's print panel shown for one paper (an Option1 index): its
    // banner names the paper, the grade list shows only for a subject's
    // minutes, and its go button prints that paper from then on.
    void showPrintPanel(int paper);

    // Before the window closes or a paper reads the schedule: with unsaved
    // changes the user is asked to save (then go on), discard (the grid shows
    // the stored schedule again, then go on) or stay. False: stay.
    bool settleUnsavedChanges();
    // The shown grade's schedule changed and not saved: asked about as the
    // window's typed edits; after the question the grid shows the stored
    // schedule again.
    bool hasTypedEdits() const override;
    bool saveTypedEdits() override;
    QString typedEditsQuestion() const override;
    void typedEditsSettled() override;

    // The print menu's items that the paperwork provides (every item but 1
    // and 11, which show this window's own panels).
    void setPrintMenuAction(int index, std::function<void()> action);

    // The grid as the controls hold it, and shown into them.
    ScheduleGrid gridFromControls() const;
    void showGrid(const ScheduleGrid& grid);

    QWidget* requesterWindow() override { return this; }
    void receiveCalendarDate(const dates::CalendarRequest& request,
                             const dates::PickedDate& date) override;
    // After a pick for a print: the print that waited for the day goes on.
    void continueWaitingPrint(const dates::CalendarRequest& request);
    void calendarRequestEnded(const dates::CalendarRequest& request) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildHeader();
    void buildGrid();
    void buildDay(int k);
    void buildCaptions();
    void buildPopups();
    void buildDeleteOptions();
    void buildPrintMenu();
    void buildPaperworkPanels();
    void buildLabelsPanel();
    void buildMailboxes();
    QLabel* clickable(QLabel* label);
    QLineEdit* cell(QWidget* parent, const QString& name, int index, int left, int top, int width);

    void Form_Load();
    void fillGradeLists();
    void foldEditor();
    void hidePopups();
    void loadGrade(int index);
    void emptyGrid();
    void placeNewDay();
    bool askAboutUnsavedChoices();
    bool saveShownGrade();
    void reloadShownGrade();
    bool deleteRows(const std::vector<qint64>& ids, int row);
    void paintCells(QLineEdit* focused);
    void placePopupFor(QLineEdit* cell);
    int cellRow(QLineEdit* cell, PickList* list, bool* corrector) const;
    void reportFailure(const QString& what, const QString& why);

    QPointer<shell::MainForm> main_;
    std::vector<std::function<void()>> printActions_;
    // What a click (left button released over it) and the pointer moving
    // over a control do, by control.
    QHash<QObject*, std::function<void()>> onClick_;
    QHash<QObject*, std::function<void()>> onHover_;
    bool adding_ = false;
};

// The loaded exam-control window, or nullptr.
ControlAll* controlAll();
// The exam-control window, loaded (hidden, its load run) when it is not.
ControlAll* loadControlAll();

// What the calendar's OK does for these prints once Label5 and Label6 hold
// the pick: clears the request's mark (Check2 for a student's minutes,
// Check1 for the questions), shows the print panel Picture4, with its grade
// list Combo8 only for the questions of one subject. Returns false (and does
// nothing) for any other request.
bool showMinutesPanel(ControlAll& window, const dates::CalendarRequest& request);

// The calendar closed without a date: the mark that a student's minutes
// (Check2) or a questions print (Check1) waited is cleared, so no later pick
// runs it. Returns false (and does nothing) for any other request.
bool dropMinutesRequest(ControlAll& window, const dates::CalendarRequest& request);

} // namespace sijill::exams
