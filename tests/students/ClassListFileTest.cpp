#include "StudentsTestSupport.h"
#include "shell/MainForm.h"
#include "shell/SchoolInfoFile.h"
#include "students/ClassMaintenanceWindow.h"
#include "support/FileBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetText.h"
#include "support/WriteFaultScope.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::students;
using sijill::test::classRows;
using sijill::test::ScriptedScope;
using sijill::test::studentRows;
using sijill::test::TestHome;
using sijill::test::WriteFaultScope;
using At = platform::WriteFault::At;

namespace {

// The class-list window in its remove mode over three classes, one of them
// typed with Arabic-Indic digits, and a class-list file written before.
class ClassListFile : public ::testing::Test {
protected:
    void SetUp() override {
        home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class,order_it) VALUES "
                                 "('ابتدائي','أول','1',1), ('ابتدائي','أول','2',1), "
                                 "('ابتدائي','ثاني','١',2)");
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d3,d5,d6,d7) VALUES "
                                   "('1','أحمد','11','الابتدائي','أول','1'),"
                                   "('1','بدر','12','الابتدائي','أول','2'),"
                                   "('2','جابر','13','الابتدائي','أول','2'),"
                                   "('1','ثامر','21','الابتدائي','ثاني','١')");
        EXPECT_FALSE(shell::writeSchoolInfoLines(ini, {"مدرسة النور", ":قديم:1"}));
        oldFile = test::fileBytes(ini);
        oldClasses = classRows();
        oldStudents = studentRows();
        main = std::make_unique<shell::MainForm>();
        main->reloadClassList();
        w = std::make_unique<ClassMaintenanceWindow>();
        w->formLoad();
        w->onToolbarClicked(4);
    }
    // Removes :أول:2, answering the question with OK.
    void removeSecondClass() {
        w->targetClassPicker->setCurrentIndex(1);
        ASSERT_EQ(w->targetClassPicker->currentText(), ":أول:2");
        scope.dialogs().answer("موافق");
        w->removeClassButton->click();
    }
    bool tempFileLeft() const {
        return QDir(home.path()).entryList(QDir::Files | QDir::Hidden).join(' ').contains(".tmp");
    }

    TestHome home;
    ScriptedScope scope;
    const QString ini = shell::schoolInfoPath();
    QByteArray oldFile;
    QStringList oldClasses, oldStudents;
    std::unique_ptr<shell::MainForm> main;
    std::unique_ptr<ClassMaintenanceWindow> w;
};

} // namespace

TEST_F(ClassListFile, RemovalWritesArabicIndicDigitsAsLatinAndDeletes) {
    removeSecondClass();
    EXPECT_EQ(shell::readSchoolInfoLines(ini), QStringList({"مدرسة النور", ":أول:1", ":ثاني:1"}));
    EXPECT_EQ(classRows().size(), 2);
    EXPECT_EQ(studentRows().size(), 2);
    EXPECT_EQ(scope.dialogs().shown.size(), 1u) << "the question only";
}

TEST_F(ClassListFile, RemovalRefusesACharacterTheFileCannotHoldBeforeDeleting) {
    home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class,order_it) "
                             "VALUES ('ابتدائي','ثالث','ş',3)");
    main->reloadClassList();
    w = std::make_unique<ClassMaintenanceWindow>();
    w->formLoad();
    w->onToolbarClicked(4);
    oldClasses = classRows();
    removeSecondClass();
    const auto& shown = scope.dialogs().shown;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[1].text.contains("ş"));
    EXPECT_TRUE(shown[1].text.contains(":ثالث:ş"));
    EXPECT_EQ(shown[1].style, 1);
    EXPECT_EQ(classRows(), oldClasses);
    EXPECT_EQ(studentRows(), oldStudents);
    EXPECT_EQ(test::fileBytes(ini), oldFile);
    EXPECT_EQ(w->targetClassPicker->count(), 4) << "the class stays listed";
}

TEST_F(ClassListFile, AWriteThatFailsBeforeTheRemovalChangesNothing) {
    for (const At at : {At::Write, At::Flush}) {
        WriteFaultScope fault(at, "SchoolInfo.ini");
        removeSecondClass();
        ASSERT_FALSE(scope.dialogs().shown.empty());
        const QString told = scope.dialogs().shown.back().text;
        EXPECT_TRUE(told.startsWith("لم يُحذف الفصل ولا طلابه")) << told.toStdString();
        EXPECT_TRUE(told.contains(QDir::toNativeSeparators(ini)));
        EXPECT_EQ(classRows(), oldClasses);
        EXPECT_EQ(studentRows(), oldStudents);
        EXPECT_EQ(test::fileBytes(ini), oldFile);
        EXPECT_FALSE(tempFileLeft());
        EXPECT_EQ(test::comboItems(w->targetClassPicker),
                  QStringList({":أول:1", ":أول:2", ":ثاني:١"}));
    }
}

TEST_F(ClassListFile, ARenameThatFailsAfterTheRemovalSaysTheFileWasNotUpdated) {
    {
        WriteFaultScope fault(At::Rename, "SchoolInfo.ini");
        removeSecondClass();
    }
    const QString told = scope.dialogs().shown.back().text;
    EXPECT_TRUE(told.startsWith("تم حذف طلاب الفصل، ولم يُحدَّث ملف قائمة الفصول"));
    EXPECT_TRUE(told.contains(QDir::toNativeSeparators(ini)));
    EXPECT_EQ(classRows().size(), 2);
    EXPECT_EQ(studentRows().size(), 2);
    EXPECT_EQ(test::fileBytes(ini), oldFile);
    EXPECT_FALSE(tempFileLeft());
    EXPECT_EQ(test::comboItems(w->targetClassPicker), QStringList({":أول:1", ":ثاني:١"}));
}

TEST_F(ClassListFile, TheListSaveThatFailsIsToldAndKeepsTheOldFile) {
    for (const At at : test::kFaultPoints) {
        WriteFaultScope fault(at, "SchoolInfo.ini");
        const size_t before = scope.dialogs().shown.size();
        w->saveClassListButton->click();
        ASSERT_EQ(scope.dialogs().shown.size(), before + 1);
        EXPECT_TRUE(scope.dialogs().shown.back().text.contains(QDir::toNativeSeparators(ini)));
        EXPECT_EQ(test::fileBytes(ini), oldFile);
        EXPECT_FALSE(tempFileLeft());
    }
    w->saveClassListButton->click();
    EXPECT_EQ(shell::readSchoolInfoLines(ini),
              QStringList({"مدرسة النور", ":أول:1", ":أول:2", ":ثاني:1"}));
}
