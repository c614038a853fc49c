#include "data/Connection.h"
#include "platform/AppState.h"
#include "platform/ProgramExit.h"
#include "platform/VbColor.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolInfoFile.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"
#include "support/TypedOrder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::EnvScope;
using sijill::test::hover;
using sijill::test::leftClick;
using sijill::test::ScriptedDialogs;
using sijill::test::ScriptedScope;
using sijill::test::TestHome;

namespace {

const QString kNoClasses = QStringLiteral(" حصل خطأ في التعرف على أسماء الصفوف");

QColor back(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

struct Program {
    TestHome home;
    EnvScope local{"LOCALAPPDATA", QByteArray()};
    ScriptedScope scope;
    std::unique_ptr<MainForm> form;

    explicit Program(bool withClasses = true) {
        sijill::test::finishProfile(home);
        if (withClasses) {
            home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) VALUES "
                                     "('ابتدائي','أول','1',1), ('ابتدائي','أول','2',1)");
            home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d3,d4,d5,d6,d7,d8) VALUES "
                                       "('1','a','11','1','ابتدائي','أول','1','0'),"
                                       "('2','b','12','1','ابتدائي','أول','1','0'),"
                                       "('1','c','13','1','ابتدائي','أول','2','0')");
        }
        platform::setExitHandler([](int) {});
        form = std::make_unique<MainForm>();
        form->formLoad();
    }
    ~Program() {
        form.reset();
        platform::setExitHandler({});
    }
    int students() const {
        return data::Connection(home.database("MyDatabase.db"))
            .scalar("SELECT count(*) FROM T1")
            .toInt();
    }
};

} // namespace

TEST(MainMenus, BarHoverOpensDropDownsAndTheBackgroundClosesThem) {
    Program p;
    MainForm& f = *p.form;
    EXPECT_EQ(f.barItems[0]->text(), QStringLiteral("بيانات المدرسة"));
    EXPECT_EQ(f.barItems[1]->text(), QStringLiteral("الرئيسة"));
    EXPECT_TRUE(f.dropDowns[1]->isHidden());
    EXPECT_TRUE(f.dropDowns[3]->isHidden());

    hover(f.barItems[1]);
    EXPECT_FALSE(f.dropDowns[1]->isHidden());
    EXPECT_EQ(back(f.barItems[1]), platform::vbColor(0xECC7A7));
    EXPECT_EQ(back(f.barItems[3]), platform::vbColor(0xC0C0C0));
    hover(f.menuItems[9]);
    EXPECT_EQ(back(f.menuItems[9]), platform::vbColor(0xECC7A7));
    EXPECT_EQ(back(f.menuItems[1]), platform::vbColor(0xDEDEDE));

    // Into the other drop-down, by the bar or by a click: the first closes.
    hover(f.barItems[3]);
    EXPECT_TRUE(f.dropDowns[1]->isHidden());
    hover(f.dropDowns[3]);
    EXPECT_TRUE(f.dropDowns[1]->isHidden());
    EXPECT_FALSE(f.dropDowns[3]->isHidden());
    leftClick(f.barItems[1]);
    EXPECT_TRUE(f.dropDowns[3]->isHidden());
    EXPECT_FALSE(f.dropDowns[1]->isHidden());
    // A child window opened from the bar closes the drop-down under it.
    leftClick(f.barItems[0]);
    EXPECT_TRUE(f.dropDowns[1]->isHidden());
    schoolProfileWindow()->hide();
    hover(f.barItems[3]);

    hover(&f);
    EXPECT_TRUE(f.dropDowns[3]->isHidden());
    EXPECT_EQ(back(f.barItems[3]), platform::vbColor(0xC0C0C0));
    EXPECT_EQ(back(f.menuItems[9]), platform::vbColor(0xECC7A7)); // items keep theirs
}

TEST(MainMenus, PrintPanelOpensOnItsTabAndBlocksDropDownsUntilClosed) {
    Program p;
    MainForm& f = *p.form;
    f.classPicker->setCurrentIndex(1);
    leftClick(f.barItems[2]);
    EXPECT_FALSE(f.printPanel->isHidden());
    EXPECT_EQ(f.classPicker->currentIndex(), 0);
    EXPECT_FALSE(f.printTabPanels[0]->isHidden());
    for (int i = 1; i < 5; ++i)
        EXPECT_TRUE(f.printTabPanels[i]->isHidden());
    EXPECT_EQ(f.printTabPanels[3]->pos(), QPoint(167, 167)); // 2500 twips
    EXPECT_EQ(f.printTabPanels[3]->frameShape(), QFrame::NoFrame);

    // Tabs: hover colours, the panel and the marker follow the click.
    hover(f.printTabs[2]);
    EXPECT_EQ(back(f.printTabs[2]), platform::vbColor(0xC0C0C0));
    leftClick(f.printTabs[2]);
    EXPECT_EQ(back(f.printTabs[2]), platform::vbColor(0xDEDEDE));
    EXPECT_FALSE(f.printTabPanels[2]->isHidden());
    EXPECT_TRUE(f.printTabPanels[0]->isHidden());
    EXPECT_EQ(f.printTabMarker->x(), f.printTabs[2]->x());

    // Hovering the bar opens nothing while the panel is open.
    hover(f.barItems[3]);
    EXPECT_TRUE(f.dropDowns[3]->isHidden());
    leftClick(f.barItems[0]);
    EXPECT_FALSE(f.printPanel->isHidden());
    leftClick(f.barItems[3]);
    EXPECT_TRUE(f.printPanel->isHidden());
    EXPECT_FALSE(f.dropDowns[3]->isHidden());

    // Reopening shows tab panel 0 again; the marker stays where it was.
    leftClick(f.barItems[2]);
    EXPECT_FALSE(f.printTabPanels[0]->isHidden());
    EXPECT_TRUE(f.printTabPanels[2]->isHidden());
    EXPECT_EQ(f.printTabMarker->x(), f.printTabs[2]->x());
    EXPECT_TRUE(p.scope.dialogs().shown.empty());
}

TEST(MainMenus, ScopeBoxesClearEachOther) {
    Program p;
    MainForm& f = *p.form;
    f.wholeGradeCheck->click();
    EXPECT_TRUE(f.wholeGradeCheck->isChecked());
    f.wholeSchoolCheck->click();
    EXPECT_TRUE(f.wholeSchoolCheck->isChecked());
    EXPECT_FALSE(f.wholeGradeCheck->isChecked());
    f.wholeSchoolCheck->click();
    EXPECT_FALSE(f.wholeSchoolCheck->isChecked());
    EXPECT_FALSE(f.wholeGradeCheck->isChecked());
    f.wholeSchoolCheck->click();
    f.wholeGradeCheck->click();
    EXPECT_TRUE(f.wholeGradeCheck->isChecked());
    EXPECT_FALSE(f.wholeSchoolCheck->isChecked());
}

TEST(MainMenus, AnEmptyClassListIsRefusedByThePrintPanelAndTheExamItems) {
    Program p(false);
    MainForm& f = *p.form;
    int opened = 0;
    f.setMenuAction(shell::MainMenuItem::ExamControl, [&] { ++opened; });
    f.setMenuAction(shell::MainMenuItem::ExamControlLabels, [&] { ++opened; });

    leftClick(f.barItems[2]);
    EXPECT_TRUE(f.printPanel->isHidden());
    leftClick(f.menuItems[5]);
    f.chooseMenuItem(shell::MainMenuItem::ExamControlLabels);
    EXPECT_EQ(opened, 0);
    const auto& shown = p.scope.dialogs().shown;
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, QStringLiteral("يوجد خطأ في ملفات البرنامج") + "\r" +
                                 QStringLiteral("فضلا، أعد استيراد الأسماء") + "\r" +
                                 QStringLiteral("من نظام نور"));
    EXPECT_EQ(shown[0].style, 0);
    EXPECT_EQ(shown[1].text, kNoClasses);
    EXPECT_EQ(shown[1].style, 1);
    EXPECT_EQ(shown[2].text, kNoClasses);
    EXPECT_TRUE(f.isEnabled());
}

TEST(MainMenus, ItemsOfOtherWindowsRunWhatIsRegisteredAndOtherwiseNothing) {
    Program p;
    MainForm& f = *p.form;
    using Item = MainMenuItem;
    for (Item item :
         {Item::ImportStudents, Item::ExamControl, Item::EditStudents, Item::ExamControlLabels})
        f.chooseMenuItem(item);
    EXPECT_TRUE(p.scope.dialogs().shown.empty());
    EXPECT_TRUE(f.isEnabled());
    QList<int> ran;
    for (Item item :
         {Item::ExamControl, Item::EditStudents, Item::ExamControlLabels, Item::ImportStudents})
        f.setMenuAction(item, [&ran, item] { ran << static_cast<int>(item); });
    for (int i : {5, 8, 11}) {
        // The item's drop-down closes as its window opens.
        QWidget* menu = f.menuItems[i]->parentWidget();
        menu->show();
        leftClick(f.menuItems[i]);
        EXPECT_TRUE(menu->isHidden()) << i;
    }
    EXPECT_EQ(ran, QList<int>({5, 8, 11}));
    EXPECT_TRUE(f.isEnabled());

    // The import item readies the chooser for its mode before its action runs.
    fileChooser()->actionButton->setText("x");
    f.setMenuAction(shell::MainMenuItem::ImportStudents, [&] {
        ran << 1;
        EXPECT_FALSE(f.isEnabled());
        EXPECT_TRUE(fileChooser()->titlePicture->isHidden());
        EXPECT_EQ(fileChooser()->mode(), QStringLiteral("استيراد ابتدائي"));
    });
    leftClick(f.menuItems[1]);
    EXPECT_EQ(ran.last(), 1);
}

TEST(MainMenus, WhileTheMainWindowIsDisabledOnlyItsCommandsWork) {
    Program p;
    MainForm& f = *p.form;
    f.show();
    QList<int> ran;
    f.setMenuAction(shell::MainMenuItem::ImportStudents, [&ran] { ran << 1; });
    f.onBarItemHovered(1); // the drop-down the child was opened from
    f.setEnabled(false);   // as while a child window is open
    for (QWidget* part : std::initializer_list<QWidget*>{
             f.menuItems[1], f.menuItems[9], f.barItems[0], f.barItems[2], f.minimiseIcon,
             f.closeIcon, static_cast<QWidget*>(&f)}) {
        hover(part);
        leftClick(part);
    }
    EXPECT_TRUE(ran.isEmpty());
    EXPECT_TRUE(p.scope.dialogs().shown.empty());
    EXPECT_TRUE(f.printPanel->isHidden());
    EXPECT_FALSE(loadedSchoolProfileWindow() && loadedSchoolProfileWindow()->isVisible());
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(f.dropDowns[1]->isVisible());

    p.home.exec("Schedual.db", "DELETE FROM grades WHERE class = '2'");
    EXPECT_TRUE(runMainCommand(MainCommand::ReloadClassList));
    EXPECT_EQ(f.classPicker->count(), 1);
    int ranCommands = 0;
    for (int i = 0; i < static_cast<int>(MainCommand::Count); ++i) {
        const auto command = static_cast<MainCommand>(i);
        if (command != MainCommand::ReloadClassList)
            f.commands().define(command, &f, [&ranCommands] { ++ranCommands; });
        EXPECT_TRUE(runMainCommand(command)) << i;
    }
    EXPECT_EQ(ranCommands, static_cast<int>(MainCommand::Count) - 1);
}

TEST(MainMenus, HelpMinimisesTheMainWindowAndClosingItRestoresIt) {
    Program p;
    MainForm& f = *p.form;
    f.show();
    leftClick(f.menuItems[6]);
    EXPECT_TRUE(f.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(f.isEnabled());
    HelpWindow* help = loadedHelpWindow();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("    طريقة الاستخدام"));
    for (QLabel* picture : help->topicPictures)
        EXPECT_TRUE(picture->isHidden());

    leftClick(help->topicLabels[1]);
    EXPECT_FALSE(help->topicPictures[1]->isHidden());
    EXPECT_GE(help->height(), help->topicPictures[1]->geometry().bottom());
    leftClick(help->topicPictures[1]);
    EXPECT_TRUE(help->topicPictures[1]->isHidden());
    hover(help->topicLabels[2]);
    EXPECT_EQ(back(help->topicLabels[2]).name(), platform::vbColor(0xECC7A7).name());

    leftClick(help->topicLabels[0]);
    // The format's name keeps its full stop after it, as typed.
    const QString step = help->topicPictures[0]->accessibleDescription().section('\n', 0, 0);
    EXPECT_TRUE(step.contains(QStringLiteral("بصيغة"))) << step.toStdString();
    sijill::test::expectTypedOrder(step, QStringLiteral("xls."));
    help->close();
    EXPECT_FALSE(f.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(loadedHelpWindow(), nullptr);
}

TEST(MainMenus, DeleteAllAnsweredWithOkEmptiesStudentsAndRewritesTheFile) {
    Program p;
    MainForm& f = *p.form;
    ASSERT_FALSE(writeSchoolInfoLines(schoolInfoPath(), {"old", ":أول:1"}));
    schoolProfileWindow()->schoolBox->setText(QStringLiteral("مدرسة الأمل")); // unsaved edits count
    p.scope.dialogs().answer("موافق");
    p.scope.dialogs().answer("موافق");
    leftClick(f.menuItems[9]);
    const auto& shown = p.scope.dialogs().shown;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("هل تريد مسح جميع بيانات الفصول"));
    EXPECT_EQ(shown[0].mode, 2);
    EXPECT_EQ(shown[0].style, 1);
    EXPECT_EQ(shown[1].text, QStringLiteral("لقد تم مسح جمبع البيانات بنجاح"));
    EXPECT_EQ(p.students(), 0);
    EXPECT_EQ(readSchoolInfoLines(schoolInfoPath()),
              std::optional<QStringList>(QStringList{QStringLiteral("مدرسة الأمل")}));
    // The classes stay listed, now without students.
    EXPECT_EQ(f.classPicker->count(), 2);
    EXPECT_EQ(appState().ClassCounts, QStringLiteral("|0|0"));
}

TEST(MainMenus, DeleteAllCancelledOrClosedChangesNothing) {
    Program p;
    MainForm& f = *p.form;
    ASSERT_FALSE(writeSchoolInfoLines(schoolInfoPath(), {"old"}));
    p.scope.dialogs().answer("إلغاء");
    f.chooseMenuItem(shell::MainMenuItem::DeleteAllClasses);
    p.scope.dialogs().answer(ScriptedDialogs::kClose);
    f.chooseMenuItem(shell::MainMenuItem::DeleteAllClasses);
    EXPECT_EQ(p.scope.dialogs().shown.size(), 2u);
    EXPECT_EQ(p.students(), 3);
    EXPECT_EQ(readSchoolInfoLines(schoolInfoPath()),
              std::optional<QStringList>(QStringList{"old"}));
    EXPECT_EQ(appState().ClassCounts, QStringLiteral("|2|1"));
}

TEST(MainMenus, DeleteAllThatFailsSaysWhyAndNeverSuccess) {
    Program p;
    MainForm& f = *p.form;
    QFile::remove(p.home.database("MyDatabase.db"));
    p.scope.dialogs().answer("موافق");
    p.scope.dialogs().answer("موافق");
    f.chooseMenuItem(shell::MainMenuItem::DeleteAllClasses);
    const auto& shown = p.scope.dialogs().shown;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[1].text.contains("MyDatabase.db"));
    EXPECT_EQ(shown[1].style, 1);
    EXPECT_FALSE(QFile::exists(schoolInfoPath()));
}

TEST(MainMenus, CaptionsOfADisabledMainWindowStayReadable) {
    Program p;
    p.form->show();
    // While another window is open the main window is disabled: its captions
    // are drawn in the disabled palette, dark on the menu colours.
    p.form->setEnabled(false);
    for (QLabel* label : {p.form->barItems[0], p.form->barItems[1], p.form->menuItems[1]}) {
        ASSERT_FALSE(label->isEnabled());
        const QColor text = label->palette().color(QPalette::Disabled, QPalette::WindowText);
        const QColor ground = label->palette().color(QPalette::Disabled, QPalette::Window);
        EXPECT_GT(std::abs(ground.lightness() - text.lightness()), 100)
            << label->text().toStdString();
        // The grab shows the caption: many pixels near the text colour.
        const QImage shot = label->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (qAbs(QColor(shot.pixel(x, y)).lightness() - text.lightness()) < 40)
                    ++dark;
        EXPECT_GT(dark, 30) << label->text().toStdString();
    }
    p.form->setEnabled(true);
}
