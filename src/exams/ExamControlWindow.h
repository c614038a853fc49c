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
class ExamControlWindow : public QWidget,
                          public dates::CalendarRequester,
                          public platform::TypedEdits {
    Q_OBJECT
public:
    // Builds the window and runs its load (hidden).
    explicit ExamControlWindow(shell::MainForm* main);
    ~ExamControlWindow() override;

    // Panels.
    QLabel* titleBar = nullptr;           // title band; drags the window
    QFrame* editorFrame = nullptr;        // the schedule editor
    QFrame* deleteOptionsPanel = nullptr; // delete options
    QFrame* printMenuPanel = nullptr;     // print menu
    QFrame* labelsPanelFrame = nullptr;   // labels panel
    QFrame* dayPrintPanel = nullptr;      // paperwork of a picked day
    QFrame* gradeSheetPanel = nullptr;    // schedule of one grade

    // Editor header.
    QLabel* editorCaption = nullptr;  // "تحرير جدول  اختبار الصف"
    QComboBox* gradePicker = nullptr; // the grade list; item 0 the prompt
    QPushButton* saveButton = nullptr;
    QLineEdit* shownGradeBox = nullptr; // the shown grade
    QLabel* deleteOptionsButton = nullptr;
    QLabel* foldButton = nullptr; // folds the editor
    QLabel* unfoldMark = nullptr; // the opener, beyond the editor's edge

    // The grid: days 0..9, rows r = 2 x day + period.
    std::vector<QFrame*> dayStrips;          // day strips
    std::vector<QFrame*> secondPeriodPanels; // second-period panels
    std::vector<QLineEdit*> weekdayCells;    // weekday names
    std::vector<QLineEdit*> dateCells;       // Hijri dates
    std::vector<QLabel*> addPeriodButtons;   // add a second period
    std::vector<QLineEdit*> subjectCells, timeCells, correctorCells, reviewerCells;
    std::vector<QLineEdit*> keyCells;      // table keys, "ID" without a row; never seen
    std::vector<QLabel*> deleteRowButtons; // delete a row
    QPushButton* newDayButton = nullptr;
    QLabel* pickDateButton = nullptr; // the pick mark: a day's date from the calendar
    QLabel* hoveredDay = nullptr;     // the day last under the mouse

    // Pick lists.
    PickPopup* subjectsPopup = nullptr;
    PickPopup* teachersPopup = nullptr;
    PickPopup* timesPopup = nullptr;
    QLabel* deletePickItemMark = nullptr;
    QPushButton* reloadListsButton = nullptr; // rebuilds the lists; never shown

    // Delete options.
    QLabel* eraseGradeOption = nullptr;         // erase the selected grade's schedule
    QLabel* eraseAllOption = nullptr;           // erase every schedule
    QLabel* closeDeleteOptionsButton = nullptr; // close

    // Print menu and the paperwork's controls.
    std::vector<QLabel*> printMenuItems;   // 0..12
    QLabel* closeWindowButton = nullptr;   // closes the window
    QComboBox* sheetGradePicker = nullptr; // grades, in gradeSheetPanel
    QComboBox* dayPeriodPicker = nullptr;  // periods, in dayPrintPanel
    QComboBox* dayGradePicker = nullptr;   // grades, in dayPrintPanel
    QLabel* sheetShowButton = nullptr;
    QLabel* closeSheetPanelButton = nullptr;
    QLabel* dayPrintButton = nullptr;
    QLabel* closeDayPanelButton = nullptr;
    QLabel* pickDayAgainButton = nullptr;
    // Banners: 0 over the grade chooser, 1 over the day's print panel naming
    // the paper it prints (2 and 3, never shown, the two kinds of day papers).
    std::vector<QLabel*> panelBanners;
    QLabel* dayGradeCaption = nullptr;   // over dayGradePicker, shown with it
    QLabel* dayPeriodCaption = nullptr;  // over dayPeriodPicker
    QLabel* sheetGradeCaption = nullptr; // over sheetGradePicker
    // Hidden mailboxes and buttons of the calendar exchange and the prints.
    QCheckBox* dayPrintWaiting = nullptr;       // a print waits for the calendar's day
    QCheckBox* studentMinutesWaiting = nullptr; // a student's minutes wait for it
    // The paper asked for: 0 absence, 1 cheating, 2 and 3 the questions of a
    // day and of a subject, 4 and 5 the hand-over with and without checking,
    // 6 the correctors and reviewers of a day.
    std::vector<QRadioButton*> paperOptions;
    QLabel* pickedWeekdayLabel = nullptr; // weekday of the last pick
    QLabel* pickedDateLabel = nullptr;    // date of the last pick
    QLineEdit* lastSheetGrade = nullptr;  // the grade the last sheet cleaned
    // Pressed to print the hand-over statement, a student's minutes, the
    // questions of a day or of a subject, the correctors and reviewers.
    QPushButton* handOverButton = nullptr;
    QPushButton* studentMinutesButton = nullptr;
    QPushButton* dayQuestionsButton = nullptr;
    QPushButton* subjectQuestionsButton = nullptr;
    QPushButton* revisersButton = nullptr;

    // Labels panel (its menu rows belong to the labels).
    QComboBox* labelsClassPicker = nullptr;
    QCheckBox* allSeriesBox = nullptr;
    QCheckBox* classSeriesBox = nullptr;
    QLineEdit* labelsClassText = nullptr;
    std::vector<QLabel*> labelsPanelButtons; // index 2 closes the panel

    // Window state.
    bool ScheduleSaved = true; // the grid holds no unsaved choice
    int ShownGradeIndex = 0;
    QString ShownGradeName;
    int PickHoverIndex = 0;
    int PickTargetRow = 0;
    bool PickToCorrector = false;
    // The paper the day's print panel was opened for (a paperOptions index), or
    // -1 while it was opened for none: its go button prints that paper.
    int PanelPaper = -1;

    // Event actions.
    void onGradeChosen();
    void onSaveClicked();
    void onNewDayClicked();
    void onAddPeriodClicked(int day);
    void onDeleteRowClicked(int row);
    void onSecondPeriodClicked(int day);
    void onDayHovered(int day, bool overSecondPeriod = false);
    void onPickDateClicked();
    void onFoldClicked();
    void onDeleteOptionsClicked();
    void onCloseDeleteOptionsClicked();
    void onEraseGradeClicked();
    void onEraseAllClicked();
    void onCloseWindowClicked();
    void onCloseSheetPanelClicked();
    void onCloseDayPanelClicked();
    void onPrintMenuItemClicked(int index);
    void onPrintMenuItemHovered(int index);
    void onLabelsClassChosen();
    void onAllSeriesClicked();
    void onLabelsPanelButtonClicked(int index);

    void reloadPickLists();
    void addPickItem(PickList list); // a popup's add button
    void onPickItemClicked(PickList list, int index);
    void onPickItemHovered(PickList list, int index);
    void onDeletePickItemClicked();
    void onClosePopupClicked();
    void onPickTextKeyReleased(PickList list, int key);
    void onCellFocused(QLineEdit* cell);
    void onCellPressed(QLineEdit* cell);

    PickPopup* popup(PickList list) const;
    // The day's print panel shown for one paper (a paperOptions index): its
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

    void load();
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
ExamControlWindow* examControlWindow();
// The exam-control window, loaded (hidden, its load run) when it is not.
ExamControlWindow* loadExamControlWindow();

// What the calendar's OK does for these prints once pickedWeekdayLabel and pickedDateLabel hold
// the pick: clears the request's mark (studentMinutesWaiting for a student's minutes,
// dayPrintWaiting for the questions), shows the print panel dayPrintPanel, with its grade
// list dayGradePicker only for the questions of one subject. Returns false (and does
// nothing) for any other request.
bool showMinutesPanel(ExamControlWindow& window, const dates::CalendarRequest& request);

// The calendar closed without a date: the mark that a student's minutes
// (studentMinutesWaiting) or a questions print (dayPrintWaiting) waited is cleared, so no later
// pick runs it. Returns false (and does nothing) for any other request.
bool dropMinutesRequest(ExamControlWindow& window, const dates::CalendarRequest& request);

} // namespace sijill::exams
