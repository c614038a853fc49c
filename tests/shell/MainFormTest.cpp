#include "shell/MainForm.h"
#include "platform/AppState.h"
#include "platform/Clock.h"
#include "platform/ProgramExit.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "shell/ShellTestSupport.h"
#include "support/ExitRecorder.h"
#include "support/LockFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"
#include "support/WidgetText.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::ExitRecorder;
using sijill::test::ScriptedDialogs;
using sijill::test::ScriptedScope;
using sijill::test::TestHome;

namespace {

void addStudents(const TestHome& home, const QString& grade, const QString& cls, int n) {
    for (int i = 0; i < n; ++i)
        home.exec("MyDatabase.db",
                  QStringLiteral("INSERT INTO T1 (d0,d1,d3,d4,d5,d6,d7,d8) "
                                 "VALUES ('%1','x','%2','1','الابتدائي','%3','%4','0')")
                      .arg(i + 1)
                      .arg(grade + cls + QString::number(i))
                      .arg(grade, cls));
}

} // namespace

TEST(MainForm, ClassListOrderKeysAndCounts) {
    TestHome home;
    home.exec("Schedual.db",
              "INSERT INTO grades (kind, grade, class, order_it) VALUES "
              "('ابتدائي','ثاني','1',2), ('ابتدائي','أول','2',1), ('ابتدائي','أول','1',1),"
              "('ابتدائي','أول','10',1), ('ابتدائي','سادس','1',6), ('ابتدائي','سادس','3',7),"
              "('ابتدائي','أول','',1)");
    addStudents(home, "أول", "1", 3);
    addStudents(home, "أول", "10", 2); // never counted with class 1
    addStudents(home, "ثاني", "1", 1);
    home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d6,d7) VALUES ('09','أول','1')"); // no stage
    home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d5,d6,d7) VALUES ('08','-',' أول','1 ')");
    sijill::test::finishProfile(home);

    ScriptedScope scope;
    ExitRecorder exit;
    MainForm form;
    ASSERT_TRUE(form.formLoad());
    EXPECT_FALSE(exit.code);
    // Grade as text, then order_it descending, then class as text.
    EXPECT_EQ(test::comboItems(form.classPicker),
              QStringList({"أول-", "أول-1", "أول-10", "أول-2", "ثاني-1", "سادس-3", "سادس-1"}));
    EXPECT_EQ(form.classPicker->currentIndex(), 0);
    EXPECT_EQ(appState().ClassCounts, QStringLiteral("|0|4|2|0|1|0|0"));
    EXPECT_TRUE(scope.dialogs().shown.empty());

    // A reload shows the new classes and keeps the chosen class; when that
    // class is gone the first is chosen. The counts follow.
    form.classPicker->setCurrentIndex(4); // ثاني-1
    home.exec("Schedual.db", "DELETE FROM grades WHERE class <> '1'");
    form.commands().run(MainCommand::ReloadClassList);
    EXPECT_EQ(test::comboItems(form.classPicker), QStringList({"أول-1", "ثاني-1", "سادس-1"}));
    EXPECT_EQ(form.classPicker->currentText(), "ثاني-1");
    EXPECT_EQ(appState().ClassCounts, QStringLiteral("|4|1|0"));
    home.exec("Schedual.db", "DELETE FROM grades WHERE grade = 'ثاني'");
    form.commands().run(MainCommand::ReloadClassList);
    EXPECT_EQ(form.classPicker->currentText(), "أول-1");
}

TEST(MainForm, EmptyClassTableGivesAnEmptyListQuietly) {
    TestHome home;
    sijill::test::finishProfile(home);
    ScriptedScope scope;
    MainForm form;
    ASSERT_TRUE(form.formLoad());
    EXPECT_EQ(form.classPicker->count(), 0);
    EXPECT_EQ(appState().ClassCounts, QString());
    EXPECT_TRUE(scope.dialogs().shown.empty());
    EXPECT_EQ(form.width(), 1026);
    EXPECT_EQ(form.y(), 0);
    EXPECT_FALSE(form.printPanel->isVisible());
}

// In a school's folder a missing database is named, and an empty one made
// only on Yes; Enter answers No. After No the window starts and the missing
// files are told as such.
TEST(MainForm, MissingDatabaseIsAskedAboutAndMadeOnlyOnYes) {
    for (const QString& answer :
         {QStringLiteral("لا"), ScriptedDialogs::kEnter, QStringLiteral("نعم")}) {
        SCOPED_TRACE(answer.toStdString());
        TestHome home;
        sijill::test::finishProfile(home);
        QTemporaryDir shipped; // the program's own folder, its empty databases
        QDir(shipped.path()).mkpath("Database");
        for (const char* db : {"Schedual.db", "MyDatabase.db"})
            ASSERT_TRUE(
                QFile::copy(home.database(db), shipped.filePath(QString("Database/") + db)));
        ASSERT_EQ(platform::enterDataFolder(shipped.path()), std::nullopt);
        QFile::remove(home.database("Schedual.db"));
        QFile::remove(home.database("MyDatabase.db"));
        ScriptedScope scope;
        scope.dialogs().answer(answer);
        scope.dialogs().answer("موافق");
        MainForm form;
        ASSERT_TRUE(form.formLoad());
        EXPECT_EQ(form.classPicker->count(), 0);
        const auto& shown = scope.dialogs().shown;
        ASSERT_GE(shown.size(), 1u);
        EXPECT_EQ(shown[0].mode, 5);
        EXPECT_TRUE(shown[0].text.contains("Schedual.db"));
        EXPECT_TRUE(shown[0].text.contains("MyDatabase.db"));
        EXPECT_FALSE(shown[0].text.contains("Labels.db"));
        const bool made = answer == QStringLiteral("نعم");
        EXPECT_EQ(QFile::exists(home.database("Schedual.db")), made);
        EXPECT_EQ(QFile::exists(home.database("MyDatabase.db")), made);
        if (made) {
            EXPECT_EQ(shown.size(), 1u) << shown.back().text.toStdString();
            continue;
        }
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_TRUE(shown[1].text.contains("Schedual.db"));
        EXPECT_TRUE(shown[1].text.contains(QStringLiteral("غير موجود")));
    }
}

// The copy refused for a running one touches nothing of the folder's: it
// asks about no missing file and leaves the temporary files of the running
// copy's writes; the copy that holds the lock removes those its killed
// predecessor left, and only those.
TEST(MainForm, SecondCopyIsRefusedWithTheMessageAndEnds) {
    TestHome home;
    QFile::remove(home.database("Labels.db"));
    const QStringList left = {".SchoolInfo.ini.0badf00d.tmp", "Database/.Schedual.db.12345678.tmp"};
    for (const QString& name : left)
        ASSERT_TRUE(test::putFile(home.path() + '/' + name, "half"));
    ASSERT_TRUE(test::putFile(home.path() + "/.notes.tmp", "a user's own"));
    {
        platform::SingleInstance first(platform::programFolder());
        ScriptedScope scope;
        scope.dialogs().answer("موافق");
        ExitRecorder exit;
        MainForm form;
        EXPECT_FALSE(form.formLoad());
        ASSERT_EQ(scope.dialogs().shown.size(), 1u);
        EXPECT_EQ(scope.dialogs().shown[0].text, QStringLiteral("البرنامج يعمل"));
        EXPECT_EQ(scope.dialogs().shown[0].mode, 1);
        EXPECT_EQ(exit.code, 0);
        EXPECT_FALSE(first.anotherIsRunning());
        for (const QString& name : left)
            EXPECT_TRUE(QFile::exists(home.path() + '/' + name)) << name.toStdString();
    }
    ScriptedScope scope;
    scope.dialogs().answer("لا");
    scope.dialogs().answer("موافق");
    MainForm form;
    ASSERT_TRUE(form.formLoad());
    for (const QString& name : left)
        EXPECT_FALSE(QFile::exists(home.path() + '/' + name)) << name.toStdString();
    EXPECT_TRUE(QFile::exists(home.path() + "/.notes.tmp"));
}

TEST(MainForm, ALockFromAnotherComputerIsTakenOnlyOnYesOneLeftHereQuietly) {
    struct Case {
        QString host;
        QString answer; // empty: no box expected
        bool starts;
    };
    for (const Case& c :
         {Case{QSysInfo::machineHostName(), {}, true}, Case{"office-pc", "نعم", true},
          Case{"office-pc", "لا", false}, Case{"office-pc", ScriptedDialogs::kClose, false}}) {
        SCOPED_TRACE(c.answer.toStdString());
        TestHome home;
        sijill::test::finishProfile(home);
        const QString lock = sijill::test::lockPath(home.path());
        ASSERT_TRUE(sijill::test::putLock(home.path(), sijill::test::kNoSuchProcess, c.host));
        const QByteArray written = sijill::test::fileBytes(lock);
        ScriptedScope scope;
        if (!c.answer.isEmpty())
            scope.dialogs().answer(c.answer);
        ExitRecorder exit;
        {
            MainForm form;
            EXPECT_EQ(form.formLoad(), c.starts);
            const auto& shown = scope.dialogs().shown;
            if (c.answer.isEmpty()) {
                EXPECT_TRUE(shown.empty());
            } else {
                ASSERT_FALSE(shown.empty());
                EXPECT_EQ(shown[0].mode, 5);
                EXPECT_TRUE(shown[0].text.contains("office-pc"));
                EXPECT_EQ(shown.size(), 1u) << "a refusal says nothing more";
            }
            EXPECT_EQ(exit.code.has_value(), !c.starts);
            if (c.starts)
                EXPECT_NE(sijill::test::fileBytes(lock), written);
            else
                EXPECT_EQ(sijill::test::fileBytes(lock), written);
        }
        EXPECT_EQ(QFile::exists(lock), !c.starts) << "the lock goes with the window";
    }
}

TEST(MainForm, ClosingEndsTheProgram) {
    TestHome home;
    ScriptedScope scope;
    ExitRecorder exit;
    MainForm form;
    ASSERT_TRUE(form.formLoad());
    form.onCloseClicked();
    EXPECT_EQ(exit.code, 0);
}

TEST(MainForm, StartUpKeepsTodaysHijriDateAndWeekdayOffView) {
    TestHome home;
    sijill::test::finishProfile(home);
    ScriptedScope scope;
    struct ClockScope {
        ClockScope(QDate d) { platform::Clock::setToday(d); }
        ~ClockScope() { platform::Clock::setToday(std::nullopt); }
    };
    // 20 September 2024 was a Friday, 17 Rabi al-Awwal 1446.
    ClockScope clock(QDate(2024, 9, 20));
    MainForm form;
    ASSERT_TRUE(form.formLoad());
    EXPECT_EQ(form.todayDate->text(), QStringLiteral("1446/03/17"));
    EXPECT_EQ(form.weekdayName->text(), QStringLiteral("الجمعة"));
    EXPECT_EQ(form.weekdayNumber->text(), QStringLiteral("7"));
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(form.todayDate->isVisibleTo(&form) &&
                 form.rect().contains(form.todayDate->mapTo(&form, QPoint())));
}
