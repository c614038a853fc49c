#include "app/StartUp.h"
#include "dates/CalendarRequest.h"
#include "dates/MyCalendar.h"
#include "exams/ControlAll.h"
#include "exams/SingelStudent.h"
#include "labels/DataBaseSave.h"
#include "shell/InfoMain.h"
#include "shell/MainForm.h"
#include "shell/OpenFile.h"
#include "shell/ShellTestSupport.h"
#include "students/Elem.h"
#include "students/StudentsReorder.h"
#include "support/ExitRecorder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
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
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
                                   "('1','احمد','0','11','1','ابتدائي','أول','1','0'),"
                                   "('1','بدر','0','12','1','ابتدائي','ثالث','1','0')");
        started = app::startProgram(main);
        main.show();
        // An unfinished profile asks at start-up; the user closes it unfinished.
        if (shell::InfoMain* info = shell::loadedInfoMain(); info && info->isVisible())
            closeWindow(info);
    }
    ~Program() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible())
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::unloadInfoMain();
    }
    QString workbook() const { return home.path() + QStringLiteral("/students.xls"); }

    test::TestHome home;
    test::ScriptedScope scope;
    test::ChooserScope chooser;
    test::ExitRecorder exit;
    shell::MainForm main;
    bool started = false;
};

TEST(ChildWindows, TheMainWindowComesBackOnlyWhenTheLastOfTwoWindowsCloses) {
    struct Pair {
        const char* name;
        bool profileFinished;
        std::function<void(Program&)> open;
        Window first, second;
    };
    const Window profile = [] { return shell::loadedInfoMain(); };
    const Window import = [] { return students::loadedElem(); };
    const Window fileChooser = [] { return shell::loadedOpenFile(); };
    const Window exam = [] { return exams::controlAll(); };
    const auto openExam = [](Program& t) { t.main.MainForm_MainSelect_Click(5); };
    const std::vector<Pair> pairs{
        {"import and the profile it reloads", false,
         [](Program& t) {
             t.main.MainForm_MainSelect_Click(1);
             shell::openFile()->chooseFile(t.workbook());
         },
         import, profile},
        {"import and its chooser", true,
         [](Program& t) {
             t.main.MainForm_MainSelect_Click(1);
             shell::openFile()->chooseFile(t.workbook());
             students::elemForm()->RunExcel->click();
         },
         import, fileChooser},
        {"exam window and the calendar", true,
         [openExam](Program& t) {
             openExam(t);
             dates::myCalendar()->openFor(dates::CalendarRequest::examDayDate(0),
                                          exams::controlAll());
         },
         exam, [] { return dates::myCalendar(); }},
        {"exam window and custom labels", true,
         [openExam](Program& t) {
             openExam(t);
             labels::openCustomLabels(exams::controlAll());
         },
         exam, [] { return labels::dataBaseSave(); }},
        {"exam window and the single-student chooser", true,
         [openExam](Program& t) {
             openExam(t);
             exams::openSingleStudent();
         },
         exam, [] { return exams::singelStudent(); }},
        {"class lists and the profile a print reloads", false,
         [](Program& t) {
             t.main.MainForm_MainSelect_Click(8);
             shell::schoolProfile(); // as a report header reads it
         },
         [] { return students::loadedStudentsReorder(); }, profile},
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
            closeWindow(firstClosesFirst ? a : b);
            EXPECT_FALSE(program.main.isEnabled());
            QWidget* last = firstClosesFirst ? pair.second() : pair.first();
            ASSERT_TRUE(last && last->isVisible());
            closeWindow(last);
            EXPECT_TRUE(program.main.isEnabled());
        }
    }
}

} // namespace
} // namespace sijill
