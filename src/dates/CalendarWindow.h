#pragma once

#include "dates/CalendarModel.h"
#include "dates/CalendarRequest.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace sijill::dates {

class CalendarRequester;

// The calendar window: one Hijri month as a grid of day cells, Sunday in the
// rightmost column, the twelve months down the right side. It is loaded once
// and then only hidden and shown; a window that needs a date opens it with a
// request and receives the picked day through CalendarRequester.
class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    // mainWindow: placed over on every activation; enabled again when a
    // request ends and no other window is open over it. May be null.
    explicit CalendarWindow(QWidget* mainWindow);
    ~CalendarWindow() override;

    // Opening, run once after construction: today from the program's clock,
    // today's month shown and previewed, the month facts.
    void formLoad();

    // Shows the calendar for a request. A request still open is ended first as
    // if closed. The requester's window is disabled while the calendar serves
    // it; the attendance requests set AbsenceMonthMode.
    void openFor(const CalendarRequest& request, CalendarRequester* requester);
    // A requester that goes away while its request is open withdraws it (one
    // whose window was destroyed is dropped anyway).
    void withdraw(CalendarRequester* requester);
    bool hasOpenRequest() const { return requester_ != nullptr; }
    const CalendarRequest& request() const { return request_; }

    QWidget* mainWindow() const { return mainWindow_.data(); }
    const CalendarModel& model() const { return model_; }
    MonthFacts monthFacts() const { return model_.facts(); }
    // Today's weekday number for the main window, Saturday 1 .. Friday 7.
    int todayDayNumber() const { return model_.todayDayNumber(); }

    // Visible controls.
    std::vector<QLabel*> dayCells;          // 0..39 day cells
    std::vector<QLabel*> monthButtons;      // 0..11 month buttons
    std::vector<QFrame*> dayMarks;          // 0 hover, 1 today, 2 picked
    QFrame* shownMonthMark = nullptr;       // the shown month's button
    QFrame* hoverMonthMark = nullptr;       // the month button under the pointer
    QLabel* sixthRowFrame = nullptr;        // frame of the sixth row's one cell
    QLabel* instructionNote = nullptr;      // the asking window's instruction
    QLabel* previewWeekday = nullptr;       // weekday of the previewed day
    QLabel* previewHijriDate = nullptr;     // Hijri date text of the previewed day
    QLabel* previewGregorianDate = nullptr; // Gregorian date text of the same day
    QPushButton* okButton = nullptr;        // OK
    QLabel* closePicture = nullptr;         // close

    // Stores kept out of view.
    std::vector<QLabel*> gregorianCells; // 0..39 Gregorian twins of the cells
    QComboBox* monthStore = nullptr;     // months
    QComboBox* yearStore = nullptr;      // years
    QPushButton* todayButton = nullptr;
    QLabel* shownHijriYear = nullptr;        // the shown month's Hijri year
    QLabel* todayHijriDay = nullptr;         // today's Hijri day
    QLabel* todayMonthIndex = nullptr;       // today's month index in monthStore
    QLabel* todayYearIndex = nullptr;        // today's year index in yearStore
    QLabel* monthFirstDay = nullptr;         // the month facts: the 1st's caption,
    QLabel* monthFirstWeekday = nullptr;     // its weekday column (0 Sunday),
    QLabel* monthFirstWeekdayName = nullptr; // that weekday's name
    QLabel* monthLastDay = nullptr;          // and the month's last day

    // Event actions.
    void onDayClicked(int index);
    void onDayHovered(int index);
    void onMonthClicked(int index);
    void onMonthHovered(int index);
    void onTodayClicked();
    void onOkClicked();
    void onCloseClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildSurface();
    void buildStores();
    void placeOverMainWindow();
    void showGrid();
    void showPreview();
    void showFacts();
    void moveMarker(QWidget* marker, int cell);
    void endRequest(bool enableMainWindow);
    CalendarRequester* liveRequester() const;

    QPointer<QWidget> mainWindow_;
    CalendarModel model_;
    CalendarRequest request_;
    CalendarRequester* requester_ = nullptr;
    QPointer<QWidget> requesterWindow_;
    bool requesterHadWindow_ = false;
    QWidget* stores_ = nullptr;
};

// The one loaded calendar, or nullptr before the start-up has loaded it (and
// after the window was closed through the system).
CalendarWindow* calendarWindow();

// The loaded calendar; loads it (opening included) when it is not, or when
// it was loaded for another main window.
CalendarWindow* loadCalendarWindow(QWidget* mainWindow);

} // namespace sijill::dates
