#pragma once

#include "attendance/AbsenceSheet.h"
#include "attendance/AttendanceUpgrade.h"
#include "dates/CalendarRequester.h"
#include "reports/PrintRun.h"
#include "shell/MainForm.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace sijill::attendance {

// The attendance window "غياب وتأخر الطلاب": the date (and with it the month)
// picked through the calendar, a class or every class, and the monthly absence
// follow-up sheet. It opens on its date panel datePanel; closeDatePanelButton uncovers the class
// picker and the sheet button. It stands beside the main window, which stays
// disabled until this window closes.
class AttendanceWindow : public QWidget, public dates::CalendarRequester {
    Q_OBJECT
public:
    // Builds the window and runs its loading (hidden): the upgrade of the
    // attendance tables, its place beside `main`, the class pickers, the date.
    explicit AttendanceWindow(shell::MainForm* main);
    ~AttendanceWindow() override;

    QFrame* optionsPanel = nullptr;
    QComboBox* classPicker = nullptr; // " جميع فصول المدرسة ", then "grade:class"
    QPushButton* sheetButton = nullptr;
    QPushButton* latenessButton = nullptr;
    QCheckBox* oneStudentNoticeCheck = nullptr;
    QFrame* datePanel = nullptr;
    QFrame* dateStrip = nullptr;
    QLabel* chooseDateButton = nullptr;
    QLabel* weekdayLabel = nullptr;
    QLabel* chosenDateLabel = nullptr;
    QLabel* pickClassLabel = nullptr;
    QLabel* closeDatePanelButton = nullptr;
    QComboBox* classItems = nullptr;           // hidden mirror of classPicker
    QListWidget* studentNameList = nullptr;    // hidden: the class's names
    QListWidget* civilNumberList = nullptr;    // hidden: their civil-registry numbers
    QPushButton* openCalendarButton = nullptr; // hidden: opens the calendar
    QPushButton* upgradeButton = nullptr;      // hidden: the upgrade

    void onClassPicked();
    void onClassItemChosen();
    void onOpenCalendarClicked();
    void onCloseDatePanelClicked();
    void onStudentClicked();
    void onOneStudentNoticeClicked();
    void onUpgradeClicked();
    // The monthly absence follow-up sheet of the chosen class (a preview) or
    // of every class (printed after one question).
    void onSheetClicked();

    // The name-list menu's settings for the monthly sheet.
    void prepareForMonthSheet();

    const UpgradeResult& lastUpgrade() const { return upgrade_; }
    // Why the last class load failed; empty when it succeeded.
    const QString& loadError() const { return loadError_; }
    // The classes the last whole-school run printed, and those it could not.
    const reports::PrintRunResult& lastRun() const { return lastRun_; }

    QWidget* requesterWindow() override { return this; }
    void receiveCalendarDate(const dates::CalendarRequest& request,
                             const dates::PickedDate& date) override;
    void calendarRequestEnded(const dates::CalendarRequest& request) override;

protected:
    // The window's unload.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildDatePanel();
    void loadWindow();
    void fillPickers();
    void showTodayUnlessWeekend();
    bool loadClass(int index);
    // The grade and class of an item of classItems, as they were put in.
    std::optional<ClassItemText> classAt(int index) const;
    void runWholeSchool();
    bool buildSheet(QString* error);

    QPointer<shell::MainForm> main_;
    UpgradeResult upgrade_;
    QString loadError_;
    reports::PrintRunResult lastRun_;
    bool running_ = false;
};

// The loaded attendance window, or nullptr.
AttendanceWindow* attendanceWindow();
// The attendance window, loaded (hidden, its loading run) when it is not.
AttendanceWindow* loadAttendanceWindow();

} // namespace sijill::attendance
