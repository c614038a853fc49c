#include "reports/PrintRun.h"
#include "platform/AppState.h"
#include "reports/FakeRunHost.h"
#include "shell/ProgramMessageBox.h"

#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using FakeHost = sijill::test::FakeRunHost;

TEST(PrintRun, OneClassIsPreviewedWithoutAQuestion) {
    FakeHost h;
    h.keys = {"أول-1", "أول-2"};
    h.current = 1;
    const PrintRunResult r = runPrint(h);
    EXPECT_TRUE(r.previewed);
    EXPECT_EQ(h.log, QStringList({"load أول-2", "preview أول-2"}));
    EXPECT_TRUE(h.asked.isEmpty());
    EXPECT_EQ(h.current, 1);
}

TEST(PrintRun, WholeSchoolAsksOnceThenPrintsEveryClassInListOrder) {
    FakeHost h;
    h.keys = {"أول-1", "أول-2", "ثاني-1"};
    h.current = 2;
    h.school = true;
    h.answers = {true};
    const PrintRunResult r = runPrint(h);
    EXPECT_EQ(h.asked, QStringList({kAskWholeSchool}));
    EXPECT_EQ(h.prints(), QStringList({"print أول-1", "print أول-2", "print ثاني-1"}));
    EXPECT_EQ(h.progress, QStringList({"1/3", "2/3", "3/3"}));
    EXPECT_DOUBLE_EQ(h.waited, 7.5); // 2.5 s before every page
    EXPECT_EQ(h.current, 2);
    EXPECT_FALSE(r.previewed);
    EXPECT_FALSE(appState().PrintBatchActive);
    EXPECT_FALSE(printRunActive());
}

TEST(PrintRun, CancelOrAClosedBoxPrintsNothing) {
    for (bool school : {true, false}) {
        FakeHost h;
        h.keys = {"أول-1", "أول-2"};
        h.school = school;
        h.grade = !school;
        h.answers = {}; // closed without a button
        const PrintRunResult r = runPrint(h);
        EXPECT_TRUE(r.cancelled);
        EXPECT_TRUE(h.prints().isEmpty());
        EXPECT_FALSE(r.previewed);
        EXPECT_FALSE(appState().PrintBatchActive);
    }
}

TEST(PrintRun, OneClassListOverWholeSchoolAsksAndPrintsIt) {
    FakeHost h;
    h.keys = {"أول-1"};
    h.school = true;
    h.answers = {true};
    runPrint(h);
    EXPECT_EQ(h.asked.size(), 1);
    EXPECT_EQ(h.prints(), QStringList({"print أول-1"}));
}

TEST(PrintRun, WholeGradeStartsAtTheGradesFirstClassFoundByGrade) {
    FakeHost h;
    // Classes not numbered 1, 2, 3 in list order: arithmetic on the number
    // would start outside the grade.
    h.keys = {"أول-1", "ثالث-10", "ثالث-2", "ثالث-5", "ثاني-1"};
    h.current = 3;
    h.grade = true;
    h.answers = {true};
    runPrint(h);
    EXPECT_EQ(h.asked, QStringList({kAskWholeGrade + "ثالث"}));
    EXPECT_EQ(h.prints(), QStringList({"print ثالث-10", "print ثالث-2", "print ثالث-5"}));
    EXPECT_EQ(h.progress, QStringList({"1/3", "2/3", "3/3"}));
    EXPECT_EQ(h.current, 4); // left on the item after the grade
}

TEST(PrintRun, WholeGradeOfTheLastGradeEndsOnTheLastItemAndAsksAgainNextTime) {
    FakeHost h;
    h.keys = {"أول-1", "ثاني-1", "ثاني-2"};
    h.current = 1;
    h.grade = true;
    h.answers = {true, true};
    runPrint(h);
    EXPECT_EQ(h.current, 2);
    runPrint(h);
    EXPECT_EQ(h.asked.size(), 2);
    EXPECT_EQ(h.prints().size(), 4);
}

TEST(PrintRun, RefusalsForCoursesAndKeysWithoutAHyphen) {
    FakeHost h;
    h.keys = {"مقررات-1", "أول-1"};
    h.grade = true;
    const PrintRunResult r = runPrint(h);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(h.asked, QStringList({kCoursesNoWholeGrade}));
    EXPECT_TRUE(h.log.isEmpty());

    FakeHost bad;
    bad.keys = {"أول1"};
    EXPECT_TRUE(runPrint(bad).refused);
    EXPECT_EQ(bad.asked, QStringList({kBadClassNames}));
    EXPECT_TRUE(bad.log.isEmpty());

    FakeHost empty;
    EXPECT_TRUE(runPrint(empty).refused);
}

TEST(PrintRun, FailedClassesAreSkippedAndReportedOnceAtTheEnd) {
    FakeHost h;
    h.keys = {"أول-1", "أول-2", "أول-3"};
    h.school = true;
    h.answers = {true};
    h.failLoad = {"أول-2"};
    const PrintRunResult r = runPrint(h);
    EXPECT_EQ(r.printed, QStringList({"أول-1", "أول-3"}));
    EXPECT_EQ(r.failed, QStringList({"أول-2"}));
    ASSERT_EQ(h.asked.size(), 2);
    // Why first, then the class.
    EXPECT_EQ(h.asked[1],
              failedClassesMessage("تعذرت طباعة كشوف الفصول المذكورة أدناه:\rload failed", {},
                                   {"أول-2"}));
    EXPECT_LT(h.asked[1].indexOf("load failed"), h.asked[1].indexOf("أول-2"));
}

// However many classes did not print, the closing message names the reason
// and the folder first, then the classes several to a line, counting those
// the screen cannot hold; the program's box shows it with its button on a
// 1024 x 768 screen.
TEST(PrintRun, TheClosingMessageOfManyClassesFitsTheScreenWithItsButton) {
    const QString reason = QStringLiteral(
        "الطابعة Office ترفض الطباعة، فحُفظت صفحات الكشوف التي لم تُطبع ملفات PDF في المجلد:");
    const QString folder = QStringLiteral("/home/secretary/Documents/Sijill");
    struct Case {
        int classes;
        const char* name;
        bool allNamed;
    };
    for (const Case& c : {Case{3, "أول-%1", true}, Case{60, "ثالث-%1", true},
                          Case{400, "الصف الثالث المتوسط - فصل %1", false}}) {
        QStringList classes;
        for (int i = 1; i <= c.classes; ++i)
            classes << QString::fromUtf8(c.name).arg(i);
        const QString text = failedClassesMessage(reason, folder, classes);
        const QStringList lines = text.split(QLatin1Char('\r'));
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[0], reason);
        EXPECT_EQ(lines[1], folder);
        // Every class is named once, in order, or counted.
        QStringList named;
        int counted = 0;
        static const QRegularExpression more(QStringLiteral("^وفصول أخرى عددها (\\d+)$"));
        for (const QString& line : lines.mid(3)) {
            const QRegularExpressionMatch m = more.match(line);
            if (m.hasMatch())
                counted = m.captured(1).toInt();
            else
                named << line.split(QStringLiteral("، "));
        }
        EXPECT_EQ(named, classes.mid(0, named.size())) << c.classes;
        EXPECT_EQ(named.size() + counted, c.classes);
        EXPECT_EQ(counted == 0, c.allNamed) << c.classes;
        EXPECT_GT(named.size(), lines.size() - 3) << "several to a line";

        shell::ProgramMessageBox box;
        box.setTitle(QStringLiteral("تنبيه"));
        box.setMessage(text);
        box.setMode(1);
        box.setStyle(1);
        box.layoutForMode();
        EXPECT_LE(box.width(), 1024) << c.classes;
        EXPECT_LE(box.height(), 768) << c.classes;
        const QPushButton* ok = box.buttonNamed(QStringLiteral("okButton"));
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(box.rect().contains(QRect(ok->mapTo(&box, QPoint(0, 0)), ok->size())))
            << c.classes;
    }
}

TEST(PrintRun, AOneClassLoadFailureShowsNoPreviewOfOtherRows) {
    FakeHost h;
    h.keys = {"أول-1"};
    h.failLoad = {"أول-1"};
    const PrintRunResult r = runPrint(h);
    EXPECT_FALSE(r.previewed);
    EXPECT_EQ(h.asked, QStringList({"load failed"}));
}

TEST(PrintRun, AClickDuringTheWaitsStartsNoSecondRun) {
    FakeHost h;
    h.keys = {"أول-1", "أول-2"};
    h.school = true;
    h.answers = {true};
    int refused = 0;
    h.duringWait = [&] {
        FakeHost other;
        other.keys = {"أول-1"};
        if (runPrint(other).refused)
            ++refused;
    };
    runPrint(h);
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(h.prints().size(), 2);
}
