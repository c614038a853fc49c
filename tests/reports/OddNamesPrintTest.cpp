// Class lists of a school whose class and student names hold the separators
// the program uses: each print shows its own class and students only.
#include "reports/PrintRun.h"
#include "reports/ReportsTestSupport.h"
#include "shell/ShellTestSupport.h"
#include "support/OddNamesSchool.h"

#include <QCheckBox>
#include <QComboBox>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::kOk;
using sijill::test::PrintDesk;
using sijill::test::TestHome;

TEST(OddNamesPrint, EachClassListShowsItsOwnClassAndStudents) {
    TestHome home;
    test::seedOddNamesSchool(home);
    test::finishProfile(home);
    PrintDesk desk(home);
    struct Expected {
        QString key, heading;
        QStringList numbers, names;
    };
    const std::vector<Expected> expected = {
        {"أول-1", " أول [ 1  ] ", {"01", "02"}, {"سعد-1 الحربي", "خالد:الأول"}},
        {"أول-1-أ", " أول [ 1-أ  ] ", {"01", "02"}, {"علي|حسن", "O'Neil عمر"}},
        {"أول-1:ب", " أول [ 1:ب  ] ", {"01", "02"}, {"فهد \"الصغير\"", "ماجد %1 %"}},
        {"أول-%1 & <ج>", " أول [ %1 & <ج>  ] ", {"01", "02"}, {"زياد & <نور>", " ناصر ١٢ "}},
        {"ثاني- 2|\"د\" ", " ثاني [  2|\"د\"   ] ", {"01"}, {"بدر 12"}},
    };
    for (const Expected& e : expected) {
        desk.pick(e.key);
        desk.click(2);
        ASSERT_FALSE(desk.previews().empty());
        const report::LaidOutReport& r = desk.previews().back();
        EXPECT_EQ(test::firstText(r, "Class"), e.heading) << e.key.toStdString();
        EXPECT_EQ(test::controlTexts(r, "Text1"), e.numbers) << e.key.toStdString();
        EXPECT_EQ(test::controlTexts(r, "Text3"), e.names) << e.key.toStdString();
    }
    EXPECT_EQ(desk.previews().size(), expected.size());
    EXPECT_TRUE(desk.dialogs().shown.empty());
}

TEST(OddNamesPrint, AWholeGradePrintTakesTheGradesClassesOnly) {
    TestHome home;
    test::seedOddNamesSchool(home);
    test::finishProfile(home);
    PrintDesk desk(home);
    desk.pick("أول-1:ب");
    desk.form.wholeGradeCheck->click();
    desk.dialogs().answer(kOk);
    desk.click(2);
    EXPECT_EQ(desk.menu->lastRun().printed,
              QStringList({"أول-%1 & <ج>", "أول-1", "أول-1-أ", "أول-1:ب"}));
    EXPECT_TRUE(desk.menu->lastRun().failed.isEmpty());
    EXPECT_EQ(desk.jobs().size(), 4);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kAskWholeGrade + "أول");
}
