#include "reports/QuranRun.h"
#include "platform/AppState.h"
#include "reports/FakeRunHost.h"

#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using QuranHost = sijill::test::FakeRunHost;

TEST(QuranRun, OneClassIsPreviewedWithoutAQuestion) {
    QuranHost h;
    h.keys = {"أول-1", "أول-2"};
    h.current = 1;
    EXPECT_TRUE(runQuranPrint(h).previewed);
    EXPECT_EQ(h.log, QStringList({"load أول-2", "preview أول-2"}));
    EXPECT_EQ(h.current, 1);
}

TEST(QuranRun, WholeSchoolAsksAfterTheFirstLoadAndWaitsAfterEveryPage) {
    QuranHost h;
    h.keys = {"أول-1", "ثاني-1"};
    h.current = 1;
    h.school = true;
    h.answers = {true};
    const PrintRunResult r = runQuranPrint(h);
    EXPECT_EQ(h.events, QStringList({"load أول-1", "ask", "print أول-1", "wait 2.5", "load ثاني-1",
                                     "print ثاني-1", "wait 2.5"}));
    EXPECT_EQ(h.asked, QStringList({kAskWholeSchool}));
    EXPECT_EQ(r.printed, QStringList({"أول-1", "ثاني-1"}));
    EXPECT_EQ(h.progress, QStringList({"1/2", "2/2"}));
    EXPECT_EQ(h.current, 1);
    EXPECT_FALSE(appState().PrintBatchActive);

    // A list of one class prints it.
    QuranHost one;
    one.keys = {"أول-1"};
    one.school = true;
    one.answers = {true};
    EXPECT_EQ(runQuranPrint(one).printed, QStringList({"أول-1"}));
}

TEST(QuranRun, WholeGradeStartsAtTheGradesFirstClassAndEndsAfterItsLast) {
    QuranHost h;
    h.keys = {"أول-1", "ثالث-4", "ثالث-2", "ثاني-1"};
    h.current = 2;
    h.grade = true;
    h.answers = {true};
    const PrintRunResult r = runQuranPrint(h);
    EXPECT_EQ(h.asked, QStringList({kAskWholeGrade + "ثالث"}));
    EXPECT_EQ(r.printed, QStringList({"ثالث-4", "ثالث-2"}));
    EXPECT_EQ(h.progress, QStringList({"1/2", "2/2"}));
    EXPECT_FALSE(h.log.contains("load ثاني-1"));
    EXPECT_EQ(h.current, 3);
}

TEST(QuranRun, CancelOrAClosedQuestionPrintsNothing) {
    for (bool closed : {false, true}) {
        QuranHost h;
        h.keys = {"أول-1", "أول-2"};
        h.grade = true;
        if (!closed)
            h.answers = {false};
        const PrintRunResult r = runQuranPrint(h);
        EXPECT_TRUE(r.cancelled);
        EXPECT_TRUE(h.log.filter("print").isEmpty());
        EXPECT_FALSE(appState().PrintBatchActive);
    }
}

TEST(QuranRun, FailedClassesAreReportedOnceAndNoSecondRunStarts) {
    QuranHost h;
    h.keys = {"أول-1", "أول-2", "أول-3"};
    h.school = true;
    h.answers = {true};
    h.failLoad = {"أول-2", "أول-3"};
    int refused = 0;
    h.duringWait = [&] {
        QuranHost other;
        other.keys = {"ثاني-1"};
        refused += runQuranPrint(other).refused ? 1 : 0;
        refused += runPrint(other).refused ? 1 : 0;
        EXPECT_TRUE(other.log.isEmpty());
    };
    const PrintRunResult r = runQuranPrint(h);
    EXPECT_EQ(r.printed, QStringList({"أول-1"}));
    EXPECT_EQ(r.failed, QStringList({"أول-2", "أول-3"}));
    ASSERT_EQ(h.asked.size(), 2);
    EXPECT_TRUE(h.asked[1].contains("أول-2") && h.asked[1].contains("أول-3"));
    EXPECT_TRUE(h.asked[1].contains("load failed")); // why, told once
    EXPECT_EQ(h.asked[1].count("load failed"), 1);
    EXPECT_EQ(refused, 6);
    EXPECT_FALSE(printRunActive());

    QuranHost bad;
    bad.keys = {"بلا فصل"};
    EXPECT_TRUE(runQuranPrint(bad).refused);
    EXPECT_EQ(bad.asked, QStringList({kBadClassNames}));
}
