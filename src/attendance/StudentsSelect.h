#pragma once

#include "attendance/AbsenceSheet.h"
#include "attendance/AttendanceUpgrade.h"
#include "dates/CalendarRequester.h"
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
// follow-up sheet. It opens on its date panel PicNew; ImNew uncovers the class
// picker and the sheet button. It stands beside the main window, which stays
// disabled until this window closes.
class StudentsSelect : public QWidget, public dates::CalendarRequester {
    Q_OBJECT
public:
    // Builds the window and runs its loading (hidden): the upgrade of the
    // attendance tables, its place beside `main`, the class pickers, the date.
    explicit StudentsSelect(shell::MainForm* main);
    ~StudentsSelect() override;

    QFrame* Picture5 = nullptr;
    QComboBox* Combo1 = nullptr; // " جميع فصول المدرسة ", then "grade:class"
    QPushButton* Command10 = nullptr;
    QPushButton* Command3 = nullptr;
    QCheckBox* Check3 = nullptr;
    QFrame* PicNew = nullptr;
    QFrame* Picture3 = nullptr;
    QLabel* ChooseDate = nullptr;
    QLabel* DayName = nullptr;
    QLabel* Today = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* ImNew = nullptr;
    QComboBox* Combo4 = nullptr;              // hidden mirror of Combo1
    QListWidget* SelectList = nullptr;        // hidden: the class's names
    QListWidget* List1 = nullptr;             // hidden: their civil-registry numbers
    QPushButton* Command9 = nullptr;          // hidden: opens the calendar
    QPushButton* cmdAddIdToEmploee = nullptr; // hidden: the upgrade

    void Combo1_Click();
    void Combo4_Click();
    void Command9_Click();
    void ImNew_Click();
    void SelectList_Click();
    void Check3_Click();
    void cmdAddIdToEmploee_Click();
    // The monthly absence follow-up sheet of the chosen class (a preview) or
    // of every class (printed after one question).
    void Command10_Click();

    // The name-list menu's settings for the monthly sheet.
    void prepareForMonthSheet();

    const UpgradeResult& lastUpgrade() const { return upgrade_; }
    // Why the last class load failed; empty when it succeeded.
    const QString& loadError() const { return loadError_; }

    QWidget* requesterWindow() override { return this; }
    void receiveCalendarDate(const dates::CalendarRequest& request,
                             const dates::PickedDate& date) override;
    void calendarRequestEnded(const dates::CalendarRequest& request) override;

protected:
    // StudentsSelect_Form_Unload.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildDatePanel();
    void Form_Load();
    void fillPickers();
    void showTodayUnlessWeekend();
    bool loadClass(int index);
    // The grade and class of an item of Combo4, as they were put in.
    std::optional<ClassItemText> classAt(int index) const;
    void runWholeSchool();
    bool buildSheet(QString* error);

    QPointer<shell::MainForm> main_;
    UpgradeResult upgrade_;
    QString loadError_;
    bool running_ = false;
};

// The loaded attendance window, or nullptr.
StudentsSelect* studentsSelect();
// The attendance window, loaded (hidden, its loading run) when it is not.
StudentsSelect* loadStudentsSelect();

} // namespace sijill::attendance
