#include "reports/MarkSheetHeaders.h"
#include "report/LayoutLibrary.h"
#include "reports/QuranItems.h"
#include "support/TestHome.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;

namespace {

SchoolHeader school() {
    QImage logo(10, 10, QImage::Format_RGB32);
    logo.fill(Qt::red);
    return {"إدارة تعليم الرياض", "مدرسة النور", "1447", logo};
}

data::RecordSet noStudents() {
    return {};
}

class MarkSheetHeaders : public ::testing::Test {
protected:
    void SetUp() override { report::layoutLibrary().clear(); }
    void TearDown() override { report::layoutLibrary().clear(); }
    test::TestHome home;
};

} // namespace

TEST(MarkClassLine, GradeAndClassStandAsTheyAreWithNoOuterBlanks) {
    const auto c = markClassLineOf("أول-1");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->gradeText, "أول");
    EXPECT_EQ(c->classText, "1");
    EXPECT_EQ(c->line, "أول [ 1  ]");
    // Every word of the grade stays; blanks around the parts too.
    EXPECT_EQ(markClassLineOf("تحفيظ القرآن الكريم - 2")->line, "تحفيظ القرآن الكريم  [  2  ]");
    EXPECT_EQ(markClassLineOf("أول عام -3")->gradeText, "أول عام ");
    EXPECT_FALSE(markClassLineOf("أول"));
}

TEST(QuranClassLine, QuranWordsGoAndPartsAreTrimmed) {
    EXPECT_EQ(quranCleanedKey("تحفيظ القرآن الكريم-1"), "تحفيظ  -1");
    EXPECT_EQ(quranCleanedKey("تحفيظ القراّن-1"), "تحفيظ -1");
    EXPECT_EQ(quranCleanedKey("الأول الثانوية-1"), "الأول الثانوي-1");
    const auto c = quranClassLineOf("تحفيظ القرآن الكريم- 2 ");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->gradeText, "تحفيظ");
    EXPECT_EQ(c->classText, "2");
    EXPECT_EQ(c->line, "تحفيظ [ 2  ]");
    EXPECT_FALSE(quranClassLineOf("القرآن"));
}

TEST(QuranSheetTitle, LevelWordsGoTheirBlanksStay) {
    EXPECT_EQ(quranSheetTitle("متابعة الحفظ متوسط"), "متابعة الحفظ ");
    EXPECT_EQ(quranSheetTitle("تقويم الفترة متوسط"), "تقويم الفترة ");
    EXPECT_EQ(quranSheetTitle("متابعة التلاوة"), "متابعة التلاوة");
}

TEST_F(MarkSheetHeaders, EverySheetGetsTheSchoolHeaderItsSubjectLineAndOrientation) {
    const auto line = markClassLineOf("أول-1");
    fillMarkSheetHeaders(school(), *line, noStudents());
    const struct {
        const char* name;
        const char* label1;
        report::Orientation orientation;
        double preview;
    } expected[] = {
        {"Marks", "المعلم:", report::Orientation::Portrait, 0},
        {"HandExam", "القرآن الكريم", report::Orientation::Portrait, 0},
        {"lang_grade_456", "حاسب", report::Orientation::Landscape, 16700},
        {"Lang4", "المادة:", report::Orientation::Landscape, 16700},
        {"lang_grade_3", "المادة/", report::Orientation::Landscape, 16700},
        {"lang_grade_3_1_period", nullptr, report::Orientation::Landscape, 16700},
        {"Final", "المادة:", report::Orientation::Portrait, 0},
        {"MarksPeriod", "المادة:", report::Orientation::Portrait, 0},
    };
    ASSERT_EQ(markSheetLayoutNames().size(), 8);
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const report::ReportLayout& l = report::layout(e.name);
        EXPECT_EQ(l.control("kl1").caption, "المملكة العربية السعودية");
        EXPECT_EQ(l.control("kl2").caption, "وزارة التعليم");
        EXPECT_EQ(l.control("kl3").caption, "إدارة تعليم الرياض");
        EXPECT_EQ(l.control("kl4").caption, "مدرسة النور");
        EXPECT_EQ(l.control("kl5").caption, "1447");
        EXPECT_EQ(l.control("Class").caption, "أول [ 1  ]");
        EXPECT_EQ(l.control("image1").picture.pixelColor(0, 0), QColor(Qt::red));
        if (e.label1) {
            EXPECT_EQ(l.control("Label1").caption, QString::fromUtf8(e.label1));
        }
        EXPECT_EQ(l.orientation(), e.orientation);
        EXPECT_DOUBLE_EQ(l.previewWidth(), e.preview);
        EXPECT_NE(l.dataSource(), nullptr);
    }
    // Final and MarksPeriod ask for the subject once and for the teacher.
    for (const char* name : {"Final", "MarksPeriod"}) {
        EXPECT_EQ(report::layout(name).control("Label1").caption, "المادة:");
        EXPECT_EQ(report::layout(name).control("Label2").caption, "المعلم:");
    }
}

TEST_F(MarkSheetHeaders, TheReadingsSheetsCaptionsDoNotReachTheMarkSheets) {
    const auto quran = quranClassLineOf("تحفيظ القرآن الكريم-1");
    fillReadingsHeader(school(), *quran, noStudents());
    report::ReportLayout& l = report::layout(kReadingsLayout);
    EXPECT_EQ(l.control("Class").caption, "تحفيظ [ 1  ]");
    // The class filler leaves orientation and preview width as stored.
    EXPECT_EQ(l.orientation(), report::Orientation::Landscape);
    EXPECT_DOUBLE_EQ(l.previewWidth(), 0);
    fillQuranItem(*quranItem(kReadingsItem), school(), *quran, noStudents());
    EXPECT_EQ(l.control("Label1").caption, "قراءات");
    EXPECT_EQ(l.control("Label17").caption, "شفهي");
    EXPECT_EQ(l.control("Label18").caption, "10");
    EXPECT_EQ(l.control("Label20").caption, "10");
    EXPECT_DOUBLE_EQ(l.previewWidth(), 16700);
    EXPECT_EQ(l.control("Class").caption, "تحفيظ [ 1  ]");

    fillMarkSheetHeaders(school(), *markClassLineOf("أول-1"), noStudents());
    EXPECT_EQ(l.control("Label1").caption, "حاسب");
    EXPECT_EQ(l.control("Label17").caption, "القراءة الجهرية");
    EXPECT_EQ(l.control("Label18").caption, "5");
    EXPECT_EQ(l.control("Label20").caption, "5");
    EXPECT_EQ(l.control("Class").caption, "أول [ 1  ]");
}

TEST_F(MarkSheetHeaders, AQuranSheetShowsTheClassLineWithItsTitleInLandscape) {
    const auto quran = quranClassLineOf("أول-1");
    report::ReportLayout& l = report::layout("TahMemorization");
    l.setOrientation(report::Orientation::Portrait);
    l.control("Label2").caption = "left over";
    fillQuranItem(*quranItem(0), school(), *quran, noStudents());
    EXPECT_EQ(l.control("Class").caption, "أول [ 1  ] متابعة الحفظ ");
    EXPECT_EQ(l.control("Label2").caption, "المعلم/");
    EXPECT_EQ(l.control("kl4").caption, "مدرسة النور");
    EXPECT_EQ(l.orientation(), report::Orientation::Landscape);
    EXPECT_DOUBLE_EQ(l.previewWidth(), 16700);
}
