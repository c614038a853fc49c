// The maintenance window's actions on a school whose names hold the
// separators the program uses: each action changes exactly its own records.
#include "StudentsTestSupport.h"
#include "shell/MainForm.h"
#include "students/ClassMaintenanceWindow.h"
#include "students/StudentLineDelegate.h"
#include "support/OddNamesSchool.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetText.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::students;
using sijill::test::ScriptedScope;
using sijill::test::TestHome;

namespace {

QStringList storedStudents() {
    return test::tableRows("MyDatabase.db", "SELECT d0,d1,d2,d3,d4,d5,d6,d7 FROM T1 ORDER BY id");
}

class OddNames : public ::testing::Test {
protected:
    void SetUp() override {
        test::seedOddNamesSchool(home);
        main = std::make_unique<shell::MainForm>();
        main->reloadClassList();
        w = std::make_unique<ClassMaintenanceWindow>();
        w->formLoad();
        w->resize(w->size());
        w->show();
    }

    int classIndex(const QString& item) const {
        const int i = w->targetClassPicker->findText(item);
        EXPECT_GE(i, 0) << item.toStdString();
        return i;
    }
    void show(const QString& item) {
        w->classPicker->setCurrentIndex(classIndex(item) + 1);
        w->onClassChosen();
    }
    // A mouse click on the line of `civil`, with the given keys held.
    void click(const QString& civil, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        for (int row = 0; row < w->studentList->count(); ++row) {
            if (w->lines()[row].civil != civil)
                continue;
            QWidget* view = w->studentList->viewport();
            const QPointF at = w->studentList->visualItemRect(w->studentList->item(row)).center();
            QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, keys);
            QApplication::sendEvent(view, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at),
                                Qt::LeftButton, Qt::NoButton, keys);
            QApplication::sendEvent(view, &release);
            return;
        }
        ADD_FAILURE() << "no line " << civil.toStdString();
    }
    QStringList listedCivils() const {
        QStringList out;
        for (const StudentLine& l : w->lines())
            out << l.civil;
        return out;
    }

    TestHome home;
    ScriptedScope scope;
    std::unique_ptr<shell::MainForm> main;
    std::unique_ptr<ClassMaintenanceWindow> w;
};

} // namespace

TEST_F(OddNames, EachClassListsItsOwnStudentsWhateverItsNameHolds) {
    EXPECT_EQ(test::comboItems(main->classPicker),
              QStringList({"أول-%1 & <ج>", "أول-1", "أول-1-أ", "أول-1:ب", "ثاني- 2|\"د\" "}));
    EXPECT_EQ(test::comboItems(w->targetClassPicker),
              QStringList({":أول:%1 & <ج>", ":أول:1", ":أول:1-أ", ":أول:1:ب", ":ثاني:2|\"د\""}));
    const std::vector<std::pair<QString, QStringList>> expected = {
        {":أول:1", {"1001", "1002"}},   {":أول:1-أ", {"1003", "1004"}},
        {":أول:1:ب", {"1005", "1006"}}, {":أول:%1 & <ج>", {"1007", "1008"}},
        {":ثاني:2|\"د\"", {"1009"}},
    };
    for (const auto& [item, civils] : expected) {
        show(item);
        EXPECT_EQ(listedCivils(), civils) << item.toStdString();
    }
}

TEST_F(OddNames, RemovingAClassDeletesThatClassAlone) {
    for (const QString& cls : {QStringLiteral("1-أ"), QStringLiteral("%1 & <ج>")}) {
        QStringList expected = storedStudents();
        for (const QString& row : test::oddNamesStudentsOf(cls))
            expected.removeOne(row);
        QStringList classes = test::classRows();
        classes.removeOne("ابتدائي|أول|" + cls + "|1");
        w->onToolbarClicked(4);
        w->targetClassPicker->setCurrentIndex(classIndex(":أول:" + cls));
        scope.dialogs().answer("موافق");
        w->removeClassButton->click();
        EXPECT_EQ(scope.dialogs().shown.back().text, " سيتم حذف جميع الطلاب الذين في :أول:" + cls);
        EXPECT_EQ(storedStudents(), expected) << cls.toStdString();
        EXPECT_EQ(test::classRows(), classes);
    }
    // What is left: classes 1, 1:ب and 2|"د" with all their students.
    EXPECT_EQ(storedStudents(),
              QStringList({test::oddNamesStudents()[0], test::oddNamesStudents()[1],
                           test::oddNamesStudents()[4], test::oddNamesStudents()[5],
                           test::oddNamesStudents()[8]}));
    // The main window keeps a class chosen after its reload.
    EXPECT_GE(main->classPicker->currentIndex(), 0);
}

TEST_F(OddNames, TwoPlainClicksThenMoveMovesTheLastOneOnly) {
    show(":أول:1");
    click("1001");
    click("1002");
    w->onToolbarClicked(5);
    EXPECT_EQ(w->moveCaption->text(), "خالد:الأول");
    w->targetClassPicker->setCurrentIndex(classIndex(":أول:1:ب"));
    scope.dialogs().answer("لا"); // move
    w->moveButton->click();
    EXPECT_TRUE(scope.dialogs().shown.back().text.startsWith("خالد:الأول\r\n"));
    QStringList expected = test::oddNamesStudents();
    expected[1] = "02|خالد:الأول|051002|1002|1|الابتدائي|أول|1:ب"; // the stage stays
    EXPECT_EQ(storedStudents(), expected);
    show(":أول:1:ب");
    EXPECT_EQ(listedCivils(), QStringList({"1005", "1002", "1006"})); // by number
}

TEST_F(OddNames, CtrlClickPicksTwoAndTheQuestionNamesBoth) {
    show(":أول:1-أ");
    click("1003");
    click("1004", Qt::ControlModifier);
    w->onToolbarClicked(5);
    if (const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR"); !look.isEmpty())
        w->grab().save(look + "/MoveTwo.png");
    EXPECT_EQ(w->moveCaption->text(), "2 من الطلاب: علي|حسن، O'Neil عمر");
    w->targetClassPicker->setCurrentIndex(classIndex(":أول:%1 & <ج>"));
    scope.dialogs().answer("نعم"); // copy
    w->moveButton->click();
    EXPECT_TRUE(
        scope.dialogs().shown.back().text.startsWith("2 من الطلاب: علي|حسن، O'Neil عمر\r\n"));
    QStringList expected = test::oddNamesStudents();
    expected << "01|علي|حسن|-|1003|-|الابتدائي|أول|%1 & <ج>"
             << "02|O'Neil عمر|-|1004|-|الابتدائي|أول|%1 & <ج>";
    EXPECT_EQ(storedStudents(), expected);

    // Shift picks the lines between (the panel's close picture gives the list back).
    w->studentList->setEnabled(true);
    show(":أول:%1 & <ج>");
    click(w->lines().front().civil);
    click(w->lines().back().civil, Qt::ShiftModifier);
    int selected = 0;
    for (int i = 0; i < w->studentList->count(); ++i)
        selected += w->studentList->item(i)->isSelected() ? 1 : 0;
    EXPECT_EQ(selected, 4);
}

TEST_F(OddNames, MovingOrCopyingIntoTheOwnClassIsRefused) {
    show(":أول:1:ب");
    click("1006");
    w->onToolbarClicked(5);
    w->targetClassPicker->setCurrentIndex(classIndex(":أول:1:ب"));
    for (const char* answer : {"لا", "نعم"}) {
        scope.dialogs().answer(answer);
        w->moveButton->click();
        EXPECT_EQ(scope.dialogs().shown.back().text,
                  "لا يمكن نقل الطالب أو نسخه إلى فصله نفسه:\r\nماجد %1 %");
        EXPECT_EQ(storedStudents(), test::oddNamesStudents());
    }
    EXPECT_TRUE(scope.systemShown.empty());
}

TEST_F(OddNames, DeletingAStudentDeletesThatRowAlone) {
    show(":أول:1-أ");
    click("1003");
    w->onToolbarClicked(1);
    EXPECT_EQ(w->panelCaptions[2]->text(), " علي|حسن ");
    scope.systemAnswers.push_back(QMessageBox::Yes);
    w->deleteStudentButton->click();
    QStringList expected = test::oddNamesStudents();
    expected.removeAt(2);
    EXPECT_EQ(storedStudents(), expected);
}

TEST_F(OddNames, ArabicIndicDigitsMakeNoSecondClass) {
    const QStringList classes = test::classRows();
    w->editFields[0]->setText("الابتدائي");
    w->editFields[2]->setText("أول");
    w->editFields[1]->setText(" ١ ");
    w->addClassButton->click();
    EXPECT_EQ(test::classRows(), classes);
    EXPECT_EQ(scope.dialogs().shown.back().text, "هذا الفصل موجود في قائمة الفصول: أول - 1");
    // A new class typed with Arabic-Indic digits is stored with Latin ones.
    w->editFields[1]->setText("٢");
    w->addClassButton->click();
    EXPECT_EQ(test::classRows().last(), "الابتدائي|أول|2|<null>");
    EXPECT_EQ(test::comboItems(w->targetClassPicker).last(), "الابتدائي:أول:2");
}

// The number stands in a column of its own at the right edge of every line,
// whatever the rest of the line holds.
TEST_F(OddNames, TheNumberColumnIsAlignedOnEveryLine) {
    show(":أول:%1 & <ج>");
    w->studentList->addItem("x"); // a plain line is drawn as before
    w->studentList->doItemsLayout();
    QApplication::processEvents();
    const QImage image = w->studentList->viewport()->grab().toImage();
    if (const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR"); !look.isEmpty())
        image.save(look + "/StudentLines.png");
    // Both numbers begin with "0" and digits are equally wide: the first
    // inked column of each line's number box is the same.
    const QFontMetrics fm(w->studentList->font());
    std::vector<int> leftEdges;
    for (int row = 0; row < 2; ++row) {
        const QRect line = w->studentList->visualItemRect(w->studentList->item(row));
        const QRect box = StudentLineDelegate::numberRect(line, fm);
        int left = -1;
        for (int x = box.right(); x >= box.left(); --x)
            for (int y = line.top(); y <= line.bottom() && x < image.width(); ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    left = x;
        leftEdges.push_back(left);
        EXPECT_GT(left, line.center().x()) << row; // at the right side
    }
    EXPECT_EQ(leftEdges[0], leftEdges[1]);
}
