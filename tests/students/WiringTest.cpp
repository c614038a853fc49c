#include "StudentsTestSupport.h"
#include "platform/FileChooser.h"
#include "shell/ChooserModes.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfileWindow.h"
#include "students/ClassMaintenanceWindow.h"
#include "students/StudentsImportWindow.h"
#include "students/StudentsWiring.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::students;

namespace {

// Answers the file chooser with a file, as a person picking it would.
struct PickingChooser : platform::FileChooserPresenter {
    QString file;
    QStringList modes;
    void present(platform::FileChooserWindow& chooser) override {
        modes << shell::fileChooser()->mode() + "|" + shell::fileChooser()->pattern();
        chooser.chooseFile(file);
    }
};

class Road : public ::testing::Test {
protected:
    void SetUp() override {
        sijill::test::useBuiltReader();
        // A school with its profile filled: loading the profile window keeps
        // the main window as it is.
        home.exec("Schedual.db", "UPDATE MyInfo SET Admin = 'إدارة تعليم الرياض' WHERE id = 1");
        previous = platform::setFileChooserPresenter(picker);
        main.reloadClassList();
        shell::schoolProfileWindow(); // loaded hidden, as the start-up leaves it
        installStudentWindows(main);
    }
    void TearDown() override {
        for (QWidget* w :
             std::initializer_list<QWidget*>{loadedStudentsImportWindow(),
                                             loadedSkillsImportWindow(), loadedClassMaintenance()})
            if (w)
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setFileChooserPresenter(previous);
        ImportWindow::setDefaultPathSource({});
        StudentsImportWindow::setChooserOpener({});
        StudentsImportWindow::setEmptyPathAction({});
        shell::unregisterChooserMode("استيراد ابتدائي");
        shell::unregisterChooserMode("استيراد المهارات");
        shell::unloadSchoolProfileWindow();
    }

    sijill::test::TestHome home;
    sijill::test::ScriptedScope scope;
    sijill::test::ExitRecorder exit;
    std::shared_ptr<PickingChooser> picker = std::make_shared<PickingChooser>();
    std::shared_ptr<platform::FileChooserPresenter> previous;
    shell::MainForm main;
};

} // namespace

TEST_F(Road, MenuItemOneImportsTheChosenWorkbookAndEnds) {
    picker->file = sijill::test::fixture("students.xls");
    main.chooseMenuItem(shell::MainMenuItem::ImportStudents);
    EXPECT_EQ(picker->modes, QStringList{"استيراد ابتدائي|*.xls"});
    EXPECT_FALSE(main.isEnabled());
    StudentsImportWindow* elem = loadedStudentsImportWindow();
    ASSERT_NE(elem, nullptr);
    EXPECT_TRUE(elem->isVisible());
    EXPECT_EQ(elem->path(), picker->file);
    elem->startImportButton->click();
    EXPECT_EQ(exit.code, 0);
    EXPECT_EQ(sijill::test::studentRows().size(), 15);
    ASSERT_FALSE(scope.systemShown.empty());
    EXPECT_EQ(scope.systemShown.back().text, "تم مسح جميع البيانات السابقة واستبدالها ");
}

TEST_F(Road, SkillsImportFromItsOwnChooserMode) {
    picker->file = sijill::test::fixture("skills.xls");
    main.chooseMenuItem(shell::MainMenuItem::ImportSkills);
    EXPECT_EQ(picker->modes, QStringList{"استيراد المهارات|*.xls"});
    EXPECT_TRUE(main.isEnabled());
    SkillsImportWindow* w = loadedSkillsImportWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    w->startImportButton->click();
    EXPECT_EQ(sijill::test::tableRows("Elemn_skils.db", "SELECT count(*) FROM elemn_skills"),
              QStringList{"4"});
}

TEST_F(Road, MenuItemEightOpensTheClassLists) {
    main.chooseMenuItem(shell::MainMenuItem::EditStudents);
    EXPECT_EQ(scope.dialogs().shown.back().text, "لا يوجد بيانات للصفوف");
    EXPECT_TRUE(main.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(loadedClassMaintenance(), nullptr);

    home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class) VALUES ('ابتدائي','أول','1')");
    main.reloadClassList();
    main.chooseMenuItem(shell::MainMenuItem::EditStudents);
    ASSERT_NE(loadedClassMaintenance(), nullptr);
    EXPECT_TRUE(loadedClassMaintenance()->isVisible());
    EXPECT_FALSE(main.isEnabled());
}

// Loading the profile window (the chooser puts the path there) while the
// import holds the main window disabled must not give the main window back,
// nor may closing a profile window that asked for the missing data.
TEST_F(Road, TheMainWindowStaysDisabledUntilTheImportWindowCloses) {
    for (const bool finished : {true, false}) {
        if (!finished)
            home.exec("Schedual.db", "UPDATE MyInfo SET Admin = 'الإدارة غير محددة' WHERE id = 1");
        shell::unloadSchoolProfileWindow(); // the profile window closed
        picker->file = sijill::test::fixture("students.xls");
        main.chooseMenuItem(shell::MainMenuItem::ImportStudents);
        ASSERT_NE(shell::loadedSchoolProfileWindow(), nullptr);
        EXPECT_EQ(shell::loadedSchoolProfileWindow()->chosenPathBox->text(), picker->file);
        StudentsImportWindow* elem = loadedStudentsImportWindow();
        ASSERT_NE(elem, nullptr);
        EXPECT_TRUE(elem->isVisible());
        EXPECT_FALSE(main.isEnabled()) << finished;
        EXPECT_EQ(elem->path(), picker->file);
        if (!finished) {
            // The profile asked for the administration and shows itself.
            EXPECT_TRUE(shell::loadedSchoolProfileWindow()->isVisible());
            shell::loadedSchoolProfileWindow()->close();
            EXPECT_FALSE(main.isEnabled());
        }
        elem->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(main.isEnabled()) << finished;
    }
}
