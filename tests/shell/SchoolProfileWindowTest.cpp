#include "shell/SchoolProfileWindow.h"
#include "data/Connection.h"
#include "platform/ProgramExit.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::ScriptedScope;
using sijill::test::TestHome;

namespace {

const QString kDemand = QStringLiteral(" لم يتم اكمال كتابة بيانات المدرسة ");

struct Started {
    ScriptedScope scope;
    MainForm form;
    Started() {
        platform::setExitHandler([](int) {});
        form.formLoad();
    }
    ~Started() { platform::setExitHandler({}); }
};

QVariantList storedRow(const TestHome& home) {
    const auto rs = data::Connection(home.database("Schedual.db"))
                        .query("SELECT Admin, School, ThisYear, ThisSemester, Job, ThisName, "
                               "name_2, name_3, Gender FROM MyInfo WHERE id = 1");
    QVariantList row;
    for (int c = 0; c < 9 && !rs.isEmpty(); ++c)
        row << rs.value(0, c);
    return row;
}

} // namespace

TEST(SchoolProfileWindow, AnUnfinishedProfileIsDemandedAtStartUpUntilTheWindowCloses) {
    TestHome home;
    Started s;
    ASSERT_EQ(s.scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(s.scope.dialogs().shown[0].text, kDemand);
    EXPECT_EQ(s.scope.dialogs().shown[0].style, 1);
    SchoolProfileWindow* info = loadedSchoolProfileWindow();
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isVisible());
    EXPECT_TRUE(info->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(s.form.isEnabled());
    EXPECT_TRUE(info->isEnabled());
    EXPECT_EQ(info->width(), 506); // 7590 twips

    info->onCloseClicked();
    EXPECT_TRUE(s.form.isEnabled());
    EXPECT_EQ(loadedSchoolProfileWindow(), nullptr);

    // Reading the profile after the window closed loads it again, and asks again.
    EXPECT_TRUE(isUnfinished(schoolProfile().Admin));
    EXPECT_EQ(s.scope.dialogs().shown.size(), 2u);
    EXPECT_FALSE(s.form.isEnabled());
    ASSERT_TRUE(loadedSchoolProfileWindow());
    EXPECT_TRUE(loadedSchoolProfileWindow()->isVisible());

    // Escape in one of its boxes closes it as its close picture does.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(loadedSchoolProfileWindow()->findChild<QLineEdit*>(), &escape);
    EXPECT_TRUE(s.form.isEnabled());
    EXPECT_EQ(loadedSchoolProfileWindow(), nullptr);
}

TEST(SchoolProfileWindow, AFinishedProfileLoadsHiddenIntoTheBoxes) {
    TestHome home;
    sijill::test::finishProfile(home);
    home.exec("Schedual.db", "UPDATE MyInfo SET ThisYear = '1447', Gender = 2");
    Started s;
    EXPECT_TRUE(s.scope.dialogs().shown.empty());
    EXPECT_TRUE(s.form.isEnabled());
    SchoolProfileWindow* info = loadedSchoolProfileWindow();
    ASSERT_TRUE(info);
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(info->administrationBox->text(), QStringLiteral("إدارة تعليم الرياض"));
    EXPECT_EQ(info->schoolBox->text(), QStringLiteral("مدرسة النور الابتدائية"));
    EXPECT_EQ(info->yearBox->text(), QStringLiteral("1447"));
    EXPECT_EQ(info->semesterBox->text(), QStringLiteral("الفصل الدراسي هنا"));
    EXPECT_EQ(info->jobTitleBox->text(), QStringLiteral("قائد المدرسة"));
    EXPECT_TRUE(info->genderOptions[2]->isChecked());

    // The bar item shows it and leaves the main window enabled.
    s.form.onBarItemClicked(0);
    EXPECT_TRUE(info->isVisible());
    EXPECT_TRUE(s.form.isEnabled());
}

TEST(SchoolProfileWindow, SavingWritesTheBoxesAndSaysSo) {
    TestHome home;
    sijill::test::finishProfile(home);
    home.exec("Schedual.db", "UPDATE MyInfo SET Gender = 5");
    Started s;
    SchoolProfileWindow* info = schoolProfileWindow();
    EXPECT_TRUE(info->genderOptions[1]->isChecked()); // an unknown gender leaves boys
    info->administrationBox->setText(QStringLiteral("إدارة 'جدة'"));
    info->secondPreparerBox->setText(QString());
    s.scope.dialogs().answer("موافق");
    // On view from the bar, its button reached by Tab and pressed with Enter.
    s.form.onBarItemClicked(0);
    info->saveButton->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(info->saveButton, &enter);
    ASSERT_EQ(s.scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(s.scope.dialogs().shown[0].text, QStringLiteral(" تم حفظ التغييرات "));
    EXPECT_EQ(s.scope.dialogs().shown[0].style, 0);
    const QVariantList row = storedRow(home);
    ASSERT_EQ(row.size(), 9);
    EXPECT_EQ(row[0].toString(), QStringLiteral("إدارة 'جدة'"));
    EXPECT_EQ(row[7].toString(), QString());
    EXPECT_EQ(row[8].toInt(), 1);
    EXPECT_EQ(info->administrationBox->text(), QStringLiteral("إدارة 'جدة'")); // nothing reloaded

    info->genderOptions[2]->setChecked(true);
    home.exec("Schedual.db", "DELETE FROM MyInfo");
    info->saveButton->click();
    EXPECT_EQ(storedRow(home).value(8).toInt(), 2);
    EXPECT_EQ(storedRow(home).value(0).toString(), QStringLiteral("إدارة 'جدة'"));
    info->close();
}

TEST(SchoolProfileWindow, AFailedLoadOrSaveIsToldAndTheMainWindowStaysUsable) {
    TestHome home;
    home.exec("Schedual.db", "DROP TABLE MyInfo");
    Started s;
    // One start-up report, and no demand for a profile that could not be read.
    ASSERT_EQ(s.scope.dialogs().shown.size(), 1u);
    EXPECT_NE(s.scope.dialogs().shown[0].text, kDemand);
    EXPECT_TRUE(s.form.isEnabled());
    SchoolProfileWindow* info = loadedSchoolProfileWindow();
    ASSERT_TRUE(info);
    EXPECT_FALSE(info->isVisible());

    info->saveButton->click();
    ASSERT_EQ(s.scope.dialogs().shown.size(), 2u);
    EXPECT_NE(s.scope.dialogs().shown[1].text, QStringLiteral(" تم حفظ التغييرات "));
    EXPECT_EQ(s.scope.dialogs().shown[1].style, 1);
}
