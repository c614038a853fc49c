#include "reports/QuranMenu.h"
#include "platform/AppState.h"
#include "platform/Twips.h"
#include "report/LayoutLibrary.h"
#include "report/ReportPages.h"
#include "reports/MarkSheetHeaders.h"
#include "reports/MarkSheetMenu.h"
#include "reports/QuranItems.h"
#include "reports/ReportsTestSupport.h"
#include "shell/ShellTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::backOf;
using sijill::test::kCancel;
using sijill::test::kOk;
using sijill::test::PrintDesk;
using sijill::test::TestHome;

namespace {

struct QuranDesk : PrintDesk {
    explicit QuranDesk(const TestHome& home) : PrintDesk(home) {
        installMarkSheetMenus(form);
        quran = quranMenu(form);
        form.onPrintTabClicked(4);
    }
    void clickItem(int item) { test::leftClick(quran->items.at(item)); }
    QuranMenu* quran = nullptr;
};

// A school of Quran classes: two of the first grade, one of the second.
void seedQuranSchool(const TestHome& home) {
    test::seedSchool(home);
    test::addClass(home, "تحفيظ القرآن الكريم", "1", 3);
    test::addClass(home, "تحفيظ القرآن الكريم", "2", 3);
    test::addPupil(home, {"تحفيظ القرآن الكريم", "1", "01", "حمد", "", "7700000001"});
    test::addPupil(home, {"تحفيظ القرآن الكريم", "2", "01", "راشد", "", "7700000002"});
}

} // namespace

TEST(QuranMenu, EightItemsStandInThePanelInTheirOrder) {
    TestHome home;
    test::seedSchool(home);
    QuranDesk desk(home);
    ASSERT_NE(desk.quran, nullptr);
    ASSERT_EQ(desk.quran->items.size(), 9u);
    EXPECT_EQ(desk.quran->items[3], nullptr);
    QList<QLabel*> shown;
    for (const QuranItem& item : quranItems()) {
        SCOPED_TRACE(item.index);
        QLabel* label = desk.quran->items[item.index];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), desk.form.printTabPanels[4]);
        EXPECT_EQ(label->y(), platform::twips(item.top));
        EXPECT_EQ(label->text(), item.caption);
        EXPECT_TRUE(label->isVisible());
        EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
        shown << label;
    }
    std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
    QStringList order;
    for (QLabel* l : shown)
        order << l->objectName();
    EXPECT_EQ(order, QStringList({"quranItem0", "quranItem4", "quranItem5", "quranItem2",
                                  "quranItem1", "quranItem6", "quranItem7", "quranItem8"}));

    test::hover(desk.quran->items[2]);
    test::hover(desk.quran->items[7]);
    for (const QuranItem& item : quranItems())
        EXPECT_EQ(backOf(desk.quran->items[item.index]),
                  QColor(item.index == 7 ? "#A7C7EC" : "#DEDEDE"));
}

TEST(QuranMenu, OneClassPreviewsTheSheetWithItsTitleInLandscape) {
    TestHome home;
    seedQuranSchool(home);
    QuranDesk desk(home);
    desk.pick("تحفيظ القرآن الكريم-2");
    desk.clickItem(0);
    ASSERT_EQ(desk.previews().size(), 1u);
    const report::LaidOutReport& r = desk.previews()[0];
    EXPECT_EQ(r.layoutName, "TahMemorization");
    EXPECT_EQ(test::firstText(r, "Class"), "تحفيظ [ 2  ] متابعة الحفظ ");
    EXPECT_EQ(test::firstText(r, "kl2"), "وزارة التعليم");
    EXPECT_EQ(test::firstText(r, "kl4"), "مدرسة النور الابتدائية");
    EXPECT_EQ(r.orientation, report::Orientation::Landscape);
    EXPECT_EQ(r.previewWidth, 16700);
    EXPECT_EQ(test::controlTexts(r, "Text3"), QStringList({"راشد"}));
    EXPECT_EQ(desk.menu->classData().HeaderGradeText, "تحفيظ");
    EXPECT_EQ(desk.menu->classData().HeaderClassText, "2");
    EXPECT_TRUE(desk.dialogs().shown.empty());
    EXPECT_TRUE(desk.jobs().isEmpty());

    // Every item with a sheet previews it; the two summaries print nothing
    // and say why through the program's message box.
    QStringList told;
    for (const QuranItem& item : quranItems()) {
        SCOPED_TRACE(item.index);
        const std::size_t before = desk.previews().size();
        if (item.layout.isEmpty())
            desk.dialogs().answer(kOk);
        desk.clickItem(item.index);
        if (item.layout.isEmpty()) {
            EXPECT_EQ(desk.previews().size(), before);
            ASSERT_FALSE(desk.dialogs().shown.empty());
            EXPECT_TRUE(desk.dialogs().shown.back().text.contains(item.caption));
            told << item.caption;
            continue;
        }
        ASSERT_EQ(desk.previews().size(), before + 1);
        EXPECT_EQ(desk.previews().back().layoutName, item.layout);
        EXPECT_EQ(desk.previews().back().orientation, report::Orientation::Landscape);
    }
    told.sort();
    EXPECT_EQ(told, QStringList({"خلاصة التلاوة", "خلاصة الحفظ متوسط"}));
    EXPECT_EQ(desk.dialogs().shown.size(), 2u);
    EXPECT_TRUE(desk.jobs().isEmpty());
}

TEST(QuranMenu, ReadingsRewriteTheMarkSheetAndTheMarkSheetGetsItsOwnBack) {
    TestHome home;
    seedQuranSchool(home);
    QuranDesk desk(home);
    desk.pick("تحفيظ القرآن الكريم-1");
    desk.clickItem(kReadingsItem);
    ASSERT_EQ(desk.previews().size(), 1u);
    const report::LaidOutReport& r = desk.previews()[0];
    EXPECT_EQ(r.layoutName, kReadingsLayout);
    EXPECT_EQ(test::firstText(r, "Label1"), "قراءات");
    EXPECT_EQ(test::firstText(r, "Label17"), "شفهي");
    EXPECT_EQ(test::firstText(r, "Label18"), "10");
    EXPECT_EQ(test::firstText(r, "Label20"), "10");
    EXPECT_EQ(test::firstText(r, "Class"), "تحفيظ [ 1  ]");
    EXPECT_EQ(r.orientation, report::Orientation::Landscape);
    EXPECT_EQ(r.previewWidth, 16700);
    EXPECT_EQ(test::controlTexts(r, "Text3"), QStringList({"حمد"}));
    for (const char* name : {"Label1", "Label17", "Label18", "Label20"})
        EXPECT_TRUE(report::textFits(*r.pages[0].findControl(name))) << name;

    markSheetMenu(desk.form)->onItemClicked(11);
    ASSERT_EQ(desk.previews().size(), 2u);
    const report::LaidOutReport& m = desk.previews()[1];
    EXPECT_EQ(test::firstText(m, "Label1"), "حاسب");
    EXPECT_EQ(test::firstText(m, "Label17"), "القراءة الجهرية");
    EXPECT_EQ(test::firstText(m, "Label18"), "5");
    EXPECT_EQ(test::firstText(m, "Class"), "تحفيظ القرآن الكريم [ 1  ]");
}

TEST(QuranMenu, WholeSchoolAsksOnceAndPrintsEveryClassFromTheFirst) {
    TestHome home;
    seedQuranSchool(home);
    QuranDesk desk(home);
    desk.pick("ثاني-1");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    desk.clickItem(2);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kAskWholeSchool);
    EXPECT_EQ(desk.dialogs().shown[0].mode, 2);
    EXPECT_EQ(desk.quran->lastRun().printed, QStringList({"أول-1", "أول-2", "تحفيظ القرآن الكريم-1",
                                                          "تحفيظ القرآن الكريم-2", "ثاني-1"}));
    ASSERT_EQ(desk.jobs().size(), 5);
    EXPECT_TRUE(desk.jobs()[0].endsWith("-F2.pdf"));
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_EQ(desk.form.classPicker->currentIndex(), desk.form.classPicker->count() - 1);
    EXPECT_FALSE(appState().PrintBatchActive);
    if (!test::havePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString fourth = test::pdfText(desk.jobs()[3]);
    EXPECT_TRUE(fourth.contains("راشد"));
    EXPECT_FALSE(fourth.contains("حمد"));
    EXPECT_TRUE(test::pdfText(desk.jobs()[4]).contains("عمر حسن"));
}

TEST(QuranMenu, WholeGradePrintsTheGradeOnlyAndCancelPrintsNothing) {
    TestHome home;
    seedQuranSchool(home);
    test::addClass(home, "ثاني", "2", 2);
    QuranDesk desk(home);
    desk.pick("أول-2");
    desk.form.wholeGradeCheck->click();
    desk.dialogs().answer(kCancel);
    desk.clickItem(7);
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.quran->lastRun().cancelled);
    EXPECT_FALSE(appState().PrintBatchActive);

    desk.pick("تحفيظ القرآن الكريم-2");
    desk.dialogs().answer(kOk);
    desk.clickItem(8);
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    EXPECT_EQ(desk.dialogs().shown[1].text, kAskWholeGrade + "تحفيظ القرآن الكريم");
    EXPECT_EQ(desk.quran->lastRun().printed,
              QStringList({"تحفيظ القرآن الكريم-1", "تحفيظ القرآن الكريم-2"}));
    ASSERT_EQ(desk.jobs().size(), 2);
    EXPECT_TRUE(desk.jobs()[0].endsWith("-lang_grade_456.pdf"));
    // The run ends at the grade's last class: the next class is current.
    EXPECT_EQ(desk.form.classPicker->currentText(), "ثاني-1");

    // The grade last in the list: the run ends on the list's last class.
    desk.pick("ثاني-1");
    desk.dialogs().answer(kOk);
    desk.clickItem(0);
    EXPECT_EQ(desk.quran->lastRun().printed, QStringList({"ثاني-1", "ثاني-2"}));
    EXPECT_EQ(desk.form.classPicker->currentText(), "ثاني-2");
    EXPECT_EQ(desk.dialogs().shown.size(), 3u);
    EXPECT_FALSE(appState().PrintBatchActive);
}
