#include "app/StartUp.h"
#include "committees/CommitteeStore.h"
#include "committees/CommitteeWindow.h"
#include "data/Connection.h"
#include "dates/CalendarRequest.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutesPrints.h"
#include "exams/SingleStudentChooser.h"
#include "labels/CustomLabels.h"
#include "labels/CustomLabelsWindow.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfile.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "students/ClassMaintenanceWindow.h"
#include "students/StudentChanges.h"
#include "students/StudentsImportWindow.h"
#include "support/ExitRecorder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace sijill {
namespace {

using Window = std::function<QWidget*()>;

// Closes a window as its × does and lets it unload.
void closeWindow(QWidget* w) {
    ASSERT_NE(w, nullptr);
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A school with two classes, started as the program starts.
struct Program {
    explicit Program(bool profileFinished) {
        if (profileFinished)
            test::finishProfile(home);
        home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class,order_it) VALUES "
                                 "('ابتدائي','أول','1',1), ('ابتدائي','ثالث','1',3)");
        home.exec("Labels.db", "INSERT INTO T1 (d0,d1,d2,d3) VALUES ('أول 1','احمد','1','1')");
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
                                   "('1','احمد','0','11','1','ابتدائي','أول','1','0'),"
                                   "('1','بدر','0','12','1','ابتدائي','ثالث','1','0')");
        started = app::startProgram(main);
        main.show();
        // An unfinished profile asks at start-up; the user closes it unfinished.
        if (shell::SchoolProfileWindow* info = shell::loadedSchoolProfileWindow();
            info && info->isVisible())
            closeWindow(info);
    }
    ~Program() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible())
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::unloadSchoolProfileWindow();
    }
    QString workbook() const { return home.path() + QStringLiteral("/students.xls"); }

    test::TestHome home;
    test::ScriptedScope scope;
    test::ChooserScope chooser;
    test::ExitRecorder exit;
    shell::MainForm main;
    bool started = false;
};

// A report preview the program opened.
QWidget* openPreview() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("ReportPreview") && w->isVisible())
            return w;
    return nullptr;
}

// Whether a window manager keeps `w` above the main window: it stays on top,
// or it is a dialog (on X11 Qt names the window a window belongs to only for
// dialogs) whose owners lead to the main window.
bool keptAboveMainWindow(const QWidget* w, const QWidget* main) {
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return true;
    if (w->windowType() != Qt::Dialog || !w->windowHandle())
        return false;
    for (const QWindow* owner = w->windowHandle()->transientParent(); owner;
         owner = owner->transientParent())
        if (owner == main->windowHandle())
            return true;
    return false;
}

TEST(ChildWindows, TheMainWindowComesBackOnlyWhenTheLastOfTwoWindowsCloses) {
    struct Pair {
        const char* name;
        bool profileFinished;
        std::function<void(Program&)> open;
        Window first, second;
        bool secondHoldsMain = true; // a preview stands beside the main window
    };
    const Window profile = [] { return shell::loadedSchoolProfileWindow(); };
    const Window import = [] { return students::loadedStudentsImportWindow(); };
    const Window fileChooser = [] { return shell::loadedFileChooser(); };
    const Window exam = [] { return exams::examControlWindow(); };
    const auto openExam = [](Program& t) {
        t.main.chooseMenuItem(shell::MainMenuItem::ExamControl);
    };
    const std::vector<Pair> pairs{
        {"import and the profile it reloads", false,
         [](Program& t) {
             t.main.chooseMenuItem(shell::MainMenuItem::ImportStudents);
             shell::fileChooser()->chooseFile(t.workbook());
         },
         import, profile},
        {"import and its chooser", true,
         [](Program& t) {
             t.main.chooseMenuItem(shell::MainMenuItem::ImportStudents);
             shell::fileChooser()->chooseFile(t.workbook());
             students::studentsImportWindow()->chooseWorkbookButton->click();
         },
         import, fileChooser},
        {"exam window and the calendar", true,
         [openExam](Program& t) {
             openExam(t);
             dates::calendarWindow()->openFor(dates::CalendarRequest::examDayDate(0),
                                              exams::examControlWindow());
         },
         exam, [] { return dates::calendarWindow(); }},
        {"exam window and custom labels", true,
         [openExam](Program& t) {
             openExam(t);
             labels::openCustomLabels(exams::examControlWindow());
         },
         exam, [] { return labels::customLabelsWindow(); }},
        {"exam window and the single-student chooser", true,
         [openExam](Program& t) {
             openExam(t);
             exams::openStudentChooser(*exams::examControlWindow());
         },
         exam, [] { return exams::singleStudentChooser(); }},
        {"class lists and the profile a print reloads", false,
         [](Program& t) {
             t.main.chooseMenuItem(shell::MainMenuItem::EditStudents);
             shell::schoolProfile(); // as a report header reads it
         },
         [] { return students::loadedClassMaintenance(); }, profile},
        {"custom labels and their preview", true,
         [](Program&) {
             labels::openCustomLabels();
             labels::customLabelsWindow()->onPrintClicked();
         },
         [] { return labels::customLabelsWindow(); }, openPreview, false},
    };
    for (const Pair& pair : pairs) {
        for (const bool firstClosesFirst : {true, false}) {
            SCOPED_TRACE(testing::Message() << pair.name << (firstClosesFirst ? "" : ", reversed"));
            Program program(pair.profileFinished);
            ASSERT_TRUE(program.started);
            ASSERT_TRUE(program.main.isEnabled());
            pair.open(program);
            QWidget* a = pair.first();
            QWidget* b = pair.second();
            ASSERT_TRUE(a && a->isVisible());
            ASSERT_TRUE(b && b->isVisible());
            ASSERT_FALSE(program.main.isEnabled());
            EXPECT_TRUE(keptAboveMainWindow(a, &program.main));
            if (pair.secondHoldsMain) {
                EXPECT_TRUE(keptAboveMainWindow(b, &program.main));
            }
            closeWindow(firstClosesFirst ? a : b);
            EXPECT_EQ(program.main.isEnabled(), firstClosesFirst && !pair.secondHoldsMain);
            QWidget* last = firstClosesFirst ? pair.second() : pair.first();
            ASSERT_TRUE(last && last->isVisible());
            closeWindow(last);
            EXPECT_TRUE(program.main.isEnabled());
        }
    }
}

void pressEscape(QWidget* w) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &escape);
}

// A window with boxes the user types into, and where what it saves is stored.
struct Editor {
    const char* name;
    std::function<QWidget*(Program&)> open;
    std::function<void(QWidget*)> type;
    std::function<QWidget*(QWidget*)> closePicture;
    std::function<QString()> stored;
    const char* brokenDatabase; // with this table dropped, a save fails
    const char* brokenTable;
};

const QString kTyped = QStringLiteral("نص مكتوب");

std::vector<Editor> editors() {
    return {
        {"school profile",
         [](Program& p) -> QWidget* {
             p.main.onBarItemClicked(0);
             return shell::loadedSchoolProfileWindow();
         },
         [](QWidget* w) {
             static_cast<shell::SchoolProfileWindow*>(w)->schoolBox->setText(kTyped);
         },
         [](QWidget* w) -> QWidget* {
             return static_cast<shell::SchoolProfileWindow*>(w)->closeIcon;
         },
         [] { return shell::loadSchoolProfile().School; }, "Schedual.db", "MyInfo"},
        {"class maintenance",
         [](Program& p) -> QWidget* {
             p.main.chooseMenuItem(shell::MainMenuItem::EditStudents);
             students::ClassMaintenanceWindow* w = students::loadedClassMaintenance();
             w->classPicker->setCurrentIndex(1);
             w->onClassChosen();
             w->studentList->setCurrentRow(0);
             w->onToolbarClicked(2); // the edit panel
             return w;
         },
         [](QWidget* w) {
             static_cast<students::ClassMaintenanceWindow*>(w)->editFields[4]->setText(kTyped);
         },
         [](QWidget* w) -> QWidget* {
             return static_cast<students::ClassMaintenanceWindow*>(w)->closePicture;
         },
         [] {
             QStringList names;
             for (const students::StudentLine& l : students::listStudents(std::nullopt))
                 names << l.name;
             return names.join(QLatin1Char('|'));
         },
         "MyDatabase.db", "T1"},
        {"custom labels",
         [](Program&) -> QWidget* {
             labels::openCustomLabels();
             return labels::customLabelsWindow();
         },
         [](QWidget* w) {
             static_cast<labels::CustomLabelsWindow*>(w)->fieldBoxes[1]->setText(kTyped);
         },
         [](QWidget* w) -> QWidget* {
             return static_cast<labels::CustomLabelsWindow*>(w)->closeButton;
         },
         [] { return labels::readCustomLabels().at(0).text(1); }, "Labels.db", "T1"},
        {"committee window",
         [](Program& p) -> QWidget* {
             p.home.exec("Schedual.db",
                         "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
             p.main.chooseMenuItem(shell::MainMenuItem::Committees);
             return committees::committeeWindow();
         },
         [](QWidget* w) {
             static_cast<committees::CommitteeWindow*>(w)->nameBoxes[0]->setText(kTyped);
         },
         [](QWidget* w) -> QWidget* {
             return static_cast<committees::CommitteeWindow*>(w)->closeIcon;
         },
         [] {
             data::Connection schedual(data::Database::Schedule);
             QStringList names;
             for (const committees::CommitteeRecord& c : committees::loadCommittees(schedual))
                 names << c.name;
             return names.join(QLatin1Char('|'));
         },
         "Schedual.db", "List"},
    };
}

TEST(ChildWindows, ClosingWithTypedEditsAsksToSaveDropOrStay) {
    enum class Answer { NoEdits, Unanswered, Cancel, No, Yes, YesFails };
    const std::vector<std::pair<const char*, std::function<void(QWidget*, const Editor&)>>> ways{
        {"Escape", [](QWidget* w, const Editor&) { pressEscape(w); }},
        {"x", [](QWidget* w, const Editor&) { w->close(); }},
        {"close picture", [](QWidget* w, const Editor& e) { test::leftClick(e.closePicture(w)); }},
    };
    for (const Editor& editor : editors()) {
        for (const auto& [way, closeBy] : ways) {
            for (const Answer answer : {Answer::NoEdits, Answer::Unanswered, Answer::Cancel,
                                        Answer::No, Answer::Yes, Answer::YesFails}) {
                SCOPED_TRACE(testing::Message()
                             << editor.name << ", " << way << ", answer " << int(answer));
                Program program(true);
                QWidget* w = editor.open(program);
                ASSERT_TRUE(w && w->isVisible());
                // Some windows unload when they close.
                const QPointer<QWidget> open(w);
                const auto onView = [&open] { return open && open->isVisible(); };
                const QString before = editor.stored();
                const size_t boxes = program.scope.dialogs().shown.size();
                if (answer != Answer::NoEdits)
                    editor.type(w);
                if (answer == Answer::Cancel)
                    program.scope.dialogs().answer(QStringLiteral("إلغاء"));
                if (answer == Answer::No)
                    program.scope.dialogs().answer(QStringLiteral("لا"));
                if (answer == Answer::Yes || answer == Answer::YesFails)
                    program.scope.dialogs().answer(QStringLiteral("نعم"));
                if (answer == Answer::YesFails)
                    program.home.exec(editor.brokenDatabase,
                                      QStringLiteral("DROP TABLE ") + editor.brokenTable);
                closeBy(w, editor);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

                const auto& shown = program.scope.dialogs().shown;
                if (answer == Answer::NoEdits) {
                    EXPECT_EQ(shown.size(), boxes);
                    EXPECT_FALSE(onView());
                    continue;
                }
                ASSERT_GT(shown.size(), boxes);
                EXPECT_EQ(shown[boxes].mode, 3);
                const bool stays = answer == Answer::Unanswered || answer == Answer::Cancel ||
                                   answer == Answer::YesFails;
                EXPECT_EQ(onView(), stays);
                if (answer == Answer::Yes) {
                    EXPECT_TRUE(editor.stored().contains(kTyped));
                } else if (answer != Answer::YesFails) {
                    EXPECT_EQ(editor.stored(), before);
                }
                if (stays) {
                    // The edits are still there: closing again asks again.
                    program.scope.dialogs().answer(QStringLiteral("لا"));
                    const size_t asked = shown.size();
                    w->close();
                    EXPECT_EQ(shown.size(), asked + 1);
                }
            }
        }
    }
}

// The profile leaves the main window enabled: leaving the program from there
// asks the profile's question first, and Cancel keeps the program open.
TEST(ChildWindows, LeavingTheProgramAsksAboutTheProfilesTypedEditsFirst) {
    enum class Answer { NoEdits, Cancel, No, Yes };
    for (const Answer answer : {Answer::NoEdits, Answer::Cancel, Answer::No, Answer::Yes}) {
        SCOPED_TRACE(int(answer));
        Program program(true);
        program.main.onBarItemClicked(0);
        shell::SchoolProfileWindow* profile = shell::loadedSchoolProfileWindow();
        ASSERT_TRUE(profile && profile->isVisible());
        ASSERT_TRUE(program.main.isEnabled());
        const QString before = shell::loadSchoolProfile().School;
        const size_t boxes = program.scope.dialogs().shown.size();
        if (answer != Answer::NoEdits)
            profile->schoolBox->setText(kTyped);
        program.scope.dialogs().answer(answer == Answer::Cancel ? QStringLiteral("إلغاء")
                                       : answer == Answer::No   ? QStringLiteral("لا")
                                                                : QStringLiteral("نعم"));
        program.main.close();
        const auto& shown = program.scope.dialogs().shown;
        if (answer == Answer::NoEdits) {
            EXPECT_EQ(shown.size(), boxes);
            EXPECT_EQ(program.exit.code, 0);
            continue;
        }
        ASSERT_EQ(shown.size(), boxes + 1);
        EXPECT_EQ(shown[boxes].text,
                  QStringLiteral("لم تحفظ تغييرات بيانات المدرسة، هل تريد حفظها قبل إغلاق "
                                 "النافذة؟"));
        EXPECT_EQ(program.exit.code.has_value(), answer != Answer::Cancel);
        EXPECT_EQ(program.main.isVisible(), answer == Answer::Cancel);
        EXPECT_EQ(shell::loadSchoolProfile().School, answer == Answer::Yes ? kTyped : before);
        if (answer == Answer::Cancel) {
            EXPECT_EQ(profile->schoolBox->text(), kTyped);
        }
        // The program would have ended here; its windows go without a word.
        program.scope.dialogs().answer(QStringLiteral("لا"));
        profile->close();
    }
}

TEST(ChildWindows, AClickOnTheDisabledMainWindowLeavesEscapeToTheProfile) {
    for (const bool typed : {false, true}) {
        SCOPED_TRACE(typed);
        Program program(false);
        shell::SchoolProfileWindow* profile =
            shell::schoolProfileWindow(); // unfinished: it asks, over a disabled main
        ASSERT_TRUE(profile->isVisible());
        ASSERT_FALSE(program.main.isEnabled());
        if (typed)
            profile->schoolBox->setText(kTyped);
        // The window manager activates the clicked main window.
        program.main.activateWindow();
        QCoreApplication::processEvents();
        test::leftClick(&program.main);
        QCoreApplication::processEvents();
        QWidget* active = QApplication::activeWindow();
        ASSERT_EQ(active, profile);
        const size_t boxes = program.scope.dialogs().shown.size();
        program.scope.dialogs().answer(QStringLiteral("إلغاء"));
        pressEscape(active);
        EXPECT_EQ(program.scope.dialogs().shown.size(), boxes + (typed ? 1 : 0));
        EXPECT_EQ(profile->isVisible(), typed);
    }
}

} // namespace
} // namespace sijill
