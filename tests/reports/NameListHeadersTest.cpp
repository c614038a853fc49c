#include "reports/NameListHeaders.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "reports/ReportsTestSupport.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::TestHome;

TEST(ClassLine, GradeAndClassMakeTheLine) {
    const auto c = classLineOf("أول-1");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->gradeText, " أول");
    EXPECT_EQ(c->classText, "1");
    EXPECT_EQ(c->line, " أول [ 1  ] ");
    // Blanks around the class number reach the line as they are.
    EXPECT_EQ(classLineOf("أول- 2 ")->line, " أول [  2   ] ");
    // The grade ends at the first "-": the class keeps its own.
    EXPECT_EQ(classLineOf("أول-3-ب")->classText, "3-ب");
    EXPECT_FALSE(classLineOf("أول"));
    EXPECT_FALSE(classLineOf(""));
}

TEST(ClassLine, TheQuranWordsGoAndTheirBlankStays) {
    EXPECT_EQ(classLineOf("تحفيظ القرآن الكريم-1")->line, " تحفيظ  [ 1  ] ");
    EXPECT_EQ(cleanGradeText(" تحفيظ القراّن"), " تحفيظ ");
}

TEST(ClassLine, TheWordGeneralGoesOnlyBetweenBlanksAndLeavesOne) {
    // Between two words: they stay two words.
    EXPECT_EQ(cleanGradeText(" ثالث عام أول"), " ثالث أول");
    // Last word of the grade: nothing follows it, so it stays.
    EXPECT_EQ(cleanGradeText(" ثالث عام"), " ثالث عام");
    // Followed by a blank: the word goes.
    EXPECT_EQ(cleanGradeText(" ثالث عام "), " ثالث ");
    // Twice in a row: both go.
    EXPECT_EQ(cleanGradeText(" أ عام عام ب"), " أ ب");
    // A longer word that holds it is untouched.
    EXPECT_EQ(cleanGradeText(" أعوام"), " أعوام");
}

namespace {

struct Expected {
    const char* layout;
    QString label1; // empty: the stored caption stays (or there is none)
    report::Orientation orientation;
    bool widePreview;
};

report::ReportLayout& L(const char* name) {
    return report::layout(QString::fromLatin1(name));
}

QString caption(const char* layout, const char* control) {
    return L(layout).control(QString::fromLatin1(control)).caption;
}

} // namespace

TEST(NameListHeaders, EveryLayoutGetsTheSchoolHeaderItsCaptionOrientationAndRows) {
    TestHome home;
    data::RecordSet rows;
    {
        test::addPupil(home, {"أول", "1", "01", "يوسف", "055", "11"});
        ClassData d;
        ASSERT_TRUE(d.load("أول-1"));
        rows = d.ClassRecordset;
    }
    // What each layout stores before any fill.
    QHash<QString, QString> storedLabel1;
    QHash<QString, double> storedWidth;
    for (const QString& name : nameListLayoutNames()) {
        report::ReportLayout& l = report::layout(name);
        storedWidth[name] = l.previewWidth();
        if (l.hasControl("Label1"))
            storedLabel1[name] = l.control("Label1").caption;
    }
    // Something a print left behind.
    L("Books").control("Label14").visible = false;
    L("Quran1").control("Label18").caption = "بقايا";
    L("FollowUp").setPreviewWidth(9999);

    QImage logo(20, 10, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const SchoolHeader school{"إدارة تعليم الرياض", "مدرسة النور", "1447", logo};
    fillNameListHeaders(school, *classLineOf("أول-1"), rows);

    using O = report::Orientation;
    const QString quran = "القرآن الكريم", subject = "المادة:";
    const Expected expected[] = {
        {"Quran", quran, O::Landscape, true},
        {"Quran1", quran, O::Portrait, false},
        {"StudentsNames", {}, O::Portrait, false},
        {"Weeks4", subject, O::Landscape, true},
        {"Weeks", subject, O::Landscape, true},
        {"Land30", subject, O::Landscape, true},
        {"SNamesLand", subject, O::Landscape, true},
        {"MyLangUnit", subject, O::Landscape, true},
        {"Lang2", "لغتي الوحدة:", O::Portrait, false},
        {"AbcentWeek", {}, O::Landscape, true},
        {"FollowUp", {}, O::Landscape, false},
        {"Books", "كشف باستلام الكتب", O::Portrait, false},
        {"General", "كشف عام", O::Portrait, false},
    };
    ASSERT_EQ(nameListLayoutNames().size(), 13);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.layout);
        report::ReportLayout& l = L(e.layout);
        EXPECT_EQ(caption(e.layout, "kl1"), "المملكة العربية السعودية");
        EXPECT_EQ(caption(e.layout, "kl2"), "وزارة التعليم");
        EXPECT_EQ(caption(e.layout, "kl3"), "إدارة تعليم الرياض");
        EXPECT_EQ(caption(e.layout, "kl4"), "مدرسة النور");
        EXPECT_EQ(caption(e.layout, "kl5"), "1447");
        EXPECT_EQ(caption(e.layout, "Class"), " أول [ 1  ] ");
        EXPECT_EQ(l.control("Section4", "image1").picture, logo);
        if (e.label1.isEmpty()) {
            if (l.hasControl("Label1")) {
                EXPECT_EQ(caption(e.layout, "Label1"), storedLabel1.value(e.layout));
            }
        } else {
            EXPECT_EQ(caption(e.layout, "Label1"), e.label1);
        }
        EXPECT_EQ(l.orientation(), e.orientation);
        EXPECT_EQ(l.previewWidth(), e.widePreview ? 16700 : storedWidth.value(e.layout));
        ASSERT_NE(l.dataSource(), nullptr);
        EXPECT_EQ(l.dataSource()->rowCount(), 1);
    }
    EXPECT_FALSE(L("AbcentWeek").hasControl("Label1"));
    EXPECT_EQ(caption("StudentsNames", "Label1"), "المعلم:");
    EXPECT_EQ(caption("FollowUp", "Label1"), "المادة/");
    // The phone column is hidden on every fill; nothing of the earlier print stays.
    EXPECT_FALSE(L("Quran1").control("Section1", "Text2").visible);
    EXPECT_TRUE(L("Books").control("Label14").visible);
    EXPECT_EQ(caption("Quran1", "Label18"), "كشف متابعةالتقويم لمادة القرآن الكريم");
}

TEST(NameListHeaders, AMissingLayoutIsAnErrorNotACrash) {
    TestHome home;
    QFile::remove(home.path() + "/layouts/Weeks.json");
    EXPECT_THROW(fillNameListHeaders({}, *classLineOf("أول-1"), data::RecordSet()),
                 report::ReportError);
}
