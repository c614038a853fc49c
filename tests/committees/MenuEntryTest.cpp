// The committee and attendance windows reached from the main window's menus.
#include "attendance/AttendanceWindow.h"
#include "attendance/AttendanceWiring.h"
#include "committees/CommitteeWindow.h"
#include "committees/CommitteesTestSupport.h"
#include "platform/ProgramExit.h"
#include "platform/VbColor.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <gtest/gtest.h>

using namespace sijill;

namespace {

QColor back(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The program started with a small school and both windows joined to it.
struct Program {
    test::TestHome home;
    test::ScriptedScope scope;
    std::unique_ptr<shell::MainForm> form;

    Program() {
        test::finishProfile(home);
        home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) VALUES "
                                 "('ابتدائي','أول','1',1)");
        test::addStudents(home, "أول", "1", 5);
        platform::setExitHandler([](int) {});
        form = std::make_unique<shell::MainForm>();
        attendance::installAttendance(*form);
        committees::installCommittees(*form);
        form->formLoad();
        form->show();
    }
    ~Program() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "CommitteeWindow")
                delete w;
        delete attendance::attendanceWindow();
        flushDeletes();
        form.reset();
        platform::setExitHandler({});
    }

    // The user opens "إداري" and clicks the item with this caption.
    QLabel* pick(const QString& caption) {
        test::hover(form->barItems[3]);
        EXPECT_FALSE(form->dropDowns[3]->isHidden());
        for (QLabel* item : form->menuItems) {
            if (item && item->text() == caption && item->parent() == form->dropDowns[3]) {
                test::hover(item);
                EXPECT_EQ(back(item), platform::vbColor(0xECC7A7));
                test::leftClick(item);
                return item;
            }
        }
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }
};

} // namespace

TEST(MenuEntry, TheCommitteeItemOpensItsWindowAndClosingGivesTheMainWindowBack) {
    Program p;
    QLabel* item = p.pick(QStringLiteral("توزيع الطلاب"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item, p.form->menuItems[10]);
    // Between "قوائم الكنترول" and "  كل صف لجنة مستقلة".
    EXPECT_GT(item->y(), p.form->menuItems[5]->y());
    EXPECT_LT(item->y(), p.form->menuItems[11]->y());
    QPointer<committees::CommitteeWindow> window = committees::committeeWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("توزيع الطلاب"));
    EXPECT_FALSE(p.form->isEnabled());
    EXPECT_TRUE(window->isEnabled());

    window->onCloseClicked();
    flushDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(p.form->isEnabled());
    EXPECT_TRUE(p.form->isVisible());
}

TEST(MenuEntry, TheAttendanceRowOpensItsWindowOnTheScreenAndClosingGivesTheMainWindowBack) {
    Program p;
    const QRect panelBefore = p.form->dropDowns[3]->geometry();
    QLabel* row = p.pick(QStringLiteral("غياب وتأخر الطلاب"));
    ASSERT_NE(row, nullptr);
    // The last row of the drop-down, inside it.
    for (QLabel* item : p.form->menuItems) {
        if (item && item != row && item->parent() == row->parent()) {
            EXPECT_LT(item->y(), row->y());
        }
    }
    EXPECT_LE(row->geometry().bottom(), panelBefore.height());
    // The main window answers no pointer while the window is open.
    const QColor rowBack = back(row);
    test::hover(p.form->menuItems[5]);
    EXPECT_EQ(back(row), rowBack);

    QPointer<attendance::AttendanceWindow> window = attendance::attendanceWindow();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(p.form->isEnabled());
    const QRect area = window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window->frameGeometry())) << window->frameGeometry().y();

    EXPECT_TRUE(window->close());
    flushDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(p.form->isEnabled());
    EXPECT_TRUE(p.form->isVisible());
}

TEST(MenuEntry, TheAttendanceWindowStaysOnTheScreenBesideAMainWindowAtItsTop) {
    Program p;
    // The main window as tall as the screen, at its very top.
    const QRect area = p.form->screen()->availableGeometry();
    p.form->setGeometry(area.x(), area.y(), p.form->width(), area.height() + 200);
    p.pick(QStringLiteral("غياب وتأخر الطلاب"));
    attendance::AttendanceWindow* window = attendance::attendanceWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    EXPECT_EQ(window->frameGeometry().top(), area.top());
}
