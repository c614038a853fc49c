#include "students/ClassMaintenanceWindow.h"
#include "StudentsTestSupport.h"
#include "data/DataError.h"
#include "platform/AppState.h"
#include "shell/MainForm.h"
#include "shell/SchoolInfoFile.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::students;
using sijill::test::ScriptedDialogs;
using sijill::test::ScriptedScope;
using sijill::test::tableRows;
using sijill::test::TestHome;

namespace {

QStringList listed(const ClassMaintenanceWindow& w) {
    QStringList out;
    for (int i = 0; i < w.studentList->count(); ++i)
        out << w.studentList->item(i)->text();
    return out;
}

// Rows of T1 as "d0|d1|d2|d3|d4|d5|d6|d7", in id order.
QStringList rows() {
    return tableRows("MyDatabase.db", "SELECT d0,d1,d2,d3,d4,d5,d6,d7 FROM T1 ORDER BY id");
}

// Class أول 1 numbered 01, 03, 03, 07; a student of أول 11 that must never
// be taken for class 1; a copy of "بدر" in أول 2; one student in ثاني 1.
class ClassMaintenance : public ::testing::Test {
protected:
    void SetUp() override {
        home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class,order_it) VALUES "
                                 "('ابتدائي','أول','1',1), ('ابتدائي','أول','2',1), "
                                 "('ابتدائي','ثاني','1',2)");
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
                                   "('07','دايم','0','14','1','الابتدائي','أول','1','0'),"
                                   "('03','جابر','0','13','1','الابتدائي','أول','1','0'),"
                                   "('01','احمد','0','11','1','الابتدائي','أول','1','0'),"
                                   "('03','بدر','0','12','1','الابتدائي','أول','1','0'),"
                                   "('01','حادي عشر','0','99','1','الابتدائي','أول','11','0'),"
                                   "('05','بدر','-','12','-','','أول','2',NULL),"
                                   "('1','ثامر',NULL,'21','1','الابتدائي','ثاني','1','0')");
        main = std::make_unique<shell::MainForm>();
        main->reloadClassList();
        w = std::make_unique<ClassMaintenanceWindow>();
        w->formLoad();
    }

    // Makes a line of the list current (and the only one selected).
    void pick(const QString& name, const QString& civil) {
        for (int i = 0; i < static_cast<int>(w->lines().size()); ++i) {
            if (w->lines()[i].name == name && w->lines()[i].civil == civil) {
                w->studentList->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
                return;
            }
        }
        ADD_FAILURE() << "no line " << name.toStdString();
    }
    void show(int combo4Index) {
        w->classPicker->setCurrentIndex(combo4Index);
        w->onClassChosen();
    }

    TestHome home;
    ScriptedScope scope;
    std::unique_ptr<shell::MainForm> main;
    std::unique_ptr<ClassMaintenanceWindow> w;
};

} // namespace

TEST_F(ClassMaintenance, OpeningFillsTheSelectorsAndListsTheSchool) {
    EXPECT_EQ(test::comboItems(w->classPicker),
              QStringList({"جميع الطلاب", ":أول:1", ":أول:2", ":ثاني:1"}));
    EXPECT_EQ(test::comboItems(w->targetClassPicker), QStringList({":أول:1", ":أول:2", ":ثاني:1"}));
    EXPECT_EQ(main->classPicker->currentText(), "ثاني-1");
    EXPECT_EQ(w->studentList->count(), 7);
    EXPECT_EQ(w->windowTitle(), "توزيع الطلاب");
    EXPECT_EQ(w->x(), main->x() + 120);
    EXPECT_EQ(w->height(), main->height());
}

TEST_F(ClassMaintenance, ListingMatchesGradeAndClassExactly) {
    show(1);
    EXPECT_EQ(listed(*w), QStringList({"01 | 11 | احمد | 0", "03 | 12 | بدر | 0",
                                       "03 | 13 | جابر | 0", "07 | 14 | دايم | 0"}));
    show(3); // a number of one digit is shown with two; no phone shows nothing
    EXPECT_EQ(listed(*w), QStringList({"01 | 21 | ثامر | "}));
    // With a stage in the item, the stage must be contained in d5.
    w->classPicker->addItem("الابتدائي:أول:2");
    show(4);
    EXPECT_TRUE(listed(*w).isEmpty());
    w->busyCheck->setChecked(true);
    show(1);
    EXPECT_TRUE(listed(*w).isEmpty()); // busy: nothing listed
}

TEST_F(ClassMaintenance, RenumberTouchesOnlyTheListedRows) {
    show(1);
    w->renumberButton->click();
    EXPECT_EQ(listed(*w), QStringList({"01 | 11 | احمد | 0", "02 | 12 | بدر | 0",
                                       "03 | 13 | جابر | 0", "04 | 14 | دايم | 0"}));
    ASSERT_EQ(scope.systemShown.size(), 1u);
    EXPECT_EQ(scope.systemShown[0].text, "تم تعديل البيانات");
    // The copy of بدر in class 2 keeps its number.
    EXPECT_EQ(rows()[5], "05|بدر|-|12|-||أول|2");

    show(0);
    const QStringList before = rows();
    w->renumberButton->click();
    EXPECT_EQ(scope.systemShown.back().text, "لا يمكنك إعادة الترقيم لكل المدرسة");
    EXPECT_EQ(rows(), before);
}

TEST_F(ClassMaintenance, AddPutsTheStudentInTheChosenClassAndRenumbers) {
    w->onToolbarClicked(0);
    EXPECT_TRUE(w->addStudentPanel->isVisibleTo(w.get()));
    EXPECT_EQ(test::comboItems(w->addStudentClassPicker), test::comboItems(w->targetClassPicker));
    EXPECT_EQ(w->classPicker->currentIndex(), 1);
    w->addStudentFields[0]->setText("باسل");
    w->addStudentFields[1]->setText("15");
    w->addStudentFields[2]->setText("2");
    w->addStudentFields[3]->setText("0555");
    scope.dialogs().answer("نعم"); // a civil-registry number of two digits, kept
    w->addStudentButton->click();
    ASSERT_EQ(scope.systemShown.size(), 2u);
    EXPECT_EQ(scope.systemShown[0].text, "تمت الإضافة");
    EXPECT_EQ(scope.systemShown[1].text, "تم تعديل البيانات");
    EXPECT_EQ(rows().last(), "02|باسل|0555|15|-||أول|1");
    EXPECT_EQ(listed(*w),
              QStringList({"01 | 11 | احمد | 0", "02 | 15 | باسل | 0555", "03 | 12 | بدر | 0",
                           "04 | 13 | جابر | 0", "05 | 14 | دايم | 0"}));
    // A name or civil-registry number of blanks only is refused with a word.
    const QStringList before = rows();
    w->addStudentFields[0]->setText("   ");
    w->addStudentButton->click();
    EXPECT_EQ(scope.dialogs().shown.back().text, "اكتب اسم الطالب قبل حفظه.");
    w->addStudentFields[0]->setText("باسل");
    w->addStudentFields[1]->setText(" ");
    w->addStudentButton->click();
    EXPECT_EQ(scope.dialogs().shown.back().text, "اكتب رقم السجل المدني للطالب قبل حفظه.");
    EXPECT_EQ(scope.systemShown.size(), 2u);
    EXPECT_EQ(rows(), before);
    // Arabic-Indic digits of a civil-registry number are stored Latin; the
    // name keeps its own digits as typed.
    w->addStudentFields[0]->setText("باسل ٢");
    w->addStudentFields[1]->setText("١٦");
    scope.dialogs().answer("نعم");
    w->addStudentButton->click();
    EXPECT_EQ(rows().last(), "03|باسل ٢|0555|16|-||أول|1");
}

TEST_F(ClassMaintenance, EditWritesTheRowItWasOpenedOn) {
    show(1);
    pick("بدر", "12");
    w->onToolbarClicked(2);
    ASSERT_TRUE(w->editPanel->isVisibleTo(w.get()));
    EXPECT_EQ(w->editFields[3]->text(), "03");
    EXPECT_EQ(w->editFields[5]->text(), "12");
    w->editFields[3]->setText("8");
    w->editFields[4]->setText("بدر محمد");
    w->editFields[6]->setText("0500");
    w->saveEditButton->click();
    EXPECT_EQ(w->editFields[3]->text(), "08");
    const QStringList r = rows();
    EXPECT_EQ(r[3], "08|بدر محمد|0500|12|1|الابتدائي|أول|1");
    EXPECT_EQ(r[5], "05|بدر|-|12|-||أول|2"); // the copy is another row
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(scope.dialogs().shown[0].text, " تم تعديل البيانات ");
    EXPECT_EQ(w->classPicker->currentIndex(), 1);
    EXPECT_EQ(w->studentList->count(), 4);

    // Clicking a line closes the edit panel.
    w->onListClicked();
    EXPECT_FALSE(w->editPanel->isVisibleTo(w.get()));
}

// The edit panel open on a student who is then deleted must not write over
// the row that takes his place, nor report an edit that saved nothing.
TEST_F(ClassMaintenance, EditOfADeletedStudentWritesNothing) {
    show(3);
    pick("ثامر", "21");
    w->onToolbarClicked(2);
    w->onToolbarClicked(1);
    scope.systemAnswers.push_back(QMessageBox::Yes);
    w->deleteStudentButton->click();
    EXPECT_FALSE(w->editPanel->isVisibleTo(w.get()));

    // A new student may be given the deleted row's identity.
    w->onToolbarClicked(0);
    w->addStudentFields[0]->setText("باسل");
    w->addStudentFields[1]->setText("1000000015");
    w->addStudentButton->click();
    const QStringList before = rows();
    ASSERT_TRUE(before.last().contains("باسل"));
    w->saveEditButton->click();
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(scope.dialogs().shown.empty());

    EXPECT_THROW(editStudent(9999, "01", "x", "1", "0"), data::DataError);
}

TEST_F(ClassMaintenance, DeleteOnlyOnYesAndOnlyThatRow) {
    show(1);
    pick("بدر", "12");
    w->onToolbarClicked(1);
    EXPECT_FALSE(w->studentList->isEnabled());
    EXPECT_EQ(w->panelCaptions[2]->text(), " بدر ");
    const QStringList before = rows();
    for (auto answer : {QMessageBox::No, QMessageBox::NoButton}) {
        scope.systemAnswers.push_back(answer);
        w->deleteStudentButton->click();
        EXPECT_EQ(rows(), before);
    }
    scope.systemAnswers.push_back(QMessageBox::Yes);
    w->deleteStudentButton->click();
    ASSERT_EQ(scope.systemShown.size(), 4u);
    EXPECT_EQ(scope.systemShown[2].text, " هل تريد حذف  بيانات الطالب  بدر ");
    EXPECT_EQ(scope.systemShown[3].text, " تم حذف بيانات   بدر ");
    const QStringList after = rows();
    EXPECT_EQ(after.size(), before.size() - 1);
    EXPECT_TRUE(after.contains("05|بدر|-|12|-||أول|2"));
    EXPECT_EQ(w->studentList->count(), 3);
    // Pressed again with no current line: nothing.
    w->deleteStudentButton->click();
    EXPECT_EQ(scope.systemShown.size(), 4u);
}

TEST_F(ClassMaintenance, MoveAndCopyGoOnlyOnAnAnswer) {
    show(1);
    pick("بدر", "12");
    w->onToolbarClicked(5);
    EXPECT_TRUE(w->moveButton->isVisibleTo(w.get()));
    EXPECT_FALSE(w->removeClassButton->isVisibleTo(w.get()));
    w->targetClassPicker->setCurrentIndex(2); // :ثاني:1
    const QStringList before = rows();

    scope.dialogs().answer(ScriptedDialogs::kClose);
    w->moveButton->click();
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(w->movePanel->isVisibleTo(w.get()));
    const auto& q = scope.dialogs().shown.back();
    EXPECT_EQ(q.mode, 3);
    EXPECT_EQ(q.style, 1);
    EXPECT_EQ(q.text, "بدر\r\n"
                      "هل تريد عمل نسخة إضافية من بيانات الطالب?\r\n \r\n"
                      "اختيار (نعم) يعني ابقاء بيانات الطالب في فصله وعمل نسخة إضافية\r\n"
                      "اختيار (لا) يعني نقل الطال إلى الفصل الجديد ");

    scope.dialogs().answer("نعم"); // copy
    w->moveButton->click();
    QStringList r = rows();
    EXPECT_EQ(r.size(), before.size() + 1);
    EXPECT_EQ(r.last(), "03|بدر|-|12|-|الابتدائي|ثاني|1"); // the copy keeps the stage
    EXPECT_EQ(scope.systemShown.back().text, "تم نقل الطلاب");

    // The list was reloaded without a selection: nothing runs, nothing said.
    const size_t boxes = scope.dialogs().shown.size(), messages = scope.systemShown.size();
    w->moveButton->click();
    EXPECT_EQ(scope.dialogs().shown.size(), boxes);
    EXPECT_EQ(scope.systemShown.size(), messages);

    pick("بدر", "12");
    scope.dialogs().answer("لا"); // move
    w->moveButton->click();
    r = rows();
    EXPECT_EQ(r[3], "03|بدر|0|12|1|الابتدائي|ثاني|1"); // the move keeps the stage
    EXPECT_EQ(r[5], "05|بدر|-|12|-||أول|2");           // the copy in class 2 stays

    show(1);
    pick("احمد", "11");
    w->onToolbarClicked(5);
    w->targetClassPicker->setCurrentIndex(2); // :ثاني:1
    scope.dialogs().answer("إلغاء");
    const QStringList beforeCancel = rows();
    w->moveButton->click();
    EXPECT_EQ(rows(), beforeCancel);
    EXPECT_FALSE(w->movePanel->isVisibleTo(w.get()));
    EXPECT_TRUE(w->studentList->isEnabled());
}

// ClassCounts follows every change of students: أول-1, أول-2, ثاني-1.
TEST_F(ClassMaintenance, EveryStudentChangeCollectsTheClassCountsAgain) {
    EXPECT_EQ(appState().ClassCounts, "|4|1|1");
    w->onToolbarClicked(0); // add to :أول:1
    w->addStudentFields[0]->setText("باسل");
    w->addStudentFields[1]->setText("1000000015");
    w->addStudentButton->click();
    EXPECT_EQ(appState().ClassCounts, "|5|1|1");

    show(1);
    pick("باسل", "1000000015");
    w->onToolbarClicked(1);
    scope.systemAnswers.push_back(QMessageBox::Yes);
    w->deleteStudentButton->click();
    EXPECT_EQ(appState().ClassCounts, "|4|1|1");

    show(1);
    pick("احمد", "11");
    w->onToolbarClicked(5);
    w->targetClassPicker->setCurrentIndex(2); // :ثاني:1
    scope.dialogs().answer("لا");             // move
    w->moveButton->click();
    EXPECT_EQ(appState().ClassCounts, "|3|1|2");

    show(1);
    pick("جابر", "13");
    w->targetClassPicker->setCurrentIndex(1); // :أول:2
    scope.dialogs().answer("نعم");            // copy
    w->moveButton->click();
    EXPECT_EQ(appState().ClassCounts, "|3|2|2");
}

TEST_F(ClassMaintenance, AddingAClassOnceOnly) {
    show(2);
    w->editFields[0]->setText("الابتدائي");
    w->editFields[2]->setText("أول");
    w->editFields[1]->setText("4");
    w->addClassButton->click();
    EXPECT_EQ(test::comboItems(w->classPicker).last(), "الابتدائي:أول:4");
    EXPECT_EQ(test::comboItems(w->targetClassPicker).last(), "الابتدائي:أول:4");
    EXPECT_EQ(scope.systemShown.back().text, "تمت الإضافة");
    EXPECT_EQ(w->classPicker->currentIndex(), 2);
    const QStringList g = sijill::test::classRows();
    EXPECT_EQ(g.last(), "الابتدائي|أول|4|<null>");

    w->addClassButton->click(); // the same class again
    EXPECT_EQ(sijill::test::classRows(), g);
    EXPECT_EQ(w->classPicker->count(), 5);
    ASSERT_FALSE(scope.dialogs().shown.empty());
    EXPECT_TRUE(scope.dialogs().shown.back().text.contains("موجود"));

    // Blanks only, or a separator in the grade, are refused with a word.
    const size_t messages = scope.systemShown.size();
    for (const auto& [grade, cls, said] :
         {std::tuple{"أول", "  ", "اكتب اسم الفصل قبل إضافته."},
          std::tuple{"أول-ب", "1", "لا يمكن أن يحوي الصف العلامة \":\" أو \"-\"."},
          std::tuple{" ", "5", "اكتب الصف قبل إضافة الفصل."}}) {
        w->editFields[2]->setText(grade);
        w->editFields[1]->setText(cls);
        w->addClassButton->click();
        EXPECT_EQ(scope.dialogs().shown.back().text, said);
    }
    EXPECT_EQ(scope.systemShown.size(), messages);
    EXPECT_EQ(sijill::test::classRows(), g);

    // Closing the window lists the new class in the main window, which every
    // print reads, and keeps the class chosen there.
    main->classPicker->setCurrentIndex(1);
    w->close();
    EXPECT_EQ(test::comboItems(main->classPicker),
              QStringList({"أول-1", "أول-2", "أول-4", "ثاني-1"}));
    EXPECT_EQ(main->classPicker->currentText(), "أول-2");
}

// A typed value that is not what its box wants is refused by the program's
// box naming it: nothing is stored and the text stays to be corrected. The
// add and the edit panel check the same boxes alike.
TEST_F(ClassMaintenance, TypedValuesAreRefusedNamingTheirBox) {
    const QString named[] = {"الاسم", "السجل المدني", "الرقم", "الهاتف"};
    const int editBox[] = {4, 5, 3, 6}; // the edit panel's box of each add box
    const std::vector<std::pair<int, QString>> refused = {
        {2, "abc"}, {2, "0"},   {2, "-1"}, {2, "0.00001"}, {2, "1000"},
        {1, "abc"}, {3, "abc"}, {3, "-1"}, {0, "123"},
    };
    const QStringList valid = {"باسل", "1012345678", "7", "0555"};
    const auto fillAdd = [&] {
        w->onToolbarClicked(0);
        for (int i = 0; i < 4; ++i)
            w->addStudentFields[i]->setText(valid[i]);
    };
    const QStringList before = rows();
    const std::size_t messages = scope.systemShown.size();
    const auto expectRefused = [&](const QLineEdit* box, const QString& typed, int which) {
        ASSERT_FALSE(scope.dialogs().shown.empty());
        const test::ShownBox& said = scope.dialogs().shown.back();
        EXPECT_TRUE(said.text.startsWith(named[which])) << said.text.toStdString();
        EXPECT_EQ(said.style, 1);
        EXPECT_EQ(box->text(), typed);
        EXPECT_EQ(rows(), before);
        EXPECT_EQ(scope.systemShown.size(), messages);
    };
    for (const auto& [box, typed] : refused) {
        SCOPED_TRACE(named[box].toStdString() + " " + typed.toStdString());
        fillAdd();
        w->addStudentFields[box]->setText(typed);
        w->addStudentButton->click();
        expectRefused(w->addStudentFields[box], typed, box);
        show(1);
        pick("بدر", "12");
        w->onToolbarClicked(2);
        w->editFields[editBox[box]]->setText(typed);
        w->saveEditButton->click();
        expectRefused(w->editFields[editBox[box]], typed, box);
    }

    // A civil-registry number of another length than ten digits is asked
    // about: No, Escape and a closed box store nothing; Yes stores.
    for (const QString& answer :
         {QStringLiteral("لا"), ScriptedDialogs::kEscape, ScriptedDialogs::kWindowClose}) {
        fillAdd();
        w->addStudentFields[1]->setText("12345");
        scope.dialogs().answer(answer);
        w->addStudentButton->click();
        EXPECT_EQ(scope.dialogs().shown.back().mode, 5);
        EXPECT_TRUE(scope.dialogs().shown.back().text.contains("12345"));
        EXPECT_TRUE(scope.dialogs().shown.back().text.contains("السجل المدني"));
        EXPECT_EQ(rows(), before);
    }
    scope.dialogs().answer("نعم");
    w->addStudentButton->click();
    EXPECT_EQ(rows().size(), before.size() + 1);
    EXPECT_EQ(rows().last().section('|', 1, 3), "باسل|0555|12345");

    // Arabic-Indic digits are digits; "-" is a phone; ten digits ask nothing.
    const std::size_t boxes = scope.dialogs().shown.size();
    fillAdd();
    w->addStudentFields[1]->setText("١٠١٢٣٤٥٦٧٨");
    w->addStudentFields[2]->setText("٧");
    w->addStudentFields[3]->setText("-");
    w->addStudentButton->click();
    EXPECT_EQ(rows().last().section('|', 1, 3), "باسل|-|1012345678");
    fillAdd();
    w->addStudentFields[2]->clear();
    w->addStudentButton->click();
    EXPECT_EQ(rows().size(), before.size() + 3);
    EXPECT_EQ(scope.dialogs().shown.size(), boxes);

    // A stored civil-registry number of two digits never blocks an edit of
    // the name; "٧" is stored as 07 and an empty number as 0.
    show(1);
    pick("بدر", "12");
    w->onToolbarClicked(2);
    w->editFields[4]->setText("بدر محمد");
    w->saveEditButton->click();
    EXPECT_EQ(scope.dialogs().shown.back().text, " تم تعديل البيانات ");
    EXPECT_EQ(scope.dialogs().shown.size(), boxes + 1);
    w->editFields[3]->setText("٧");
    w->editFields[6]->setText("-");
    w->saveEditButton->click();
    EXPECT_EQ(w->editFields[3]->text(), "07");
    EXPECT_EQ(rows()[3], "07|بدر محمد|-|12|1|الابتدائي|أول|1");
    w->editFields[3]->clear();
    w->saveEditButton->click();
    EXPECT_EQ(rows()[3], "0|بدر محمد|-|12|1|الابتدائي|أول|1");

    // A class added by hand is a number from 1 to 99, or "*"; one already
    // listed is refused as before.
    const QStringList classes = sijill::test::classRows();
    const QStringList items = test::comboItems(w->classPicker);
    w->editFields[0]->setText("الابتدائي");
    w->editFields[2]->setText("أول");
    for (const QString cls : {"-1", "0", "abc", "0.00001", "100", "1"}) {
        SCOPED_TRACE(cls.toStdString());
        w->editFields[1]->setText(cls);
        w->addClassButton->click();
        EXPECT_TRUE(scope.dialogs().shown.back().text.contains("الفصل"));
        EXPECT_EQ(scope.dialogs().shown.back().style, 1);
        EXPECT_EQ(w->editFields[1]->text(), cls);
        EXPECT_EQ(sijill::test::classRows(), classes);
        EXPECT_EQ(test::comboItems(w->classPicker), items);
    }
    for (const QString cls : {"*", "5"}) {
        w->editFields[1]->setText(cls);
        w->addClassButton->click();
        EXPECT_EQ(sijill::test::classRows().last(), "الابتدائي|أول|" + cls + "|<null>");
        EXPECT_EQ(scope.systemShown.back().text, "تمت الإضافة");
    }
}

TEST_F(ClassMaintenance, RemovingAClassOnOkOnlyRewritesTheIniFile) {
    const QString ini = shell::schoolInfoPath();
    ASSERT_FALSE(shell::writeSchoolInfoLines(ini, {"مدرسة النور ", ":قديم:1"}));
    w->onToolbarClicked(4);
    EXPECT_TRUE(w->removeClassButton->isVisibleTo(w.get()));
    EXPECT_FALSE(w->studentList->isEnabled());
    w->targetClassPicker->setCurrentIndex(1); // :أول:2

    for (const QString& answer : {QStringLiteral("إلغاء"), ScriptedDialogs::kClose}) {
        scope.dialogs().answer(answer);
        w->removeClassButton->click();
        EXPECT_EQ(w->targetClassPicker->count(), 3);
        EXPECT_EQ(sijill::test::classRows().size(), 3);
    }
    EXPECT_EQ(scope.dialogs().shown.back().text, " سيتم حذف جميع الطلاب الذين في :أول:2");
    scope.dialogs().answer("موافق");
    w->removeClassButton->click();
    EXPECT_EQ(test::comboItems(w->classPicker), QStringList({"جميع الطلاب", ":أول:1", ":ثاني:1"}));
    EXPECT_EQ(test::comboItems(w->targetClassPicker), QStringList({":أول:1", ":ثاني:1"}));
    EXPECT_EQ(sijill::test::classRows(), QStringList({"ابتدائي|أول|1|1", "ابتدائي|ثاني|1|2"}));
    for (const QString& r : rows())
        EXPECT_FALSE(r.endsWith("|أول|2")) << r.toStdString();
    EXPECT_EQ(rows().size(), 6);
    EXPECT_EQ(shell::readSchoolInfoLines(ini), QStringList({"مدرسة النور ", ":أول:1", ":ثاني:1"}));
    QFile raw(ini);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.endsWith(":\xCB\xC7\xE4\xED:1\r\n")) << bytes.toHex().toStdString();
    EXPECT_EQ(test::comboItems(main->classPicker), QStringList({"أول-1", "ثاني-1"}));
    EXPECT_FALSE(w->busyCheck->isChecked());
}

TEST_F(ClassMaintenance, RemovalRefusalsAndAMissingIniFile) {
    QFile::remove(shell::schoolInfoPath());
    w->targetClassPicker->setCurrentIndex(0);
    scope.dialogs().answer("موافق");
    w->removeClassButton->click();
    EXPECT_EQ(shell::readSchoolInfoLines(shell::schoolInfoPath()),
              QStringList({"الإدارة:المدرسة:1433-1434", ":أول:2", ":ثاني:1"}));

    w->targetClassPicker->addItem("الابتدائي:أول:*");
    w->targetClassPicker->setCurrentIndex(w->targetClassPicker->count() - 1);
    w->removeClassButton->click();
    EXPECT_EQ(scope.dialogs().shown.back().text, " لا يمكن حذف مجموعة جميع الأسماء ");

    while (w->targetClassPicker->count() > 1)
        w->targetClassPicker->removeItem(1);
    w->removeClassButton->click();
    EXPECT_EQ(scope.dialogs().shown.back().text, " لا يمكن حذف هذا الصف لأنه الصف الأخير ");
    EXPECT_EQ(w->targetClassPicker->count(), 1);
}

TEST(ClassMaintenanceMenu, EmptyClassListSaysSoAndGivesTheMainWindowBack) {
    TestHome home;
    ScriptedScope scope;
    shell::MainForm main;
    main.reloadClassList();
    ASSERT_EQ(main.classPicker->count(), 0);
    EXPECT_EQ(openClassMaintenance(), nullptr);
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(scope.dialogs().shown[0].text, "لا يوجد بيانات للصفوف");
    EXPECT_TRUE(main.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(loadedClassMaintenance(), nullptr);

    home.exec("Schedual.db", "INSERT INTO grades (kind,grade,class) VALUES ('ابتدائي','أول','1')");
    main.reloadClassList();
    ClassMaintenanceWindow* w = openClassMaintenance();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(w->isVisible());
    w->close();
    EXPECT_TRUE(main.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
