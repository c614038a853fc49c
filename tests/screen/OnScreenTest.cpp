#include "attendance/AttendanceWindow.h"
#include "attendance/AttendanceWiring.h"
#include "committees/CommitteeWindow.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamsWiring.h"
#include "labels/CustomLabelsWindow.h"
#include "platform/Presenters.h"
#include "platform/ProgramFolder.h"
#include "platform/QtArabic.h"
#include "report/PreviewWindow.h"
#include "report/ReportOutput.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/ShellTestSupport.h"
#include "students/StudentsWiring.h"
#include "students/Texts.h"
#include "support/EnvScope.h"
#include "support/ScriptedDialogs.h"
#include "support/TextFit.h"
#include "support/WindowsOnScreen.h"

#include <QApplication>
#include <QFileDialog>
#include <QFrame>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sijill;

namespace {

// Every window on view lies whole inside the screen's available area.
void expectAllOnScreen(const char* stage) {
    QCoreApplication::processEvents();
    test::expectWindowsInside(stage, [](QWidget* w) { return w->frameGeometry(); });
}

// Shows the program's message box without waiting for an answer, checks it
// and closes it.
class ShowingPresenter : public platform::DialogPresenter {
public:
    void present(QDialog& dialog) override {
        dialog.show();
        expectAllOnScreen("message box");
        frame = dialog.frameGeometry();
        dialog.reject();
    }
    QRect frame;
};

bool hasLatin(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

// SIJILL_LOOK_DIR=folder keeps a picture of every window and panel walked.
void keepLook(QWidget* w, const std::string& where) {
    static int count = 0;
    if (const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR"); !look.isEmpty())
        w->grab().save(QStringLiteral("%1/%2 %3.png")
                           .arg(look)
                           .arg(++count, 2, 10, QLatin1Char('0'))
                           .arg(QString::fromStdString(where)));
}

// Every window on view: its title is Arabic, and every caption in it fits,
// with each of its hidden panels shown in turn.
void expectReadable(const char* stage) {
    QCoreApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (!w->isVisible() || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        const std::string where = std::string(stage) + " " + w->metaObject()->className();
        EXPECT_FALSE(hasLatin(w->windowTitle())) << where << ": " << w->windowTitle().toStdString();
        keepLook(w, where);
        EXPECT_EQ(test::misfitsIn(w, test::Fit::Width).join(" | ").toStdString(), "") << where;
        for (QFrame* panel : w->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
            if (!panel->isHidden() || panel->findChildren<QWidget*>().isEmpty())
                continue;
            panel->show();
            keepLook(w, where + " " + panel->objectName().toStdString());
            EXPECT_EQ(test::misfitsIn(panel, test::Fit::Width).join(" | ").toStdString(), "")
                << where << " panel " << panel->objectName().toStdString();
            panel->hide();
        }
    }
}

// The program as it starts, every part installed, its main window shown.
struct Program {
    Program() {
        reports::installNameListMenu(main);
        attendance::installAttendance(main);
        reports::installMarkSheetMenus(main);
        exams::installExamControl(main);
        committees::installCommittees(main);
        loaded = main.formLoad();
        students::installStudentWindows(main);
        main.show();
    }
    test::TestHome home;
    bool profiled = (test::finishProfile(home), true);
    // A class, so that the print menu opens.
    bool classes = (home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) "
                                             "VALUES ('ابتدائي', 'أول', '1', 1)"),
                    true);
    test::ScriptedScope scope;
    bool previews = (report::installPreviewWindow(), true);
    shell::MainForm main;
    bool loaded = false;
};

// Shows each box of the program, walks it, and closes it.
class WalkingPresenter : public platform::DialogPresenter {
public:
    void present(QDialog& dialog) override {
        dialog.show();
        expectReadable("message box");
        dialog.reject();
    }
};

} // namespace

TEST(OnScreen, TheScreenIsTheSmallestOneSupported) {
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1024, 768));
}

TEST(OnScreen, EveryWindowOfTheProgramFitsA1024By768Screen) {
    Program program;
    ASSERT_TRUE(program.loaded);
    shell::MainForm& main = program.main;
    expectAllOnScreen("main window");

    main.onBarItemClicked(0); // school profile
    expectAllOnScreen("school profile");
    main.chooseMenuItem(shell::MainMenuItem::ExamControl); // exam control
    expectAllOnScreen("exam control");
    main.chooseMenuItem(shell::MainMenuItem::EditStudents); // class-list maintenance
    expectAllOnScreen("class lists");
    attendance::loadAttendanceWindow()->show();
    expectAllOnScreen("attendance");
    shell::fileChooser()->show();
    expectAllOnScreen("file chooser");
    main.chooseMenuItem(shell::MainMenuItem::Help); // help
    expectAllOnScreen("help");

    // A landscape report: the widest preview.
    report::LaidOutReport wide;
    wide.layoutName = QStringLiteral("wide");
    wide.orientation = report::Orientation::Landscape;
    wide.paperSize = QSizeF(16838, 11906);
    auto sink = report::setPreviewSink(nullptr);
    report::installPreviewWindow();
    report::setPreviewSink(nullptr)->show(wide);
    report::setPreviewSink(sink);
    expectAllOnScreen("preview");

    QMessageBox box(QMessageBox::Question, QStringLiteral("تنبيه"),
                    QStringLiteral("نص طويل ").repeated(60), QMessageBox::Ok | QMessageBox::Cancel);
    box.show();
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    expectAllOnScreen("Qt's dialogs");

    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &main)
            w->hide();
}

TEST(OnScreen, TheMessageBoxWithALongMessageStaysOnScreen) {
    auto presenter = std::make_shared<ShowingPresenter>();
    auto previous = platform::setDialogPresenter(presenter);
    shell::ask(
        {QStringLiteral("هل تريد حذف الفصل ") + QStringLiteral("الأولالمتوسطالمسائي").repeated(12),
         shell::Buttons::OkCancel, shell::YesEffect::Destroys, shell::Tone::Alarm});
    platform::setDialogPresenter(previous);
    EXPECT_FALSE(presenter->frame.isEmpty());
    EXPECT_TRUE(test::availableArea().contains(presenter->frame));
}

TEST(OnScreen, EveryCaptionFitsAndEveryTitleIsArabic) {
    Program program;
    ASSERT_TRUE(program.loaded);
    shell::MainForm& main = program.main;
    expectReadable("main window");
    for (int menu : {1, 3}) {
        main.onBarItemClicked(menu);
        expectReadable("menu");
        main.dropDowns[menu]->hide();
    }
    main.onBarItemClicked(2);
    EXPECT_TRUE(main.printPanel->isVisible());
    for (int tab = 0; tab < static_cast<int>(main.printTabs.size()); ++tab) {
        main.onPrintTabClicked(tab);
        expectReadable("print menu");
    }
    main.printPanel->hide();

    const auto closeAll = [&main] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible())
                w->hide();
    };
    main.onBarItemClicked(0);
    expectReadable("school profile");
    closeAll();
    using Item = shell::MainMenuItem;
    for (Item item : {Item::ExamControl, Item::EditStudents, Item::Committees, Item::Help}) {
        main.chooseMenuItem(item);
        expectReadable("window");
        closeAll();
    }
    attendance::loadAttendanceWindow()->show();
    expectReadable("attendance");
    closeAll();
    labels::openCustomLabels();
    expectReadable("custom labels");
    closeAll();
    dates::loadCalendarWindow(&main)->show();
    expectReadable("calendar");
    closeAll();
    // The chooser in each of its modes, named by its action button.
    for (const QString& mode : {QStringLiteral("موافق"), students::texts::kChooserModeStudents,
                                students::texts::kChooserModeSkills}) {
        shell::fileChooser()->actionButton->setText(mode);
        shell::fileChooser()->show();
        expectReadable("file chooser");
        closeAll();
    }
    {
        report::LaidOutReport page;
        page.layoutName = QStringLiteral("HandExam");
        page.title = QStringLiteral("المصححين والمراجعين ليوم محدد");
        page.paperSize = QSizeF(11906, 16838);
        auto sink = report::setPreviewSink(nullptr);
        report::installPreviewWindow();
        report::setPreviewSink(nullptr)->show(page);
        report::setPreviewSink(sink);
        expectReadable("preview");
        closeAll();
    }

    // The program's boxes with every set of buttons, and the system's boxes
    // as it asks them.
    auto walking = std::make_shared<WalkingPresenter>();
    auto previous = platform::setDialogPresenter(walking);
    const QString question = QStringLiteral("هل تريد حذف هذا الملصق");
    shell::tell(question, shell::Tone::Alarm);
    for (const auto buttons :
         {shell::Buttons::OkCancel, shell::Buttons::YesNoCancel, shell::Buttons::YesNo})
        shell::ask({question, buttons, shell::YesEffect::Destroys, shell::Tone::Alarm});
    platform::setDialogPresenter(previous);
    for (const auto buttons :
         {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Yes | QMessageBox::No}) {
        const auto box = platform::systemMessageBox(
            {QString(), QStringLiteral("سيتم مسح جدول الصف :ثالث"), buttons, QMessageBox::Question,
             platform::YesDoes::Destroys});
        box->show();
        expectReadable("system box");
        box->hide();
    }
    // Qt's own dialogs as the program opens them.
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog print(&printer);
    print.show();
    expectReadable("print dialog");
    print.hide();
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    expectReadable("file dialog");
    files.hide();

    for (const test::ShownBox& box : program.scope.dialogs().shown)
        EXPECT_FALSE(hasLatin(box.title)) << box.title.toStdString();
    for (const platform::SystemMessage& m : program.scope.systemShown)
        EXPECT_FALSE(hasLatin(m.title)) << m.title.toStdString();
    closeAll();
}
