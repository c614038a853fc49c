// The program's windows under a real window manager: a child window keeps the
// main window inert and stays above it, and every window's frame lies inside
// the screen.
#include "app/StartUp.h"
#include "attendance/AttendanceWindow.h"
#include "committees/CommitteeWindow.h"
#include "dates/CalendarRequest.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutesPrints.h"
#include "exams/SingleStudentChooser.h"
#include "labels/CustomLabelsWindow.h"
#include "platform/Presenters.h"
#include "report/PreviewWindow.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfile.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "students/ClassMaintenanceWindow.h"
#include "students/StudentsImportWindow.h"
#include "support/ExitRecorder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowsOnScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

using namespace sijill;

namespace {

bool waitUntil(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

void settle(int ms = 400) {
    waitUntil([] { return false; }, ms);
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << ": "
                      << p.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool framed(QWidget* w) {
    return !(w->windowFlags() & Qt::FramelessWindowHint);
}

// The frame as the window manager reports it (QWidget::frameGeometry()
// follows it only after a move).
QRect frameOf(QWidget* w) {
    return w->geometry().marginsAdded(w->windowHandle() ? w->windowHandle()->frameMargins()
                                                        : QMargins());
}

// On view, and framed by the window manager where it has a frame.
void waitForWindow(QWidget* w) {
    ASSERT_TRUE(waitUntil([w] {
        return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed() &&
               (!framed(w) || frameOf(w) != w->geometry());
    })) << w->metaObject()->className()
        << " never came on view with its frame: visible " << w->isVisible() << " exposed "
        << (w->windowHandle() && w->windowHandle()->isExposed()) << " client "
        << w->geometry().width() << "x" << w->geometry().height() << "+" << w->geometry().x() << "+"
        << w->geometry().y() << " frame " << frameOf(w).width() << "x" << frameOf(w).height();
    settle(300);
}

// The windows of the program from bottom to top, as the window manager
// stacks them.
QList<WId> stacking() {
    const QString said =
        run(QStringLiteral("xprop"),
            {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const QRegularExpressionMatch& m : hex.globalMatch(said))
        ids << m.captured().toULongLong(nullptr, 16);
    return ids;
}

// The window's X window as it is now: changing a window's flags can give it
// a new one, which QWidget::winId() does not follow.
WId xWindow(QWidget* w) {
    return w->windowHandle() ? w->windowHandle()->winId() : 0;
}

bool isAbove(QWidget* upper, QWidget* lower) {
    const QList<WId> order = stacking();
    const qsizetype u = order.indexOf(xWindow(upper));
    const qsizetype l = order.indexOf(xWindow(lower));
    return u >= 0 && l >= 0 && u > l;
}

// A real pointer click at a point of the screen.
void clickAt(const QPoint& global) {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
         QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
    settle(300);
}

// Real keys, as the keyboard gives them to the window that has the focus.
void pressKeys(const QStringList& keys) {
    run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys);
}

// The window manager's close (Alt+F4) of a window, as the user gives it: the
// window made active first, then the keys.
void closeByWindowManager(QWidget* w) {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(xWindow(w))});
    pressKeys({QStringLiteral("alt+F4")});
}

// Shows the program's box as the program does, modal, and answers it with a
// real key once it stands on view above `over`.
std::function<bool(QDialog&)> answerWithKey(const QString& key, QWidget* over) {
    return [key, over](QDialog& box) {
        QTimer::singleShot(0, &box, [&box, key, over] {
            if (!waitUntil(
                    [&box] { return box.windowHandle() && box.windowHandle()->isExposed(); }))
                ADD_FAILURE() << "the box never came on view";
            settle(300);
            EXPECT_TRUE(isAbove(&box, over)) << "the box stands under the window that asks";
            pressKeys({key});
            if (!waitUntil([&box] { return !box.isVisible(); }, 2000)) {
                ADD_FAILURE() << "the box stayed open after " << key.toStdString();
                box.reject();
            }
        });
        box.exec();
        return true;
    };
}

// Every window on view has its whole frame, as the window manager drew it,
// inside the screen's available area.
void expectAllOnScreen(const char* stage) {
    settle(200);
    test::expectWindowsInside(stage, frameOf);
}

// Shows the program's message box and Qt's message box without waiting for an
// answer, checks them on the screen and closes them.
class ShowingPresenter : public platform::DialogPresenter {
public:
    void present(QDialog& dialog) override {
        dialog.show();
        waitForWindow(&dialog);
        expectAllOnScreen("message box");
        dialog.reject();
    }
};

// A school with classes in three grades and a student in each class.
class Desktop : public ::testing::Test {
protected:
    void SetUp() override {
        test::finishProfile(home);
        home.exec("Schedual.db",
                  "INSERT INTO grades (kind,grade,class,order_it) VALUES "
                  "('ابتدائي','أول','1',1), ('ابتدائي','ثالث','1',3), ('ابتدائي','سادس','2',6)");
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
                                   "('1','احمد','0','11','1','ابتدائي','أول','1','0'),"
                                   "('1','بدر','0','12','1','ابتدائي','ثالث','1','0'),"
                                   "('1','جابر','0','13','1','ابتدائي','سادس','2','0')");
        ASSERT_TRUE(app::startProgram(main));
        main.show();
        waitForWindow(&main);
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible())
                w->hide();
    }

    test::TestHome home;
    test::ScriptedScope scope;
    test::ExitRecorder exit;
    shell::MainForm main;
};

TEST_F(Desktop, TheScreenIsTheOneAsked) {
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
              qEnvironmentVariable("SIJILL_DESKTOP_SIZE"));
}

QPoint centreOf(QWidget* w) {
    return w->mapToGlobal(w->rect().center());
}

// Clicks every point of the main window that no other window covers.
int clickUncovered(shell::MainForm& main, const std::vector<QPoint>& points) {
    int clicked = 0;
    for (const QPoint& p : points) {
        bool covered = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible() && frameOf(w).contains(p))
                covered = true;
        if (covered || !test::availableArea().contains(p))
            continue;
        clickAt(p);
        ++clicked;
    }
    return clicked;
}

// The parts of the main window a click may reach: its background, the bar,
// the open drop-down's items, its minimise picture.
std::vector<QPoint> mainWindowParts(shell::MainForm& main) {
    std::vector<QPoint> points;
    const std::vector<QWidget*> targets{main.barItems[0], main.barItems[2], main.menuItems[1],
                                        main.menuItems[9], main.minimiseIcon};
    for (QWidget* t : targets)
        if (t && t->isVisible())
            points.push_back(centreOf(t));
    points.push_back(main.mapToGlobal(QPoint(main.width() - 30, main.height() - 30)));
    points.push_back(main.mapToGlobal(QPoint(30, main.height() - 30)));
    return points;
}

// A child window, or two standing open together (`window` above `opener`).
// They are closed as the user closes them: the first of two by the window
// manager (Alt+F4), and the last by Escape, which has to reach it after clicks
// on the main window. Typed edits in a box ask before the last one closes.
TEST_F(Desktop, TheMainWindowAnswersNothingUnderAChildWindow) {
    struct Child {
        const char* name;
        std::function<void()> open;
        std::function<QWidget*()> window;
        std::function<QWidget*()> opener;
        bool openerClosesFirst = false;
        std::function<QLineEdit*()> typedInto = {};
        // Return and space reach the child that has the focus, and there they
        // are its own answer (the calendar takes the day on view).
        bool keysAnswerIt = false;
    };
    const auto mainWindow = [this]() -> QWidget* { return &main; };
    const auto exam = []() -> QWidget* { return exams::examControlWindow(); };
    const auto profile = []() -> QWidget* { return shell::loadedSchoolProfileWindow(); };
    // An unfinished profile, read again, is shown over the disabled main
    // window; the school finishes it again once the window has read it.
    const auto openUnfinishedProfile = [this](const std::function<void()>& open) {
        shell::unloadSchoolProfileWindow();
        home.exec("Schedual.db", QStringLiteral("UPDATE MyInfo SET Admin = '%1' WHERE id = 1")
                                     .arg(shell::unsetAdministration()));
        open();
        test::finishProfile(home);
    };
    const std::vector<Child> children{
        {"class lists", [this] { main.chooseMenuItem(shell::MainMenuItem::EditStudents); },
         [] { return students::loadedClassMaintenance(); }, mainWindow},
        {"exam control", [this] { main.chooseMenuItem(shell::MainMenuItem::ExamControl); }, exam,
         mainWindow},
        {"single student",
         [this] {
             main.chooseMenuItem(shell::MainMenuItem::ExamControl);
             exams::openStudentChooser(*exams::examControlWindow());
         },
         [] { return exams::singleStudentChooser(); }, exam},
        {"custom labels",
         [this] {
             main.chooseMenuItem(shell::MainMenuItem::ExamControlLabels);
             labels::openCustomLabels(exams::examControlWindow());
         },
         [] { return labels::customLabelsWindow(); }, exam},
        {"exam calendar",
         [this] {
             main.chooseMenuItem(shell::MainMenuItem::ExamControl);
             dates::calendarWindow()->openFor(dates::CalendarRequest::examDayDate(0),
                                              exams::examControlWindow());
         },
         [] { return dates::calendarWindow(); },
         exam,
         false,
         {},
         true},
        {"exam labels", [this] { main.chooseMenuItem(shell::MainMenuItem::ExamControlLabels); },
         exam, mainWindow},
        {"committees", [this] { main.chooseMenuItem(shell::MainMenuItem::Committees); },
         [] { return committees::committeeWindow(); }, mainWindow},
        {"attendance", [this] { main.chooseMenuItem(shell::MainMenuItem::Attendance); },
         [] { return attendance::attendanceWindow(); }, mainWindow},
        {"import chooser", [this] { main.chooseMenuItem(shell::MainMenuItem::ImportStudents); },
         [] { return shell::fileChooser(); }, mainWindow},
        {"import and the profile it reloads",
         [this, openUnfinishedProfile] {
             openUnfinishedProfile([this] {
                 main.chooseMenuItem(shell::MainMenuItem::ImportStudents);
                 shell::fileChooser()->chooseFile(home.path() + QStringLiteral("/students.xls"));
             });
         },
         profile,
         [] { return students::loadedStudentsImportWindow(); },
         true,
         {},
         true},
        {"school profile with typed edits",
         [openUnfinishedProfile] { openUnfinishedProfile([] { shell::schoolProfileWindow(); }); },
         profile, mainWindow, false, [] { return shell::loadedSchoolProfileWindow()->schoolBox; }},
    };
    const QString typed = QStringLiteral("نص مكتوب");
    int clicksUnderTheLast = 0;
    for (const Child& c : children) {
        SCOPED_TRACE(c.name);
        // The user opened the window from a drop-down, which stays open.
        main.onBarItemHovered(1);
        c.open();
        QPointer<QWidget> child = c.window();
        QPointer<QWidget> opener = c.opener();
        ASSERT_NE(child, nullptr);
        ASSERT_NE(opener, nullptr);
        waitForWindow(child);
        ASSERT_FALSE(main.isEnabled());
        if (c.typedInto)
            c.typedInto()->setText(typed);
        const auto& shown = scope.dialogs().shown;
        const size_t boxes = shown.size();
        const auto expectMainAnswersNothing = [&](QWidget* top, QWidget* under,
                                                  const std::vector<QPoint>& points, bool keys) {
            const int clicked = clickUncovered(main, points);
            if (!keys)
                clicksUnderTheLast += clicked;
            // Keys sent to the main window. Escape is left out: Qt hands keys
            // to the window that has the focus, the child, which Escape closes.
            if (keys && !c.keysAnswerIt) {
                run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--window"),
                                                QString::number(xWindow(&main)),
                                                QStringLiteral("Return"), QStringLiteral("space")});
                settle();
            }

            EXPECT_TRUE(isAbove(top, &main)) << clicked << " clicks on the main window";
            EXPECT_TRUE(isAbove(top, under));
            EXPECT_FALSE(main.printPanel->isVisible());
            EXPECT_FALSE(shell::loadedSchoolProfileWindow() &&
                         shell::loadedSchoolProfileWindow()->isVisible() &&
                         top != shell::loadedSchoolProfileWindow());
            if (top != shell::loadedFileChooser()) {
                EXPECT_FALSE(shell::loadedFileChooser() && shell::loadedFileChooser()->isVisible());
            }
            EXPECT_FALSE(main.windowState() & Qt::WindowMinimized);
            EXPECT_EQ(shown.size(), boxes);
            EXPECT_FALSE(exit.code.has_value());
            EXPECT_FALSE(main.isEnabled());
            // The space reached the child that has the focus and may have
            // dropped down one of its lists, which holds the keyboard: the
            // user closes it first.
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        };
        expectMainAnswersNothing(child, opener, mainWindowParts(main), true);

        QPointer<QWidget> last = child;
        if (opener != &main) {
            QPointer<QWidget> first = c.openerClosesFirst ? opener : child;
            last = c.openerClosesFirst ? child : opener;
            closeByWindowManager(first);
            ASSERT_TRUE(waitUntil([first] { return !first || !first->isVisible(); }));
            ASSERT_TRUE(last && last->isVisible());
            expectMainAnswersNothing(last, &main, {centreOf(main.barItems[2])}, false);
        }
        if (c.typedInto) {
            // Escape asks; Enter on the question stays, with the edits.
            scope.dialogs().custom = answerWithKey(QStringLiteral("Return"), last);
            pressKeys({QStringLiteral("Escape")});
            waitUntil([&] { return shown.size() > boxes; }, 1000);
            scope.dialogs().custom = nullptr;
            ASSERT_EQ(shown.size(), boxes + 1) << "Escape did not reach the window";
            EXPECT_EQ(shown.back().mode, 3);
            ASSERT_TRUE(last && last->isVisible());
            EXPECT_EQ(c.typedInto()->text(), typed);
            EXPECT_FALSE(main.isEnabled());
            scope.dialogs().answer(QStringLiteral("لا"));
        }
        pressKeys({QStringLiteral("Escape")});
        ASSERT_TRUE(waitUntil([this] { return main.isEnabled(); }))
            << "Escape did not close the last window";
        EXPECT_FALSE(last && last->isVisible());
        main.onSurfaceHovered();
        settle();
    }
    EXPECT_GT(clicksUnderTheLast, 0) << "no window left a menu of the main window uncovered";
}

TEST_F(Desktop, EveryWindowHasItsFrameInsideTheScreen) {
    expectAllOnScreen("main window");
    const auto check = [](const char* stage, QWidget* w) {
        ASSERT_NE(w, nullptr) << stage;
        waitForWindow(w);
        expectAllOnScreen(stage);
    };
    main.onBarItemClicked(0);
    check("school profile", shell::schoolProfileWindow());
    main.chooseMenuItem(shell::MainMenuItem::ExamControl);
    check("exam control", exams::examControlWindow());
    exams::openStudentChooser(*exams::examControlWindow());
    check("single student", exams::singleStudentChooser());
    labels::openCustomLabels(exams::examControlWindow());
    check("custom labels", labels::customLabelsWindow());
    main.chooseMenuItem(shell::MainMenuItem::Committees);
    check("committees", committees::committeeWindow());
    main.chooseMenuItem(shell::MainMenuItem::EditStudents);
    check("class lists", students::loadedClassMaintenance());
    main.chooseMenuItem(shell::MainMenuItem::Attendance);
    check("attendance", attendance::attendanceWindow());
    shell::fileChooser()->show();
    check("file chooser", shell::fileChooser());
    students::studentsImportWindow()->show();
    check("import", students::studentsImportWindow());
    dates::CalendarWindow* calendar = dates::loadCalendarWindow(&main);
    calendar->show();
    check("calendar", calendar);
    main.chooseMenuItem(shell::MainMenuItem::Help);
    check("help", shell::helpWindow());

    // The tallest preview (portrait) and the widest (landscape).
    auto sink = report::setPreviewSink(nullptr);
    report::installPreviewWindow();
    for (const report::Orientation o :
         {report::Orientation::Portrait, report::Orientation::Landscape}) {
        report::LaidOutReport r;
        r.layoutName = QStringLiteral("page");
        r.orientation = o;
        r.paperSize =
            o == report::Orientation::Portrait ? QSizeF(11906, 16838) : QSizeF(16838, 11906);
        const QWidgetList before = QApplication::topLevelWidgets();
        report::setPreviewSink(nullptr)->show(r);
        report::installPreviewWindow();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!before.contains(w) && w->isVisible())
                check("preview", w);
    }
    report::setPreviewSink(sink);

    auto shower = std::make_shared<ShowingPresenter>();
    auto previous = platform::setDialogPresenter(shower);
    shell::ask({QStringLiteral("نص طويل جدا ").repeated(40), shell::Buttons::OkCancel,
                shell::YesEffect::Destroys, shell::Tone::Alarm});
    platform::setDialogPresenter(previous);

    QMessageBox box(QMessageBox::Question, QStringLiteral("تنبيه"),
                    QStringLiteral("نص طويل ").repeated(60), QMessageBox::Ok | QMessageBox::Cancel);
    box.show();
    check("system message box", &box);
}

} // namespace
