#include "report/LayoutLibrary.h"
#include "report/ReportPages.h"
#include "report/SampleClass.h"
#include "support/TestHome.h"

#include <gtest/gtest.h>
#include <map>

using namespace sijill;
using report::DrawnItem;
using report::LaidOutReport;

namespace {

struct Stored {
    const char* name;
    int orientation;
    double width;
    const char* label1; // nullptr: the layout has no Label1
    const char* label2;
    int blankCells;
    std::vector<const char*> firstRow; // captions of the first heading row, right to left
    bool footer;                       // recorder and checker lines
};

const std::vector<Stored>& storedLayouts() {
    static const char* const p1 = "الفترة الأولى";
    static const char* const p2 = "الفترة الثانية";
    static const std::vector<Stored> all = {
        {"Marks",
         1,
         11280,
         "المعلم:",
         "المادة:",
         3,
         {"م", "الاسم", "اختبارات قصيرة", "أدوات تقييم متنوعة", "ملاحظات"},
         true},
        {"HandExam",
         1,
         11280,
         "المعلم:",
         "المادة:",
         6,
         {"م", "الاسم", p1, p2, "معدل الفترات"},
         false},
        {"Final", 1, 11250, "المعلم:", "المعلم:", 2, {"م", "الاسم", "الدرجة", "ملاحظات"}, true},
        {"MarksPeriod",
         1,
         11280,
         "المعلم:",
         "المعلم:",
         6,
         {"م", "الاسم", "الحضور", "المشاركة والنشاط", "الواجبات المنزلية", "ملف الأعمال",
          "المشروعات والبحوث", "اختبار قصير"},
         false},
        {"Lang4",
         2,
         15615,
         "المادة/",
         "المعلم/",
         13,
         {"م", "الاسم", "االفترة الأولى", "االفترة الثانية", "الفترة الثالثة", "المعدل"},
         false},
        {"lang_grade_3",
         2,
         16065,
         "المادة/",
         "المعلم/",
         37,
         {"م", "الاسم", p1, p2, "مجموع الفترتين", "نهاية الفصل", "الدرجة النهائية"},
         false},
        {"lang_grade_3_1_period",
         2,
         15645,
         nullptr,
         "",
         16,
         {"م", "الاسم", "استماع", "التعبير شفهي", "القراءة", "الحفظ", "الإملاء", "الخط", "المجموع",
          "المجموع 2/ ", "فهم", "تراكيب", "تعبير كتابي", "إملاء منظور", "الإملاء الاختباري",
          "المجموع", "المجموع 2/ ", "اجمالي الفترة"},
         false},
        {"lang_grade_456",
         2,
         16065,
         "المادة/",
         "المعلم/",
         36,
         {"م", "الاسم", p1, p2, "مجموع الفترتين", "المشاركة", "نهاية الفصل", "الدرجة النهائية"},
         false},
        {"TahMemorization",
         2,
         16050,
         "المادة/",
         "المعلم/",
         38,
         {"م", "الاسم", "الاسبوع الأول", "الاسبوع الثاني", "الاسبوع الثالث", "الاسبوع الرابع",
          "الاسبوع الخامس", "الاسبوع السادس", "مج", "مع"},
         false},
        {"TahMemorization2",
         2,
         15660,
         "المادة/",
         "المعلم/",
         8,
         {"م", "الاسم", "تقويم الفترة", "مجموع الفتـــرة + معدل اليومي والأسبوعي",
          "معدل الفـــترة  2 / 100"},
         false},
        {"F2", 2, 15960, "المادة/", "المعلم/", 26, {"م", "الاسم", p1, p2}, false},
        {"TahMemDayly",
         2,
         15645,
         "التقويم اليومي للحفظ",
         "المعلم/",
         35,
         {"م", "الاسم", "الاسبوع الأول", "الاسبوع الثاني", "الاسبوع الثالث", "الاسبوع الرابع",
          "الاسبوع الخامس", "الاسبوع السادس", "تقويم الفترة", "مع"},
         false},
        {"TahEva",
         2,
         15600,
         "المادة/",
         "المعلم/",
         21,
         {"م", "الاسم", "التجويد", "الترتيل", "ح", "ج", "مج"},
         false},
    };
    return all;
}

// Heading labels of Section2, row by row from the top, right to left.
std::vector<std::vector<QString>> headingRows(const report::ReportLayout& layout) {
    std::map<double, std::vector<const report::ReportControl*>> rows;
    for (const report::ReportControl& c : layout.section("Section2").controls)
        if (c.kind == report::ControlKind::Label)
            rows[c.top].push_back(&c);
    std::vector<std::vector<QString>> out;
    for (auto& [top, controls] : rows) {
        std::sort(controls.begin(), controls.end(),
                  [](auto* a, auto* b) { return a->left + a->width > b->left + b->width; });
        std::vector<QString> captions;
        for (auto* c : controls)
            if (!c->caption.isEmpty())
                captions.push_back(c->caption);
        out.push_back(captions);
    }
    return out;
}

int blankCells(const report::ReportLayout& layout) {
    int blanks = 0;
    const report::ReportSection& detail = layout.section("Section1");
    for (const report::ReportControl& cell : detail.controls) {
        if (cell.kind != report::ControlKind::Shape)
            continue;
        bool bound = false;
        for (const report::ReportControl& t : detail.controls) {
            const double centre = t.left + t.width / 2;
            bound |= t.kind == report::ControlKind::TextBox && centre > cell.left &&
                     centre < cell.left + cell.width;
        }
        blanks += bound ? 0 : 1;
    }
    return blanks;
}

class MarkSheetLayouts : public ::testing::Test {
protected:
    void SetUp() override { report::layoutLibrary().clear(); }
    void TearDown() override { report::layoutLibrary().clear(); }
    test::TestHome home;
};

} // namespace

TEST_F(MarkSheetLayouts, EveryLayoutMatchesItsCatalogueEntry) {
    for (const Stored& s : storedLayouts()) {
        SCOPED_TRACE(s.name);
        const report::ReportLayout& layout = report::layout(s.name);
        EXPECT_EQ(static_cast<int>(layout.orientation()), s.orientation);
        EXPECT_DOUBLE_EQ(layout.reportWidth(), s.width);
        for (const char* name : {"Label14", "kl1", "kl2", "kl3", "kl4", "kl5", "Class", "image1"})
            EXPECT_TRUE(layout.section("Section4").find(name)) << name;
        EXPECT_EQ(layout.control("Class").caption, "الصف:");
        EXPECT_EQ(layout.hasControl("Label1"), s.label1 != nullptr);
        if (s.label1) {
            EXPECT_EQ(layout.control("Section4", "Label1").caption, QString::fromUtf8(s.label1));
        }
        EXPECT_EQ(layout.control("Section4", "Label2").caption, QString::fromUtf8(s.label2));
        EXPECT_EQ(blankCells(layout), s.blankCells);
        const auto rows = headingRows(layout);
        ASSERT_FALSE(rows.empty());
        std::vector<QString> first;
        for (const char* c : s.firstRow)
            first.push_back(QString::fromUtf8(c));
        EXPECT_EQ(rows.front(), first);
        QStringList fields;
        for (const report::ReportControl& c : layout.section("Section1").controls)
            if (c.kind == report::ControlKind::TextBox)
                fields << c.dataField.toUpper();
        fields.sort();
        EXPECT_EQ(fields, QStringList({"D0", "D1"}));
        EXPECT_EQ(layout.section("Section5").controls.empty(), !s.footer);
    }
}

TEST_F(MarkSheetLayouts, MaximaAndStackedHeadingsStandWhereTheSheetsNeedThem) {
    const auto period = headingRows(report::layout("MarksPeriod"));
    ASSERT_EQ(period.size(), 2u);
    EXPECT_EQ(period[1], std::vector<QString>({"5", "5", "5", "5", "10", "20"}));

    const auto hand = headingRows(report::layout("HandExam"));
    ASSERT_EQ(hand.size(), 2u);
    EXPECT_EQ(hand[1][0], "اختبارات\nقصيرة\nنظري");
    EXPECT_EQ(hand[1][1], "تقييم\nأدوات\nمنوعة");

    const auto eva = headingRows(report::layout("TahEva"));
    ASSERT_EQ(eva.size(), 3u);
    EXPECT_EQ(eva[2], std::vector<QString>({"15",  "15", "15", "15", "15", "15", "15",
                                            "105", "15", "10", "10", "10", "10", "10",
                                            "10",  "10", "70", "10", "5",  "70", "100"}));

    // The readings sheet's own heading and maxima, in the second period.
    report::ReportLayout& readings = report::layout("lang_grade_456");
    EXPECT_EQ(readings.control("Section2", "Label18").caption, "5");
    EXPECT_EQ(readings.control("Section2", "Label20").caption, "5");
    EXPECT_EQ(readings.control("Section2", "Label17").caption, "القراءة الجهرية");
    const double secondPeriod = readings.control("Label17").left;
    EXPECT_LT(secondPeriod, readings.control("Section2", "Label18").left + 1);
    EXPECT_DOUBLE_EQ(readings.section("Section1").height, 765);
    const auto grade456 = headingRows(readings);
    ASSERT_EQ(grade456.size(), 4u);
    // The second period stands left of the first.
    const QString half = QStringLiteral("المجموع 2/ ");
    const QString whole = QStringLiteral("اجمالي الفترة");
    EXPECT_EQ(grade456[1], std::vector<QString>({"أدوات تقويم  ", half, "الاختبار التحريري", half,
                                                 whole, "أدوات تقويم  ", half, "الاختبار التحريري",
                                                 half, whole, "شفهي", "تحريري", "المجموع"}));
    for (const auto& c : readings.section("Section2").controls) {
        if (c.caption == "الفترة الأولى") {
            EXPECT_GT(c.left, secondPeriod);
        }
    }
}

TEST_F(MarkSheetLayouts, ClassOf35LaysOutWithNothingClipped) {
    for (const Stored& s : storedLayouts()) {
        SCOPED_TRACE(s.name);
        report::ReportLayout& layout = report::layout(s.name);
        layout.resetToDesign();
        test::fillSampleHeader(layout);
        layout.setDataSource(test::sampleClass(35));
        const LaidOutReport r = report::layOut(layout);
        EXPECT_DOUBLE_EQ(r.scale, 1.0);
        int rows = 0, footers = 0;
        for (size_t p = 0; p < r.pages.size(); ++p) {
            const report::ReportPage& page = r.pages[p];
            // The school header on the first page only; headings on every page.
            EXPECT_EQ(page.findText("المملكة العربية السعودية") != nullptr, p == 0);
            EXPECT_NE(page.findText("الاسم"), nullptr);
            for (const DrawnItem& item : page.items) {
                EXPECT_TRUE(report::textFits(item))
                    << item.control.toStdString() << " \"" << item.text.toStdString() << "\"";
                EXPECT_LE(item.rect.right(), r.paperSize.width() - 200 + 0.01);
                EXPECT_LE(item.rect.bottom(), r.paperSize.height() - 200 + 0.01);
                rows += item.section == "Section1" && item.control == "Text1" ? 1 : 0;
                if (item.section == "Section5") {
                    EXPECT_EQ(p, r.pages.size() - 1);
                    footers += item.kind == DrawnItem::Kind::Text ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(rows, 35);
        EXPECT_EQ(footers, s.footer ? 4 : 0);
        // Portrait sheets hold the class on one page; landscape ones need more.
        EXPECT_EQ(r.pages.size() == 1, s.orientation == 1);
    }
}
