#include "reports/MarkSheetMenu.h"
#include "platform/AppState.h"
#include "platform/Twips.h"
#include "report/LayoutLibrary.h"
#include "reports/MarkSheetItems.h"
#include "reports/ReportsTestSupport.h"
#include "shell/ShellTestSupport.h"
#include "support/OddNamesSchool.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>
#include <tuple>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::backOf;
using sijill::test::kCancel;
using sijill::test::kOk;
using sijill::test::PrintDesk;
using sijill::test::TestHome;

namespace {

// The program with the mark-sheet menus installed beside the name lists.
struct MarkDesk : PrintDesk {
    explicit MarkDesk(const TestHome& home) : PrintDesk(home) {
        installMarkSheetMenus(form);
        marks = markSheetMenu(form);
    }
    // A user's click on a mark-sheet item, its panel shown first.
    void clickMark(int item) {
        QLabel* label = marks->items.at(item);
        for (std::size_t p = 0; p < form.printTabPanels.size(); ++p)
            if (form.printTabPanels[p] == label->parentWidget())
                form.onPrintTabClicked(static_cast<int>(p));
        test::leftClick(label);
    }
    MarkSheetMenu* marks = nullptr;
};

} // namespace

TEST(MarkSheetMenu, ItemsStandInTheirPanelsAndShareTheHighlightWithTheNameLists) {
    TestHome home;
    test::seedSchool(home);
    MarkDesk desk(home);
    ASSERT_NE(desk.marks, nullptr);
    // A second install adds nothing.
    installMarkSheetMenus(desk.form);
    EXPECT_EQ(desk.form.findChildren<MarkSheetMenu*>().size(), 1);
    ASSERT_EQ(desk.marks->items.size(), 13u);
    for (int i : {4, 5, 6})
        EXPECT_EQ(desk.marks->items[i], nullptr);
    for (const MarkSheetItem& item : markSheetItems()) {
        SCOPED_TRACE(item.index);
        QLabel* label = desk.marks->items[item.index];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->objectName(), QString("markSheetItem%1").arg(item.index));
        EXPECT_EQ(label->parentWidget(), desk.form.printTabPanels[item.panel]);
        EXPECT_EQ(label->y(), platform::twips(item.top));
        EXPECT_EQ(label->height(), platform::twips(420));
        EXPECT_EQ(label->text(), item.caption);
        EXPECT_EQ(backOf(label), QColor("#DEDEDE"));
        EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
    }
    // Panel 2 shows four items top to bottom: 1, 0, 10, 9.
    QList<QLabel*> panel2 = desk.form.printTabPanels[2]->findChildren<QLabel*>(
        QRegularExpression("^markSheetItem"), Qt::FindDirectChildrenOnly);
    std::sort(panel2.begin(), panel2.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
    QStringList order;
    for (QLabel* l : panel2)
        order << l->objectName();
    EXPECT_EQ(order, QStringList({"markSheetItem1", "markSheetItem0", "markSheetItem10",
                                  "markSheetItem9"}));

    // From a name-list item of the panel onto a mark-sheet item, and back.
    test::hover(desk.menu->items[6]);
    EXPECT_EQ(backOf(desk.menu->items[6]), QColor("#A7C7EC"));
    test::hover(desk.marks->items[2]);
    EXPECT_EQ(backOf(desk.menu->items[6]), QColor("#DEDEDE"));
    EXPECT_EQ(backOf(desk.marks->items[2]), QColor("#A7C7EC"));
    test::hover(desk.menu->items[7]);
    EXPECT_EQ(backOf(desk.marks->items[2]), QColor("#DEDEDE"));
    EXPECT_EQ(backOf(desk.menu->items[7]), QColor("#A7C7EC"));
    test::hover(desk.marks->items[12]);
    EXPECT_EQ(backOf(desk.menu->items[7]), QColor("#DEDEDE"));
}

TEST(MarkSheetMenu, EachItemPreviewsItsSheetForTheCurrentClass) {
    TestHome home;
    test::seedSchool(home);
    MarkDesk desk(home);
    desk.pick("أول-1");
    for (const MarkSheetItem& item : markSheetItems()) {
        SCOPED_TRACE(item.index);
        const std::size_t before = desk.previews().size();
        desk.clickMark(item.index);
        ASSERT_EQ(desk.previews().size(), before + 1);
        const report::LaidOutReport& r = desk.previews().back();
        EXPECT_EQ(r.layoutName, item.layout);
        EXPECT_EQ(test::firstText(r, "Class"), "أول [ 1  ]");
        EXPECT_EQ(test::firstText(r, "kl3"), "إدارة تعليم الرياض");
        EXPECT_EQ(test::firstText(r, "kl5"), "1447");
        EXPECT_EQ(test::controlTexts(r, "Text3"),
                  QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
        const bool wide = r.orientation == report::Orientation::Landscape;
        EXPECT_EQ(r.previewWidth, wide ? 16700 : 0);
    }
    // Items 2 and 11 print the same sheet with the subject line "حاسب".
    EXPECT_EQ(markSheetItem(2)->layout, markSheetItem(11)->layout);
    EXPECT_EQ(markSheetItem(7)->layout, markSheetItem(12)->layout);
    EXPECT_EQ(test::firstText(desk.previews()[6], "Label1"), "حاسب");
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.dialogs().shown.empty());
    EXPECT_EQ(desk.form.classPicker->currentText(), "أول-1");
    auto& data = desk.menu->classData();
    EXPECT_EQ(data.HeaderGradeText, "أول");
    EXPECT_EQ(data.HeaderClassText, "1");
}

TEST(MarkSheetMenu, WholeSchoolAsksOnceAndPrintsEveryClassInListOrder) {
    TestHome home;
    test::seedSchool(home);
    MarkDesk desk(home);
    desk.pick("أول-2");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    desk.clickMark(9);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kAskWholeSchool);
    EXPECT_EQ(desk.marks->lastRun().printed, QStringList({"أول-1", "أول-2", "ثاني-1"}));
    const QStringList jobs = desk.jobs();
    ASSERT_EQ(jobs.size(), 3);
    EXPECT_TRUE(jobs[0].endsWith("-Final.pdf"));
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_FALSE(appState().PrintBatchActive);
    if (!test::havePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(test::pdfText(jobs[1]).contains("سامي محمد"));
    EXPECT_FALSE(test::pdfText(jobs[1]).contains("يوسف خالد"));
    EXPECT_TRUE(test::pdfText(jobs[2]).contains("عمر حسن"));
}

TEST(MarkSheetMenu, WholeGradeOfTheCoursesSystemPrintsAndCancelPrintsNothing) {
    TestHome home;
    test::seedSchool(home);
    test::addClass(home, "مقررات", "1", 0);
    test::addClass(home, "مقررات", "2", 0);
    test::addPupil(home, {"مقررات", "1", "01", "ماجد", "", "5500000001"});
    test::addPupil(home, {"مقررات", "2", "01", "نايف", "", "5500000002"});
    MarkDesk desk(home);
    desk.pick("مقررات-2");
    desk.form.wholeGradeCheck->click();
    desk.dialogs().answer(kCancel);
    desk.clickMark(0);
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.marks->lastRun().cancelled);

    desk.pick("مقررات-2");
    desk.dialogs().answer(kOk);
    desk.clickMark(0);
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    EXPECT_EQ(desk.dialogs().shown[1].text, kAskWholeGrade + "مقررات");
    EXPECT_EQ(desk.marks->lastRun().printed, QStringList({"مقررات-1", "مقررات-2"}));
    EXPECT_EQ(desk.jobs().size(), 2);
    EXPECT_FALSE(appState().PrintBatchActive);

    // The name-list menu still refuses it.
    desk.pick("مقررات-2");
    desk.dialogs().answer(kOk);
    desk.click(2);
    EXPECT_EQ(desk.dialogs().shown.back().text, kCoursesNoWholeGrade);
    EXPECT_EQ(desk.jobs().size(), 2);
}

TEST(MarkSheetMenu, AClassKeyWithoutDashIsReportedAndPrintsNothing) {
    TestHome home;
    test::seedSchool(home);
    MarkDesk desk(home);
    desk.form.classPicker->addItem("بلا فصل");
    desk.pick("بلا فصل");
    desk.clickMark(0);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kBadClassNames);
    EXPECT_TRUE(desk.previews().empty());
    // The filler alone leaves the sheets as they were.
    desk.marks->fillHeaders();
    EXPECT_EQ(desk.marks->fillError(), kBadClassNames);
}

// A class whose name holds "-" or ":" gets its own heading and students.
TEST(MarkSheetMenu, ClassesWithSeparatorsInTheirNamesPrintTheirOwnStudents) {
    TestHome home;
    test::seedOddNamesSchool(home);
    test::finishProfile(home);
    MarkDesk desk(home);
    const std::vector<std::tuple<QString, QString, QStringList>> expected = {
        {"أول-1", "أول [ 1  ]", {"سعد-1 الحربي", "خالد:الأول"}},
        {"أول-1-أ", "أول [ 1-أ  ]", {"علي|حسن", "O'Neil عمر"}},
        {"أول-1:ب", "أول [ 1:ب  ]", {"فهد \"الصغير\"", "ماجد %1 %"}},
    };
    for (const auto& [key, heading, names] : expected) {
        desk.pick(key);
        desk.clickMark(markSheetItems().front().index);
        ASSERT_FALSE(desk.previews().empty());
        EXPECT_EQ(test::firstText(desk.previews().back(), "Class"), heading);
        EXPECT_EQ(test::controlTexts(desk.previews().back(), "Text3"), names);
    }
    EXPECT_TRUE(desk.dialogs().shown.empty());
}
