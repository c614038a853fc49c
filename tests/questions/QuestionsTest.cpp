// Every question of the program, asked by its own window and answered by
// the keys a user presses on the real box: what Enter, Escape and the window
// system's close do is read from the database or the file on disk.

#include "attendance/AttendanceWindow.h"
#include "attendance/AttendanceWiring.h"
#include "attendance/Texts.h"
#include "committees/CommitteeWindow.h"
#include "committees/CommitteesTestSupport.h"
#include "committees/Texts.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamsWiring.h"
#include "exams/Texts.h"
#include "labels/CustomLabels.h"
#include "labels/CustomLabelsWindow.h"
#include "labels/LabelsTestSupport.h"
#include "labels/Texts.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "reports/NamesExport.h"
#include "reports/PrintRun.h"
#include "reports/QuranMenu.h"
#include "reports/ReportsTestSupport.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "students/ClassMaintenanceWindow.h"
#include "students/StudentsImportWindow.h"
#include "students/StudentsTestSupport.h"
#include "students/Texts.h"
#include "support/EnvScope.h"
#include "support/ExitRecorder.h"
#include "support/FileBytes.h"
#include "support/LockFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TitledPreviews.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace sijill;
using test::ScriptedDialogs;
using test::ScriptedScope;
using test::tableRows;
using test::TestHome;

namespace {

// One question as its window asks it.
struct Scene {
    // Asks the question once, answered by `press` on the real box.
    std::function<void(const QString& press)> ask;
    // What the question may change: stored rows, a file, the window's state.
    std::function<QStringList()> state;
    // Every box shown so far, its text first.
    std::function<QStringList()> shown;
    std::shared_ptr<void> hold;
};

struct Question {
    QString text;      // what the question says
    bool enterSaysYes; // Enter goes on: the state changes
    std::function<Scene()> scene;
};

QStringList textsOf(const ScriptedScope& scope) {
    QStringList out;
    for (const test::ShownBox& b : const_cast<ScriptedScope&>(scope).dialogs().shown)
        out << b.text;
    for (const platform::SystemMessage& m : scope.systemShown)
        out << m.text;
    return out;
}

// Queues the press on the channel the question uses.
void queue(ScriptedScope& scope, const QString& press, bool systemBox) {
    if (systemBox)
        scope.systemPresses.push_back(press);
    else
        scope.dialogs().answer(press);
}

// The question `trigger` asks in the window of `s`, which holds the scope
// that answers it and says what state() the question may change.
template <class W>
Scene sceneOf(std::shared_ptr<W> s, bool systemBox,
              std::type_identity_t<std::function<void(W&)>> trigger) {
    return {[s, systemBox, trigger](const QString& press) {
                queue(s->scope, press, systemBox);
                trigger(*s);
            },
            [s] { return s->state(); }, [s] { return textsOf(s->scope); }, s};
}

// The waits return at once and the layouts load afresh; undone on leaving.
struct Quiet {
    Quiet() {
        platform::setWaitScale(0);
        report::layoutLibrary().clear();
    }
    ~Quiet() {
        platform::setWaitScale(scale);
        report::layoutLibrary().clear();
    }
    double scale = platform::waitScale();
};

// The exam-control window on a school of three grades, one exam of the
// fourth grade stored and its time typed but not saved.
struct ExamWindow {
    Quiet quiet;
    TestHome home;
    ScriptedScope scope;
    std::unique_ptr<shell::MainForm> form;
    QPointer<exams::ExamControlWindow> w;

    explicit ExamWindow(const QStringList& rows) {
        platform::Clock::setToday(QDate(2024, 7, 11));
        test::finishProfile(home);
        for (const QString grade : {"ثالث", "رابع", "خامس"})
            home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                             "VALUES ('ابتدائي', '%1', '1', 1)")
                                         .arg(grade));
        // "grade:order:subject": the order makes the day and the period.
        for (const QString& row : rows) {
            const QStringList f = row.split(':');
            const int order = f[1].toInt();
            home.exec("Schedual.db",
                      QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) "
                              "VALUES ('2', 'الأحد', '1446/02/0%1', '%2', '%3', '', '', '', "
                              "'%4', %5)")
                          .arg(order / 2 + 1)
                          .arg(f[0], f[2], order % 2 ? "الثانية" : "الأولى")
                          .arg(order));
        }
        form = std::make_unique<shell::MainForm>();
        form->formLoad();
        exams::installExamControl(*form);
        form->show();
        form->chooseMenuItem(shell::MainMenuItem::ExamControl);
        w = exams::examControlWindow();
        choose("رابع");
        for (const QChar c : QStringLiteral("9:00")) {
            w->timeCells[0]->end(false);
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(w->timeCells[0], &press);
        }
    }
    ~ExamWindow() {
        delete exams::examControlWindow();
        delete dates::calendarWindow();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::Clock::setToday(std::nullopt);
    }
    void choose(const QString& grade) {
        w->gradePicker->setCurrentIndex(w->gradePicker->findText(grade));
        w->onGradeChosen();
    }
    QStringList state() const {
        QStringList out = tableRows("Schedual.db", "SELECT D3, F_Order, D4, D5 FROM T1 ORDER BY "
                                                   "D3, F_Order");
        if (!w)
            return out << "<closed>";
        return out << w->gradePicker->currentText() << w->timeCells[0]->text();
    }
};

Scene examScene(const QStringList& rows, bool systemBox, std::function<void(ExamWindow&)> trigger) {
    return sceneOf(std::make_shared<ExamWindow>(rows), systemBox, std::move(trigger));
}

// The committees window on 83 students in three grades, its committees made.
struct CommitteeWindow {
    Quiet quiet;
    TestHome home;
    ScriptedScope scope;
    std::unique_ptr<committees::CommitteeWindow> w;

    explicit CommitteeWindow(bool reset) {
        test::addStudents(home, "رابع", "1", 25, "1");
        test::addStudents(home, "خامس", "1", 30, "2");
        test::addStudents(home, "سادس", "1", 28, "3");
        home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL);"
                                 "INSERT INTO Com (Com, Name) VALUES ('A', 'x')");
        w = std::make_unique<committees::CommitteeWindow>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        if (reset) {
            // The committees made again and the first one renamed, not yet saved.
            scope.dialogs().answer(QStringLiteral("موافق"));
            w->onResetClicked();
            w->nameBoxes[0]->setText(QStringLiteral("قاعة المكتبة"));
        }
        w->show();
        scope.dialogs().shown.clear();
    }
    QStringList state() const {
        return tableRows("Schedual.db", "SELECT * FROM List ORDER BY ID") +
               tableRows("Schedual.db", "SELECT Com, Name FROM Com ORDER BY Com") +
               QStringList{w->isVisible() ? "shown" : "hidden", w->nameBoxes[0]->text()};
    }
};

// The committees window opened again after its students were seated and
// one of them has left and another come: its prints ask first.
struct DriftedSeating : CommitteeWindow {
    std::shared_ptr<report::RecordingPreviewSink> sink = std::make_shared<test::TitledPreviews>();
    std::shared_ptr<report::PreviewSink> previous = report::setPreviewSink(sink);

    DriftedSeating() : CommitteeWindow(true) {
        w->distributeButton->click();
        home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d1 = 'رابع 1 1'");
        test::addStudent(home, "رابع", "1", "26", "new");
        w = std::make_unique<committees::CommitteeWindow>();
        w->show();
        scope.dialogs().shown.clear();
    }
    ~DriftedSeating() { report::setPreviewSink(previous); }
    QStringList state() const {
        return CommitteeWindow::state() << QString::number(sink->shown.size());
    }
};

Scene committeeScene(bool reset, std::function<void(committees::CommitteeWindow&)> trigger) {
    return sceneOf(std::make_shared<CommitteeWindow>(reset), false,
                   [trigger](CommitteeWindow& c) { trigger(*c.w); });
}

// The students window on two classes of the first grade and one of the
// second, with the line of "بدر" of class 1 picked.
struct StudentsWindow {
    Quiet quiet;
    TestHome home;
    ScriptedScope scope;
    std::unique_ptr<shell::MainForm> main;
    std::unique_ptr<students::ClassMaintenanceWindow> w;

    StudentsWindow() {
        home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class,order_it) VALUES "
                                 "('ابتدائي','أول','1',1), ('ابتدائي','أول','2',1), "
                                 "('ابتدائي','ثاني','1',2)");
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
                                   "('01','احمد','0','11','1','الابتدائي','أول','1','0'),"
                                   "('03','بدر','0','12','1','الابتدائي','أول','1','0'),"
                                   "('05','سعد','0','13','1','الابتدائي','أول','2','0'),"
                                   "('1','ثامر',NULL,'21','1','الابتدائي','ثاني','1','0')");
        main = std::make_unique<shell::MainForm>();
        main->reloadClassList();
        w = std::make_unique<students::ClassMaintenanceWindow>();
        w->formLoad();
        w->classPicker->setCurrentIndex(1);
        w->onClassChosen();
        for (int i = 0; i < static_cast<int>(w->lines().size()); ++i)
            if (w->lines()[i].name == "بدر")
                w->studentList->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
    }
    static QStringList state() {
        return tableRows("MyDatabase.db", "SELECT d0, d1, d6, d7 FROM T1 ORDER BY id") +
               test::classRows();
    }
};

Scene studentsScene(bool systemBox,
                    std::function<void(students::ClassMaintenanceWindow&)> trigger) {
    return sceneOf(std::make_shared<StudentsWindow>(), systemBox,
                   [trigger](StudentsWindow& s) { trigger(*s.w); });
}

// The custom labels window on two stored labels, the second one shown.
struct LabelsWindow {
    Quiet quiet;
    TestHome home;
    ScriptedScope scope;
    shell::MainForm form;

    LabelsWindow() {
        test::finishProfile(home);
        home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) VALUES "
                                 "('ابتدائي', 'أول', '1', 1)");
        test::putLabel(home, "أ", "الأول", "1", "ل1");
        test::putLabel(home, "ب", "الثاني", "2", "ل2");
        form.formLoad();
        form.show();
        labels::openCustomLabels(nullptr);
        labels::customLabelsWindow()->forwardButton->click();
    }
    ~LabelsWindow() { delete labels::customLabelsWindow(); }
    static QStringList state() {
        QStringList out;
        for (const labels::CustomLabel& l : labels::readCustomLabels())
            out << l.text(1);
        return out;
    }
};

Scene labelsScene(std::function<void(labels::CustomLabelsWindow&)> trigger) {
    return sceneOf(std::make_shared<LabelsWindow>(), true,
                   [trigger](LabelsWindow&) { trigger(*labels::customLabelsWindow()); });
}

// The main window's print desk on the school of seedSchool and what `more`
// adds, the user's desktop holding last week's export of class أول-1.
struct Desk {
    Quiet quiet;
    TestHome home;
    bool seeded;
    QTemporaryDir user;
    test::EnvScope userHome{"HOME", user.path().toUtf8()};
    test::EnvScope config{"XDG_CONFIG_HOME", user.filePath("config").toUtf8()};
    bool desktop = QDir(user.path()).mkpath("Desktop");
    test::PrintDesk desk{home};
    ScriptedScope& scope = desk.scope_;
    QString file = user.filePath("Desktop/أول-1.xlsx");

    explicit Desk(const std::function<void(const TestHome&)>& more)
        : seeded((test::seedSchool(home), more(home), true)) {
        test::putFile(file, "the export of last week");
        desk.pick("أول-1");
    }
    QStringList state() const {
        return QStringList{test::fileBytes(file)} + desk.jobs() +
               QStringList{QString::number(desk.previews().size())};
    }
};

Scene deskScene(
    std::function<void(test::PrintDesk&)> trigger,
    std::function<void(const TestHome&)> more = [](const TestHome&) {}) {
    return sceneOf(std::make_shared<Desk>(more), false, [trigger](Desk& d) { trigger(d.desk); });
}

} // namespace

TEST(Questions, EnterEscapeAndTheWindowsCloseAnswerByWhatTheYesDoes) {
    test::useBuiltReader();
    const std::vector<Question> questions = {
        // The import of a workbook without its mark replaces the school.
        {students::texts::kNoMarkQuestion, false,
         [] {
             struct S {
                 Quiet quiet;
                 TestHome home;
                 ScriptedScope scope;
                 test::ExitRecorder exit;
                 students::StudentsImportWindow w;
                 static QStringList state() { return test::studentRows() + test::classRows(); }
             };
             auto s = std::make_shared<S>();
             test::seedOldSchool(s->home);
             s->w.show();
             s->w.setPath(test::fixture("students-nomark.xls"));
             return sceneOf(s, false, [](S& s) { s.w.startImportButton->click(); });
         }},
        {committees::texts::kAskReset, false,
         [] { return committeeScene(false, [](auto& w) { w.onResetClicked(); }); }},
        // No only hides the panel, the edits still on it: Enter answers No.
        {committees::texts::kAskSave, false,
         [] { return committeeScene(true, [](auto& w) { w.onEditorSaveClicked(); }); }},
        {committees::texts::kAskSaveOnClose, false,
         [] { return committeeScene(true, [](auto& w) { w.close(); }); }},
        // Yes prints the seating as it stands: with three answers Enter cancels.
        {committees::texts::kDriftedReason.section('%', 0, 0), false,
         [] {
             return sceneOf(std::make_shared<DriftedSeating>(), false,
                            [](DriftedSeating& d) { d.w->onSheetClicked(1); });
         }},
        {exams::texts::kAskSave, true,
         [] { return examScene({"رابع:0:لغتي"}, true, [](auto& e) { e.choose("ثالث"); }); }},
        {exams::texts::kAskSave, false,
         [] { return examScene({"رابع:0:لغتي"}, false, [](auto& e) { e.w->close(); }); }},
        {exams::texts::kAskDeleteDay, false,
         [] {
             return examScene({"رابع:0:لغتي", "رابع:2:علوم"}, false,
                              [](auto& e) { e.w->onDeleteRowClicked(2); });
         }},
        {exams::texts::kAskDeletePeriod, false,
         [] {
             return examScene({"رابع:0:لغتي", "رابع:1:فنية"}, true,
                              [](auto& e) { e.w->onSecondPeriodClicked(0); });
         }},
        {exams::texts::kAskEraseGrade, false,
         [] {
             return examScene({"رابع:0:لغتي", "خامس:0:علوم"}, true, [](auto& e) {
                 e.w->onDeleteOptionsClicked();
                 e.w->onEraseGradeClicked();
             });
         }},
        {exams::texts::kAskEraseAll, false,
         [] {
             return examScene({"رابع:0:لغتي", "خامس:0:علوم"}, true, [](auto& e) {
                 e.w->onDeleteOptionsClicked();
                 e.w->onEraseAllClicked();
             });
         }},
        {students::texts::kDeleteQuestion, false,
         [] {
             return studentsScene(true, [](auto& w) {
                 w.onToolbarClicked(1);
                 w.deleteStudentButton->click();
             });
         }},
        // Yes copies, No moves: with three answers Enter cancels.
        {students::texts::kCopyQuestion1, false,
         [] {
             return studentsScene(false, [](auto& w) {
                 w.onToolbarClicked(5);
                 w.targetClassPicker->setCurrentIndex(2);
                 w.moveButton->click();
             });
         }},
        {students::texts::kRemoveClassQuestion, false,
         [] {
             return studentsScene(false, [](auto& w) {
                 w.onToolbarClicked(4);
                 w.targetClassPicker->setCurrentIndex(1);
                 w.removeClassButton->click();
             });
         }},
        // Yes keeps a civil-registry number of unusual length as typed; No
        // leaves it in its box to correct: Enter answers No.
        {students::texts::kAskCivilLength.section('%', 0, 0), false,
         [] {
             return studentsScene(false, [](auto& w) {
                 w.onToolbarClicked(0);
                 w.addStudentFields[0]->setText("باسل");
                 w.addStudentFields[1]->setText("12345");
                 w.addStudentButton->click();
             });
         }},
        {labels::texts::kSaveQuestion, true,
         [] {
             return labelsScene([](auto& w) {
                 w.fieldBoxes[1]->setText("الثاني المعدل");
                 w.saveButton->click();
             });
         }},
        {labels::texts::kDeleteQuestion, false,
         [] { return labelsScene([](auto& w) { w.removeButton->click(); }); }},
        {"هل تريد مسح جميع بيانات الفصول", false,
         [] {
             struct S {
                 Quiet quiet;
                 TestHome home;
                 bool seeded = (test::seedSchool(home), true);
                 ScriptedScope scope;
                 test::ExitRecorder exit;
                 shell::MainForm form;
                 static QStringList state() {
                     return tableRows("MyDatabase.db", "SELECT d1 FROM T1 ORDER BY id");
                 }
             };
             auto s = std::make_shared<S>();
             s->form.formLoad();
             return sceneOf(s, false, [](S& s) {
                 s.form.chooseMenuItem(shell::MainMenuItem::DeleteAllClasses);
             });
         }},
        // Another computer's lock on the data folder.
        {"آخر استخدام لمجلد البيانات", false,
         [] {
             struct S {
                 Quiet quiet;
                 TestHome home;
                 ScriptedScope scope;
                 test::ExitRecorder exit;
                 std::unique_ptr<shell::MainForm> form;
                 QStringList state() const {
                     return {test::fileBytes(test::lockPath(home.path()))};
                 }
             };
             auto s = std::make_shared<S>();
             test::finishProfile(s->home);
             test::putLock(s->home.path(), test::kNoSuchProcess, "office-pc");
             return sceneOf(s, false, [](S& s) {
                 s.form = std::make_unique<shell::MainForm>();
                 s.form->formLoad();
             });
         }},
        // The export of a class over last week's file on the desktop.
        {reports::kReplaceQuestion.section('%', 0, 0), false,
         [] { return deskScene([](auto& d) { d.click(16); }); }},
        // Printing every class of the school.
        {reports::kAskWholeSchool, true,
         [] {
             return deskScene([](auto& d) {
                 d.form.wholeSchoolCheck->click();
                 d.click(2);
             });
         }},
        {reports::kAskWholeSchool, true,
         [] {
             return deskScene([](auto& d) {
                 reports::installMarkSheetMenus(d.form);
                 d.form.onPrintTabClicked(4);
                 d.form.wholeSchoolCheck->click();
                 test::leftClick(reports::quranMenu(d.form)->items.at(2));
             });
         }},
        // A whole grade of the courses system is refused, whatever the answer.
        {reports::kCoursesNoWholeGrade, false,
         [] {
             return deskScene(
                 [](auto& d) {
                     d.pick("مقررات-1");
                     d.form.wholeGradeCheck->click();
                     d.click(2);
                 },
                 [](const TestHome& h) {
                     test::addClass(h, "مقررات", "1", 0);
                     test::addPupil(h, {"مقررات", "1", "01", "ماجد", "", "5500000001"});
                 });
         }},
        {attendance::texts::kAskWholeSchool, true,
         [] {
             // A school day, set before the main window shows today's date:
             // on a Friday or Saturday the window would ask for a date first.
             return deskScene(
                 [](auto& d) {
                     attendance::installAttendance(d.form);
                     attendance::AttendanceWindow* w = attendance::loadAttendanceWindow();
                     w->show();
                     w->classPicker->setCurrentIndex(0);
                     w->sheetButton->click();
                     delete w;
                     platform::Clock::setToday(std::nullopt);
                 },
                 [](const TestHome&) { platform::Clock::setToday(QDate(2024, 7, 11)); });
         }},
    };
    for (const Question& q : questions) {
        for (const QString& press :
             {ScriptedDialogs::kEnter, ScriptedDialogs::kEscape, ScriptedDialogs::kWindowClose}) {
            SCOPED_TRACE(q.text.toStdString() + " " + press.toStdString());
            const Scene scene = q.scene();
            const QStringList before = scene.state();
            scene.ask(press);
            const QStringList shown = scene.shown();
            ASSERT_FALSE(shown.isEmpty());
            EXPECT_TRUE(shown[0].contains(q.text)) << shown[0].toStdString();
            const bool saidYes = press == ScriptedDialogs::kEnter && q.enterSaysYes;
            if (saidYes)
                EXPECT_NE(scene.state(), before);
            else
                EXPECT_EQ(scene.state(), before);
        }
    }
}
