#include "attendance/AttendanceWindow.h"
#include "attendance/AbsenceMonth.h"
#include "attendance/AttendanceWiring.h"
#include "attendance/SchoolDays.h"
#include "data/Connection.h"
#include "dates/CalendarTexts.h"
#include "dates/CalendarWindow.h"
#include "dates/Weekdays.h"
#include "platform/AppState.h"
#include "platform/Clock.h"
#include "report/LayoutLibrary.h"
#include "report/PreviewWindow.h"
#include "report/ReportOutput.h"
#include "reports/MainWindowRunHost.h"
#include "reports/PrintRun.h"
#include "reports/ReportsTestSupport.h"
#include "reports/RunProgressStrip.h"
#include "shell/ShellTestSupport.h"
#include "support/EnvScope.h"
#include "support/ExitRecorder.h"
#include "support/PrivateSpooler.h"
#include "support/WidgetText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace sijill::attendance {
namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The sheet's one name, whether the attendance window or the name-list menu
// opened it.
const QString kMonthSheet = QStringLiteral("نموذج متابعة الغياب لشهر");

QStringList listItems(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Sets the program's today before the main window starts.
struct TodayScope {
    explicit TodayScope(QDate day) { platform::Clock::setToday(day); }
    ~TodayScope() { platform::Clock::setToday(std::nullopt); }
};

// The program with a small school, started on a given day, the attendance
// follow-up joined to it.
class Attendance {
public:
    explicit Attendance(QDate day = QDate(2024, 7, 11)) // 5 Muharram 1446, a Thursday
        : today_(day), ready_(prepare(home)), desk(home) {
        installAttendance(desk.form);
    }
    ~Attendance() {
        delete attendanceWindow();
        delete dates::calendarWindow();
        flushDeletes();
        appState().AbsenceMonthMode = false;
        report::layoutLibrary().clear();
    }

    AttendanceWindow* window() {
        AttendanceWindow* w = loadAttendanceWindow();
        w->show();
        return w;
    }
    void chooseClass(AttendanceWindow* w, const QString& item) {
        const int i = w->classPicker->findText(item);
        ASSERT_GE(i, 0) << item.toStdString();
        w->classPicker->setCurrentIndex(i);
        w->onClassPicked();
    }

    test::TestHome home;

private:
    static bool prepare(const test::TestHome& home) {
        report::layoutLibrary().clear();
        test::seedSchool(home); // أول-1 (3), أول-2 (2), ثاني-1 (1)
        test::addClass(home, "أول", "10");
        test::addPupil(home, {"أول", "10", "01", "فيصل ماجد", "0550000401", "1100000401"});
        // A row without a name has nothing to print.
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0, d1, d3, d6, d7) "
                                   "VALUES ('04', NULL, '1100000099', 'أول', '1')");
        return true;
    }

    TodayScope today_;
    bool ready_;

public:
    test::PrintDesk desk;
};

TEST(AttendanceWindow, LoadsBesideTheMainWindowOnItsDatePanelWithTodayAndEveryClass) {
    Attendance app;
    app.desk.pick("أول-2");
    AttendanceWindow* w = app.window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("غياب وتأخر الطلاب"));
    EXPECT_EQ(w->classPicker->itemText(0), QStringLiteral(" جميع فصول المدرسة "));
    EXPECT_EQ(w->classPicker->count(), app.desk.form.classPicker->count() + 1);
    EXPECT_EQ(test::comboItems(w->classItems), test::comboItems(w->classPicker));
    for (int i = 0; i < app.desk.form.classPicker->count(); ++i)
        EXPECT_EQ(w->classPicker->itemText(i + 1), app.desk.form.classPicker->itemText(i).replace(
                                                       QLatin1Char('-'), QLatin1Char(':')));
    EXPECT_EQ(w->classPicker->currentIndex(), 0);
    // The user's class in the main window stays chosen.
    EXPECT_EQ(app.desk.form.classPicker->currentText(), QStringLiteral("أول-2"));

    // Beside the main window, its frame from the main window's top and as
    // tall as it, as far as the screen allows.
    const QRect area = w->screen()->availableGeometry();
    const QRect frame = w->frameGeometry();
    EXPECT_EQ(w->geometry().x(), app.desk.form.geometry().x() + 120);
    EXPECT_EQ(frame.y(), std::max(app.desk.form.geometry().y(), area.y()));
    EXPECT_EQ(w->height(),
              std::min(app.desk.form.height(), area.height() - (frame.height() - w->height())));
    EXPECT_TRUE(area.contains(frame));
    EXPECT_TRUE(w->datePanel->isVisible());
    EXPECT_EQ(w->chosenDateLabel->text(), QStringLiteral("1446/01/05"));
    EXPECT_EQ(w->weekdayLabel->text(), q(dates::weekdayName(4)));
    EXPECT_EQ(w->sheetButton->text(), QStringLiteral("إحصائية بأيام التأخر خلال شهر"));
    EXPECT_FALSE(w->latenessButton->isHidden());
    EXPECT_FALSE(w->oneStudentNoticeCheck->isHidden());
    // The attendance tables were upgraded on loading.
    EXPECT_TRUE(w->lastUpgrade().addedToS2);

    test::leftClick(w->closeDatePanelButton);
    EXPECT_FALSE(w->datePanel->isVisible());
    EXPECT_TRUE(w->classPicker->isVisible());
}

TEST(AttendanceWindow, OnAFridayTheDateWaitsForAPick) {
    Attendance app(QDate(2024, 7, 12));
    AttendanceWindow* w = app.window();
    EXPECT_EQ(w->chosenDateLabel->text(), QStringLiteral("-"));
    EXPECT_EQ(w->weekdayLabel->text(), QStringLiteral("-"));

    // The sheet asks for a date first and opens the calendar for it.
    app.chooseClass(w, "أول:1");
    app.desk.dialogs().answer("موافق");
    w->sheetButton->click();
    ASSERT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(app.desk.dialogs().shown[0].text, QStringLiteral(" فضلا حدد التاريخ "));
    EXPECT_EQ(app.desk.dialogs().shown[0].title, QStringLiteral("تنبيه"));
    EXPECT_TRUE(app.desk.previews().empty());
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->instructionNote->text(), q(dates::kNotePickDay));
    EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(appState().AbsenceMonthMode);

    calendar->onDayClicked(9);
    calendar->okButton->click();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_NE(w->chosenDateLabel->text(), QStringLiteral("-"));
    w->sheetButton->click();
    EXPECT_EQ(app.desk.previews().size(), 1u);
}

TEST(AttendanceWindow, AClassListsItsOwnStudentsInNumberOrder) {
    Attendance app;
    AttendanceWindow* w = app.window();
    app.chooseClass(w, "أول:1");
    EXPECT_EQ(w->classItems->currentIndex(), w->classPicker->currentIndex());
    // Class 1 does not take in class 10, and a row without a name is left out.
    EXPECT_EQ(listItems(w->studentNameList), QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
    EXPECT_EQ(listItems(w->civilNumberList),
              QStringList({"1100000001", "1100000002", "1100000010"}));

    app.chooseClass(w, "أول:10");
    EXPECT_EQ(listItems(w->studentNameList), QStringList({"فيصل ماجد"}));
    // The all-classes item leaves the lists as they were.
    app.chooseClass(w, " جميع فصول المدرسة ");
    EXPECT_EQ(listItems(w->studentNameList), QStringList({"فيصل ماجد"}));

    // A class that lost its students lists none, also right after a full one.
    app.home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d6 = 'ثاني'");
    app.chooseClass(w, "ثاني:1");
    EXPECT_EQ(w->studentNameList->count(), 0);
    EXPECT_EQ(w->civilNumberList->count(), 0);
    EXPECT_TRUE(app.desk.dialogs().shown.empty());

    // A students' database that cannot be read is told, and lists nothing.
    ASSERT_TRUE(QFile::remove(app.home.database("MyDatabase.db")));
    app.desk.dialogs().answer("موافق");
    app.chooseClass(w, "أول:1");
    EXPECT_EQ(w->studentNameList->count(), 0);
    ASSERT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_FALSE(w->loadError().isEmpty());
}

TEST(AttendanceWindow, OneClassGivesOnePreviewWithoutAQuestion) {
    Attendance app;
    AttendanceWindow* w = app.window();
    app.chooseClass(w, "أول:1");
    appState().PrintBatchActive = false;
    w->sheetButton->click();
    EXPECT_TRUE(app.desk.dialogs().shown.empty());
    ASSERT_EQ(app.desk.previews().size(), 1u);
    EXPECT_TRUE(app.desk.jobs().isEmpty());
    EXPECT_EQ(w->classPicker->currentText(), QStringLiteral("أول:1"));
    EXPECT_FALSE(appState().PrintBatchActive);

    const report::LaidOutReport& r = app.desk.previews().front();
    EXPECT_EQ(r.layoutName, QStringLiteral("AbcentLand"));
    // Named as the sheet, not as the window's button.
    EXPECT_EQ(r.title, kMonthSheet);
    EXPECT_EQ(test::controlTexts(r, "Text2"), QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
    EXPECT_EQ(test::controlTexts(r, "Text1"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(test::firstText(r, "Label2"), QStringLiteral("أول( 1 )"));
    EXPECT_EQ(test::firstText(r, "class"), QStringLiteral("محرم ( 1 )"));
    EXPECT_EQ(test::firstText(r, "kl4"), QStringLiteral("مدرسة النور الابتدائية"));
    // Muharram 1446 begins on a Sunday.
    EXPECT_EQ(test::firstText(r, "T1"), QStringLiteral("1/1"));
    EXPECT_EQ(test::firstText(r, "D1"), QStringLiteral("أحد"));
}

TEST(AttendanceWindow, EveryClassIsPrintedAfterOneOk) {
    Attendance app;
    // A name too long for its cell: the run's notice names the sheet by its title.
    test::addPupil(app.home, {"أول", "10", "02",
                              "عبدالرحمن عبدالعزيز عبدالمحسن عبدالكريم آل عبدالوهاب القحطاني "
                              "الدوسري الشمري العتيبي المطيري",
                              "0550000402", "1100000402"});
    QStringList notices;
    const auto previous =
        report::setShortenedTextsNotice([&](const QString& notice) { notices << notice; });
    AttendanceWindow* w = app.window();
    app.desk.dialogs().answer("موافق");
    w->sheetButton->click();
    report::setShortenedTextsNotice(previous);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(kMonthSheet)) << notices[0].toStdString();
    EXPECT_FALSE(notices[0].contains("AbcentLand")) << notices[0].toStdString();
    ASSERT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(app.desk.dialogs().shown[0].text, QStringLiteral("ستتم الطباعة لجميع فصول المدرسة"));
    EXPECT_EQ(app.desk.dialogs().shown[0].mode, 2);
    EXPECT_EQ(app.desk.jobs().size(), app.desk.form.classPicker->count());
    EXPECT_TRUE(app.desk.previews().empty());
    EXPECT_EQ(w->classPicker->currentIndex(), 0);
    EXPECT_FALSE(appState().PrintBatchActive);
    // The last class printed is the one the lists hold now.
    EXPECT_EQ(listItems(w->studentNameList), QStringList({"عمر حسن"}));
}

// While every class prints, the window repaints and answers between classes
// and shows which class prints now; its close, its class picker and its
// buttons take nothing from the user, so the program goes on and the run
// prints what it was asked to.
TEST(AttendanceWindow, ClosingOrClickingDuringTheRunChangesNothingItPrints) {
    Attendance app;
    test::ExitRecorder exits;
    AttendanceWindow* w = app.window();
    const QPointer<AttendanceWindow> alive(w);
    test::leftClick(w->closeDatePanelButton);
    QStringList classes, progress;
    for (int k = 1; k < w->classPicker->count(); ++k)
        classes << w->classPicker->itemText(k);
    bool inputTaken = false;
    // The user, on every pass of the window's events during the run.
    QTimer user;
    user.setInterval(0);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (auto* strip = w->findChild<reports::RunProgressStrip*>())
            if (strip->isVisibleTo(w) && !progress.contains(strip->text()))
                progress << strip->text();
        inputTaken = inputTaken || w->classPicker->isEnabled() || w->sheetButton->isEnabled() ||
                     w->latenessButton->isEnabled();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QCoreApplication::sendEvent(w->classPicker, &down);
        test::leftClick(w->sheetButton);
        w->close();
    });
    app.desk.dialogs().answer("موافق");
    user.start();
    w->sheetButton->click();
    user.stop();

    ASSERT_FALSE(alive.isNull());
    flushDeletes();
    ASSERT_FALSE(alive.isNull());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(exits.code.has_value());
    EXPECT_FALSE(inputTaken);
    QStringList expected;
    for (int k = 0; k < classes.size(); ++k)
        expected << reports::runProgressText(k + 1, int(classes.size()), classes[k], kMonthSheet);
    EXPECT_EQ(progress, expected);
    // One question, and every class printed once, in the picker's order.
    EXPECT_EQ(app.desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(w->lastRun().printed, classes);
    EXPECT_TRUE(w->lastRun().failed.isEmpty());
    EXPECT_EQ(app.desk.jobs().size(), classes.size());
    // The window is as before the run: its controls answer, no strip shows.
    EXPECT_EQ(w->classPicker->currentIndex(), 0);
    EXPECT_TRUE(w->classPicker->isEnabled());
    EXPECT_TRUE(w->sheetButton->isEnabled());
    EXPECT_EQ(w->findChild<reports::RunProgressStrip*>(), nullptr);
    w->close();
    flushDeletes();
    EXPECT_TRUE(alive.isNull());
}

// A class whose sheet does not print is not counted as printed: the run goes
// on, and tells once, at its end, why and which classes, the reason first.
TEST(AttendanceWindow, AClassThatDoesNotPrintIsToldAndNotCountedAsPrinted) {
    {
        // The students cannot be read.
        Attendance app;
        AttendanceWindow* w = app.window();
        ASSERT_TRUE(QFile::remove(app.home.database("MyDatabase.db")));
        app.desk.dialogs().answer("موافق");
        app.desk.dialogs().answer("موافق");
        w->sheetButton->click();
        EXPECT_TRUE(w->lastRun().printed.isEmpty());
        EXPECT_EQ(w->lastRun().failed.size(), w->classPicker->count() - 1);
        EXPECT_TRUE(app.desk.jobs().isEmpty());
        ASSERT_EQ(app.desk.dialogs().shown.size(), 2u);
        const QString told = app.desk.dialogs().shown[1].text;
        EXPECT_GE(told.indexOf("MyDatabase.db"), 0) << told.toStdString();
        EXPECT_LT(told.indexOf("MyDatabase.db"), told.indexOf("أول:1")) << told.toStdString();
    }
    test::PrivateSpooler spooler;
    if (!spooler.running())
        GTEST_SKIP() << "no private cupsd: " << spooler.why().toStdString();
    ASSERT_TRUE(test::addRejectingDefault(spooler, "Office"));
    Attendance app;
    test::DocumentsUser user;
    AttendanceWindow* w = app.window();
    app.desk.dialogs().answer("موافق");
    app.desk.dialogs().answer("موافق");
    w->sheetButton->click();
    QStringList classes;
    for (int k = 1; k < w->classPicker->count(); ++k)
        classes << w->classPicker->itemText(k);
    EXPECT_TRUE(w->lastRun().printed.isEmpty());
    EXPECT_EQ(w->lastRun().failed, classes);
    const QString folder = user.filePath("Documents/Sijill");
    EXPECT_EQ(QDir(folder).entryList({"*.pdf"}, QDir::Files).size(), classes.size());
    ASSERT_EQ(app.desk.dialogs().shown.size(), 2u);
    const QString told = app.desk.dialogs().shown[1].text;
    EXPECT_TRUE(told.contains("Office")) << told.toStdString();
    EXPECT_LT(told.indexOf(folder), told.indexOf(classes.front())) << told.toStdString();
    for (const QString& c : classes)
        EXPECT_TRUE(told.contains(c)) << c.toStdString();
    EXPECT_TRUE(spooler.jobFiles(0).isEmpty());
}

TEST(AttendanceWindow, CancelOrAClosedQuestionPrintsNothing) {
    Attendance app;
    AttendanceWindow* w = app.window();
    for (const QString& answer : {QStringLiteral("إلغاء"), test::ScriptedDialogs::kClose}) {
        app.desk.dialogs().answer(answer);
        w->sheetButton->click();
        EXPECT_TRUE(app.desk.jobs().isEmpty());
        EXPECT_TRUE(app.desk.previews().empty());
        EXPECT_EQ(w->classPicker->currentIndex(), 0);
        EXPECT_FALSE(appState().PrintBatchActive);
    }
    EXPECT_EQ(app.desk.dialogs().shown.size(), 2u);
}

TEST(AttendanceWindow, AWindowWithoutClassesDoesNothing) {
    Attendance app;
    app.home.exec("Schedual.db", "DELETE FROM grades");
    app.desk.form.reloadClassList();
    AttendanceWindow* w = app.window();
    ASSERT_EQ(w->classPicker->count(), 1);
    w->sheetButton->click();
    EXPECT_TRUE(app.desk.dialogs().shown.empty());
    EXPECT_TRUE(app.desk.previews().empty());
    EXPECT_TRUE(app.desk.jobs().isEmpty());
}

TEST(AbsenceItem, OpensTheCalendarAndItsOkShowsTheWindowWithThePickedDate) {
    Attendance app;
    app.desk.click(15);
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->instructionNote->text(), QStringLiteral("حدد الشهر وأي يوم ثم اضغط تم"));
    EXPECT_FALSE(app.desk.form.isEnabled());
    EXPECT_TRUE(appState().AbsenceMonthMode);
    AttendanceWindow* w = attendanceWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->sheetButton->text(), QStringLiteral("نموذج متابعة الغياب لشهر"));
    EXPECT_TRUE(w->latenessButton->isHidden());
    EXPECT_TRUE(w->oneStudentNoticeCheck->isHidden());

    // Ramadan 1446, day 10.
    calendar->onMonthClicked(8);
    const std::optional<AbsenceMonth> ramadan = absenceMonthOf("1446/09/01");
    ASSERT_TRUE(ramadan);
    calendar->onDayClicked(ramadan->firstWeekday + 9);
    calendar->okButton->click();
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->chosenDateLabel->text(), QStringLiteral("1446/09/10"));
    EXPECT_EQ(w->weekdayLabel->text(), q(dates::weekdayName((ramadan->firstWeekday + 9) % 7)));
    EXPECT_FALSE(app.desk.form.isEnabled());
    // The request has ended with the OK.
    EXPECT_FALSE(appState().AbsenceMonthMode);

    // The sheet is of the picked month.
    test::leftClick(w->closeDatePanelButton);
    app.chooseClass(w, "أول:2");
    w->sheetButton->click();
    ASSERT_EQ(app.desk.previews().size(), 1u);
    EXPECT_EQ(app.desk.previews().front().title, kMonthSheet);
    EXPECT_EQ(test::firstText(app.desk.previews().front(), "class"), QStringLiteral("رمضان ( 9 )"));
    EXPECT_EQ(test::firstText(app.desk.previews().front(), "T1"),
              QString("9/%1").arg(schoolDays(ramadan->firstWeekday, ramadan->length).front().day));

    // Closing the window gives the main window back.
    w->close();
    flushDeletes();
    EXPECT_EQ(attendanceWindow(), nullptr);
    EXPECT_TRUE(app.desk.form.isEnabled());
    EXPECT_TRUE(app.desk.form.isVisible());
    EXPECT_FALSE(appState().AbsenceMonthMode);
}

TEST(AbsenceItem, ClosingTheCalendarClearsTheFlagAndGivesTheMainWindowBack) {
    Attendance app;
    app.desk.click(15);
    dates::CalendarWindow* calendar = dates::calendarWindow();
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(appState().AbsenceMonthMode);
    calendar->onCloseClicked();
    flushDeletes();
    EXPECT_FALSE(appState().AbsenceMonthMode);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(app.desk.form.isEnabled());
    // The window was never shown and is not kept.
    EXPECT_EQ(attendanceWindow(), nullptr);

    // A later pick for another window never lands in the attendance window.
    app.desk.click(15);
    ASSERT_NE(attendanceWindow(), nullptr);
    EXPECT_TRUE(calendar->hasOpenRequest());
}

TEST(AttendanceWindow, UnloadClearsTheFlagAndEnablesTheMainWindow) {
    Attendance app;
    app.desk.form.setEnabled(false);
    AttendanceWindow* w = app.window();
    test::leftClick(w->chosenDateLabel);
    EXPECT_TRUE(appState().AbsenceMonthMode);
    EXPECT_FALSE(w->isEnabled());
    dates::calendarWindow()->onCloseClicked();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->isVisible());
    appState().AbsenceMonthMode = true;
    w->close();
    flushDeletes();
    EXPECT_FALSE(appState().AbsenceMonthMode);
    EXPECT_TRUE(app.desk.form.isEnabled());
}

// A user of the test's own spooler: pages that do not print are kept under
// their own Documents folder, and no print folder turns jobs into files.
struct SpoolerUser {
    QTemporaryDir user;
    test::EnvScope noFolder{"SIJILL_PRINT_TO", QByteArray()};
    test::EnvScope homeEnv{"HOME", user.path().toUtf8()};
    test::EnvScope docs{"XDG_DOCUMENTS_DIR", user.filePath("Documents").toUtf8()};
    test::EnvScope noChoice{"PRINTER", QByteArray()};
    test::EnvScope noDest{"LPDEST", QByteArray()};
    QString folder() const { return user.filePath("Documents/Sijill"); }
    QStringList kept() const { return QDir(folder()).entryList({"*.pdf"}, QDir::Files); }
};

// Runs the window events until `done`, for at most a few seconds.
bool eventsUntil(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return done();
}

QStringList itemsFrom(const QComboBox* picker, int first) {
    QStringList out;
    for (int i = first; i < picker->count(); ++i)
        out << picker->itemText(i);
    return out;
}

// A whole-school run of the name-list menu from أول-1, both questions answered OK.
void printWholeSchool(test::PrintDesk& desk) {
    desk.pick("أول-1");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(test::kOk);
    desk.dialogs().answer(test::kOk);
    desk.click(14);
}

// A job the printer takes and then drops, from one sheet, a whole-school run,
// a preview's print or the absence run: told with its class and how it ended
// (in the run's closing message, or in one late notice once its end is known),
// its pages kept as PDF files, and not counted as printed. A job that
// completes leaves no file and nothing to tell.
TEST(PrintJobs, AJobThePrinterDropsIsToldAndKeptWhereverItWasSentFrom) {
    enum class From { OneSheet, WholeSchool, PreviewsPrint, AbsenceRun };
    using Backend = test::PrivateSpooler::Backend;
    const QString cancelled = QStringLiteral("ألغى نظام الطباعة");
    const QString aborted = QStringLiteral("أوقف نظام الطباعة");
    const QString held = QStringLiteral("احتجز نظام الطباعة");
    const QString inQueue = QStringLiteral("من قائمة انتظار الطابعة");
    struct Case {
        From from;
        Backend backend;
        QString policy;
        QString told; // empty: the jobs print
    };
    const Case cases[] = {
        {From::OneSheet, Backend::Cancels, {}, cancelled},
        {From::OneSheet, Backend::Fails, "abort-job", aborted},
        {From::OneSheet, Backend::Fails, "retry-job", held},
        {From::OneSheet, Backend::Slow, {}, inQueue}, // the user cancels it
        {From::WholeSchool, Backend::Cancels, {}, cancelled},
        {From::WholeSchool, Backend::Fails, "abort-job", aborted},
        {From::WholeSchool, Backend::Fails, {}, held},
        {From::WholeSchool, Backend::Keeps, {}, {}},
        {From::PreviewsPrint, Backend::Cancels, {}, cancelled},
        {From::PreviewsPrint, Backend::Fails, "abort-job", aborted},
        {From::PreviewsPrint, Backend::Fails, {}, held},
        {From::AbsenceRun, Backend::Cancels, {}, cancelled},
        {From::AbsenceRun, Backend::Fails, "abort-job", aborted},
        {From::AbsenceRun, Backend::Fails, {}, held},
        {From::AbsenceRun, Backend::Keeps, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.from) << " " << int(c.backend) << " " << c.policy.toStdString());
        test::PrivateSpooler spooler;
        if (!spooler.running())
            GTEST_SKIP() << "no private cupsd: " << spooler.why().toStdString();
        ASSERT_TRUE(spooler.addPrinter("Office", c.backend, c.policy));
        ASSERT_TRUE(spooler.setDefault("Office"));
        Attendance app;
        SpoolerUser user;
        QStringList late;
        const auto previous =
            report::setLateJobsNotice([&](const QStringList& names, const QStringList& reasons) {
                late << reports::lateJobsMessage(names, reasons);
            });
        QStringList classes{QStringLiteral("أول-1")};
        if (c.from == From::OneSheet || c.from == From::PreviewsPrint) {
            // One class's sheet, filled as its preview shows it.
            AttendanceWindow* w = app.window();
            app.chooseClass(w, "أول:1");
            w->sheetButton->click();
            ASSERT_EQ(app.desk.previews().size(), 1u);
        }
        switch (c.from) {
        case From::OneSheet:
            EXPECT_EQ(report::printReport(report::layout(kAbsenceLayout), "نموذج", classes[0])
                          .destination,
                      report::PrintOutcome::Destination::Printer);
            break;
        case From::WholeSchool:
            classes = itemsFrom(app.desk.form.classPicker, 0);
            printWholeSchool(app.desk);
            break;
        case From::PreviewsPrint: {
            app.desk.dialogs().custom = [](QDialog& d) {
                auto* dialog = qobject_cast<QPrintDialog*>(&d);
                if (!dialog)
                    return false;
                dialog->printer()->setPrinterName("Office");
                dialog->printer()->setOutputFileName(QString());
                d.accept();
                return true;
            };
            report::LaidOutReport opened = app.desk.previews().front();
            opened.title = QStringLiteral("نموذج");
            opened.className = classes[0];
            report::PreviewWindow preview(std::move(opened));
            preview.printButton->click();
            break;
        }
        case From::AbsenceRun: {
            AttendanceWindow* w = app.window();
            classes = itemsFrom(w->classPicker, 1);
            app.desk.dialogs().answer(test::kOk);
            w->sheetButton->click();
            break;
        }
        }
        if (c.backend == Backend::Slow) {
            EXPECT_TRUE(spooler.client("cancel", {"-a", "Office"}));
        }
        const int sent = int(spooler.jobTitles().size());
        EXPECT_EQ(sent, classes.size());
        QStringList told;
        const auto allTold = [&] {
            told = late;
            for (const auto& shown : app.desk.dialogs().shown)
                told << shown.text;
            const QString all = told.join('\n');
            return std::all_of(classes.begin(), classes.end(),
                               [&](const QString& name) { return all.contains(name); }) &&
                   user.kept().size() >= sent;
        };
        if (c.told.isEmpty()) {
            // Every job printed, and the follower learnt so.
            EXPECT_EQ(spooler.jobFiles(sent).size(), sent);
            eventsUntil([] { return false; }, 1500);
            EXPECT_TRUE(user.kept().isEmpty());
            EXPECT_TRUE(late.isEmpty());
        } else {
            EXPECT_TRUE(eventsUntil(allTold)) << told.join('\n').toStdString();
            const QString all = told.join('\n');
            EXPECT_TRUE(all.contains(c.told)) << all.toStdString();
            EXPECT_TRUE(all.contains("Office")) << all.toStdString();
            EXPECT_TRUE(all.contains(user.folder())) << all.toStdString();
            EXPECT_EQ(user.kept().size(), sent);
            if (c.from == From::WholeSchool) {
                EXPECT_TRUE(app.desk.menu->lastRun().printed.isEmpty());
            }
        }
        // Told once: no class is named twice.
        const QString all = told.join('\n');
        for (const QString& name : classes)
            EXPECT_LE(all.count(name + '\r') + all.count(name + '\n'), 1) << name.toStdString();
        report::setLateJobsNotice(previous);
    }
}

// The spooler stops answering in the middle of a run: the request under way
// gives up within its time limit, the later classes are kept without asking
// the spooler again and the user is told so, and the window keeps painting.
TEST(PrintJobs, ASpoolerFrozenInARunHoldsTheWindowNoLongerThanARequest) {
    test::PrivateSpooler spooler;
    if (!spooler.running())
        GTEST_SKIP() << "no private cupsd: " << spooler.why().toStdString();
    ASSERT_TRUE(spooler.addPrinter("Office"));
    ASSERT_TRUE(spooler.setDefault("Office"));
    Attendance app;
    SpoolerUser user;
    // Stopped as the run's progress turns to its second class.
    QTimer watchProgress;
    watchProgress.setInterval(0);
    QObject::connect(&watchProgress, &QTimer::timeout, [&] {
        const auto* strip = app.desk.form.findChild<reports::RunProgressStrip*>();
        if (strip && strip->text().contains(QStringLiteral("الفصل 2 من"))) {
            watchProgress.stop();
            spooler.freeze();
        }
    });
    watchProgress.start();
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticks;
    ticks.setInterval(20);
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    ticks.start();
    printWholeSchool(app.desk);
    ticks.stop();
    longest = std::max(longest, sinceTick.elapsed());
    EXPECT_LT(longest, 8000);
    const int classes = app.desk.form.classPicker->count();
    const reports::PrintRunResult& run = app.desk.menu->lastRun();
    const QString second = app.desk.form.classPicker->itemText(1);
    EXPECT_FALSE(run.printed.contains(second));
    EXPECT_TRUE(run.failed.contains(second)) << run.failed.join(' ').toStdString();
    EXPECT_EQ(user.kept().size(), classes - 1);
    QStringList told;
    for (const auto& shown : app.desk.dialogs().shown)
        told << shown.text;
    // The classes after the one that met the silence went to the folder at once.
    EXPECT_TRUE(
        told.contains(reports::noPrinterMessage(QDir(user.folder()).filePath(user.kept().value(1)),
                                                report::PrintOutcome::Fallback::NoAnswer)))
        << told.join('\n').toStdString();
}

} // namespace
} // namespace sijill::attendance
