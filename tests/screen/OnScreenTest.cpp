#include "attendance/AttendanceWiring.h"
#include "attendance/StudentsSelect.h"
#include "committees/ControlCom.h"
#include "exams/ExamsWiring.h"
#include "report/PreviewWindow.h"
#include "report/ReportOutput.h"
#include "reports/MarkSheetMenu.h"
#include "reports/NameListMenu.h"
#include "shell/MGForm.h"
#include "shell/MainForm.h"
#include "shell/OpenFile.h"
#include "shell/ShellTestSupport.h"
#include "students/StudentsWiring.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <gtest/gtest.h>

using namespace sijill;

namespace {

QRect available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Every window on view lies whole inside the screen's available area.
void expectAllOnScreen(const char* stage) {
    QCoreApplication::processEvents();
    int seen = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (!w->isVisible() || type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        ++seen;
        const QRect f = w->frameGeometry();
        EXPECT_TRUE(available().contains(f))
            << stage << ": " << w->metaObject()->className() << " " << w->objectName().toStdString()
            << " at " << f.x() << "," << f.y() << " " << f.width() << "x" << f.height();
    }
    EXPECT_GT(seen, 0) << stage;
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

} // namespace

TEST(OnScreen, TheScreenIsTheSmallestOneSupported) {
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1024, 768));
}

TEST(OnScreen, EveryWindowOfTheProgramFitsA1024By768Screen) {
    test::TestHome home;
    test::finishProfile(home);
    test::ScriptedScope scope;
    report::installPreviewWindow();
    shell::MainForm main;
    reports::installNameListMenu(main);
    attendance::installAttendance(main);
    reports::installMarkSheetMenus(main);
    exams::installExamControl(main);
    committees::installCommittees(main);
    ASSERT_TRUE(main.formLoad());
    students::installStudentWindows(main);
    main.show();
    expectAllOnScreen("main window");

    main.MainForm_BarTop_Click(0); // school profile
    expectAllOnScreen("school profile");
    main.MainForm_MainSelect_Click(5); // exam control
    expectAllOnScreen("exam control");
    main.MainForm_MainSelect_Click(8); // class-list maintenance
    expectAllOnScreen("class lists");
    attendance::loadStudentsSelect()->show();
    expectAllOnScreen("attendance");
    shell::openFile()->show();
    expectAllOnScreen("file chooser");
    main.MainForm_MainSelect_Click(6); // help
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
    shell::ShowMsg(QStringLiteral("تنبيه"),
                   QStringLiteral("هل تريد حذف الفصل ") +
                       QStringLiteral("الأولالمتوسطالمسائي").repeated(12),
                   2, 1);
    platform::setDialogPresenter(previous);
    EXPECT_FALSE(presenter->frame.isEmpty());
    EXPECT_TRUE(available().contains(presenter->frame));
}
