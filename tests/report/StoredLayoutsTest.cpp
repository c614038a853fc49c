#include "data/Connection.h"
#include "data/ReportRows.h"
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
    const char* label2; // nullptr: no Label2
    int blankCells;
    // The captions of the first heading row, right to left.
    std::vector<const char*> firstRow;
};

const char* const kWeek = "الأسبوع";

std::vector<const char*> numbers(std::vector<const char*> head, int n) {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        for (int i = 1; i <= 30; ++i)
            t.push_back(std::to_string(i));
        return t;
    }();
    for (int i = 0; i < n; ++i)
        head.push_back(texts[i].c_str());
    return head;
}

const std::vector<Stored>& storedLayouts() {
    static const std::vector<Stored> all = {
        {"StudentsNames", 1, 11280, "المعلم:", "المادة:", 9, {"م", "الاسم"}},
        {"Quran",
         2,
         15555,
         "المادة/",
         "المعلم/",
         26,
         {"م", "الاسم", "التقويم الأول", "التقويم الثاني", "التقويم الثالث", "التقويم الرابع", "ج",
          "معدل"}},
        {"Quran1",
         1,
         11280,
         "المعلم:",
         "التقويم:",
         6,
         {"م", "الاسم", "صحة القراءة", "الترتيل", "تطبيق التجويد", "الانطلاقة", "الحفظ",
          "المجموع"}},
        {"Weeks4",
         2,
         15600,
         "المادة/",
         "المعلم/",
         21,
         {"م", "الاسم", kWeek, kWeek, kWeek, kWeek, "المجموع"}},
        {"Weeks",
         2,
         15600,
         "المادة/",
         "المعلم/",
         26,
         {"م", "الاسم", kWeek, kWeek, kWeek, kWeek, kWeek}},
        {"Land30", 2, 15660, "المادة/", "المعلم/", 30, numbers({"م", "الاسم"}, 30)},
        {"SNamesLand",
         2,
         15576,
         "المادة/",
         "المعلم/",
         14,
         {"م", "الاسم", "الوحدة الأولى", "الوحدة الثانية", "الوحدة الثالثة", "مجموع", "معدل"}},
        {"Lang2",
         1,
         11280,
         "المعلم:",
         "المعلم:",
         9,
         {"م", "الاسم", "واجبات", "مشاركة", "مجموع", "تقويم أداء", "مجموع", "كفاية", "مجموع"}},
        {"AbcentWeek",
         2,
         15645,
         nullptr,
         "",
         35,
         {"م", "الاسم", "الأحد   /      /    14هـ", "الاثنين   /      /    14هـ",
          "الثلاثاء   /      /    14هـ", "الأربعاء   /      /    14هـ",
          "الخميس   /      /    14هـ"}},
        {"FollowUp",
         2,
         15660,
         "المادة/",
         "المعلم/",
         30,
         {"م", "الاسم", "الحضور", "المشاركات والنشاطات", "الواجبات", "البحوث والمشروعات",
          "ملف الأعمال", "اختبارات قصيرة"}},
        {"MyLangUnit",
         2,
         15576,
         "المادة/",
         "المعلم/",
         13,
         {"م", "الاسم", "المشاركات", "مجموع", "تقويم أداء", "مجموع", "كفاية", "مجموع"}},
        {"Books",
         1,
         11280,
         "المعلم:",
         nullptr,
         1,
         {"م", "السجل المدني", "الاسم", "كتب لم تستلم", "التوقيع"}},
        {"General", 1, 11280, "المعلم:", nullptr, 0, {"م", "السجل المدني", "الاسم", "ملاحظات"}},
    };
    return all;
}

// Heading labels of a section, row by row from the top, right to left.
std::vector<std::vector<QString>> headingRows(const report::ReportLayout& layout) {
    std::map<double, std::vector<const report::ReportControl*>> rows;
    for (const report::ReportControl& c : layout.section("Section2").controls) {
        if (c.kind == report::ControlKind::Label)
            rows[c.top].push_back(&c);
    }
    std::vector<std::vector<QString>> out;
    for (auto& [top, controls] : rows) {
        std::sort(controls.begin(), controls.end(),
                  [](auto* a, auto* b) { return a->left + a->width > b->left + b->width; });
        std::vector<QString> captions;
        for (auto* c : controls)
            captions.push_back(c->caption);
        out.push_back(captions);
    }
    return out;
}

std::vector<QString> qstrings(const std::vector<const char*>& texts) {
    std::vector<QString> out;
    for (const char* t : texts)
        out.push_back(QString::fromUtf8(t));
    return out;
}

// Detail cells that hold no bound number, name or registry: the blank cells.
int blankCells(const report::ReportLayout& layout) {
    const report::ReportSection& detail = layout.section("Section1");
    int blanks = 0;
    for (const report::ReportControl& cell : detail.controls) {
        if (cell.kind != report::ControlKind::Shape)
            continue;
        bool bound = false;
        for (const report::ReportControl& t : detail.controls) {
            const double centre = t.left + t.width / 2;
            if (t.kind == report::ControlKind::TextBox && t.dataField.compare("D2") != 0 &&
                centre > cell.left && centre < cell.left + cell.width)
                bound = true;
        }
        blanks += bound ? 0 : 1;
    }
    return blanks;
}

class StoredLayouts : public ::testing::Test {
protected:
    void SetUp() override { report::layoutLibrary().clear(); }
    void TearDown() override { report::layoutLibrary().clear(); }

    LaidOutReport filled(const QString& name, int students = 35) {
        report::ReportLayout& layout = report::layout(name);
        layout.resetToDesign();
        test::fillSampleHeader(layout);
        layout.setDataSource(test::sampleClass(students));
        return report::layOut(layout);
    }

    test::TestHome home;
};

} // namespace

TEST_F(StoredLayouts, EveryLayoutMatchesItsCatalogueEntry) {
    for (const Stored& s : storedLayouts()) {
        SCOPED_TRACE(s.name);
        const report::ReportLayout& layout = report::layout(s.name);
        EXPECT_EQ(static_cast<int>(layout.orientation()), s.orientation);
        EXPECT_DOUBLE_EQ(layout.reportWidth(), s.width);
        for (const char* name : {"kl1", "kl2", "kl3", "kl4", "kl5", "Class"})
            EXPECT_TRUE(layout.section("Section4").find(name)) << name;
        EXPECT_FALSE(layout.control("image1").picture.isNull());
        EXPECT_TRUE(layout.hasControl(s.name == std::string("Quran1") ? "Bsmalah" : "Label14"));
        EXPECT_EQ(layout.control("Class").caption, "الصف:");
        EXPECT_EQ(layout.hasControl("Label1"), s.label1 != nullptr);
        if (s.label1) {
            EXPECT_EQ(layout.control("Section4", "Label1").caption, QString::fromUtf8(s.label1));
        }
        EXPECT_EQ(layout.hasControl("Label2"), s.label2 != nullptr);
        if (s.label2) {
            EXPECT_EQ(layout.control("Section4", "Label2").caption, QString::fromUtf8(s.label2));
        }
        EXPECT_EQ(blankCells(layout), s.blankCells);
        const auto rows = headingRows(layout);
        ASSERT_FALSE(rows.empty());
        std::vector<QString> first;
        for (const QString& c : rows.front()) {
            if (!c.isEmpty())
                first.push_back(c);
        }
        EXPECT_EQ(first, qstrings(s.firstRow));
        // Number and name are bound in every detail band.
        bool number = false, name = false;
        for (const report::ReportControl& c : layout.section("Section1").controls) {
            number |= c.dataField.compare("D0", Qt::CaseInsensitive) == 0;
            name |= c.dataField.compare("D1", Qt::CaseInsensitive) == 0;
        }
        EXPECT_TRUE(number && name);
    }
}

TEST_F(StoredLayouts, MaximaStandUnderTheirHeadings) {
    const auto lang2 = headingRows(report::layout("Lang2"));
    ASSERT_EQ(lang2.size(), 3u);
    EXPECT_EQ(lang2[1], qstrings({"قرائي", "شفهي", "استظهار"}));
    EXPECT_EQ(lang2[2], qstrings({"4", "2", "6", "5", "5", "4", "14", "30", "50"}));

    const auto quran1 = headingRows(report::layout("Quran1"));
    ASSERT_EQ(quran1.size(), 2u);
    EXPECT_EQ(quran1[1], qstrings({"20", "5", "5", "5", "15", "50"}));

    const auto snames = headingRows(report::layout("SNamesLand"));
    ASSERT_EQ(snames.size(), 3u);
    EXPECT_EQ(snames[2], qstrings({"14", "6", "30", "50", "14", "6", "30", "50", "14", "6", "30",
                                   "50", "150", "50"}));

    const auto follow = headingRows(report::layout("FollowUp"));
    // Groups, then "حسم" and the column headings, then the maxima.
    ASSERT_EQ(follow.size(), 3u);
    EXPECT_EQ(follow[2],
              qstrings({"1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "5",  "5",
                        "5",   "5",   "15",  "5",   "5",   "5",   "10",  "5",   "10", "10",
                        "10",  "30",  "10",  "5",   "5",   "10",  "5",   "20",  "20", "20"}));
}

TEST_F(StoredLayouts, ClassOf35LaysOutWithNothingClipped) {
    for (const Stored& s : storedLayouts()) {
        SCOPED_TRACE(s.name);
        const LaidOutReport r = filled(s.name);
        EXPECT_DOUBLE_EQ(r.scale, 1.0);
        // Portrait pages hold the whole class; landscape ones run onto a second page.
        EXPECT_EQ(r.pages.size(), s.orientation == 1 ? 1u : 2u);
        int rows = 0;
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
                if (item.section == "Section1" && item.kind == DrawnItem::Kind::Text &&
                    item.control == "Text1")
                    ++rows;
            }
        }
        EXPECT_EQ(rows, 35);
    }
}

// Also where the last row ends a page, the footer takes that row along: no
// page holds the headings and the footer alone.
TEST_F(StoredLayouts, ReportFootersPrintOnceAfterTheLastRow) {
    for (const char* name : {"Books", "General", "AbcentWeek"}) {
        const LaidOutReport longClass = filled(name, 80);
        const std::vector<DrawnItem>& firstPage = longClass.pages[0].items;
        const int fullPage = static_cast<int>(
            std::count_if(firstPage.begin(), firstPage.end(),
                          [](const DrawnItem& i) { return i.control == "Text1"; }));
        for (int students : {35, fullPage}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(students));
            const LaidOutReport r = filled(name, students);
            int footers = 0;
            double lastRowBottom = 0, footerTop = 1e9;
            for (const DrawnItem& item : r.pages.back().items) {
                if (item.section == "Section5") {
                    footers += item.kind == DrawnItem::Kind::Text ? 1 : 0;
                    footerTop = std::min(footerTop, item.rect.top());
                }
                if (item.section == "Section1")
                    lastRowBottom = std::max(lastRowBottom, item.rect.bottom());
            }
            EXPECT_GT(footers, 0);
            EXPECT_GT(lastRowBottom, 0);
            EXPECT_GE(footerTop + 0.01, lastRowBottom);
            for (size_t p = 0; p + 1 < r.pages.size(); ++p) {
                for (const DrawnItem& item : r.pages[p].items)
                    EXPECT_NE(item.section, "Section5");
            }
        }
    }
}

TEST_F(StoredLayouts, Quran1ServesTheSheetAndThePhoneList) {
    report::ReportLayout& layout = report::layout("Quran1");
    // The Quran sheet: the phone hidden.
    layout.resetToDesign();
    layout.control("Section1", "Text2").visible = false;
    layout.setDataSource(test::sampleClass(3));
    LaidOutReport r = report::layOut(layout);
    EXPECT_EQ(r.pages[0].findControl("Text2"), nullptr);
    EXPECT_NE(r.pages[0].findText("صحة القراءة"), nullptr);

    // The phone list: phone shown, title replaced, mark headings and maxima blank.
    layout.control("Section1", "Text2").visible = true;
    layout.control("Section4", "Label18").caption = "دليل الهاتف";
    for (int i = 6; i <= 17; ++i)
        layout.control("Section2", QStringLiteral("Label%1").arg(i)).caption.clear();
    r = report::layOut(layout);
    const DrawnItem* phone = r.pages[0].findControl("Text2", 1);
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(phone->text, test::sampleClass(3).text(1, "d2"));
    EXPECT_TRUE(phone->flags & Qt::AlignLeft);
    EXPECT_NE(r.pages[0].findText("دليل الهاتف"), nullptr);
    EXPECT_EQ(r.pages[0].findText("صحة القراءة"), nullptr);
    EXPECT_EQ(r.pages[0].findText("50"), nullptr);
    EXPECT_NE(r.pages[0].findText("م"), nullptr);
}

TEST_F(StoredLayouts, Weeks4HeadingsTakeOtherCaptionsCentred) {
    report::ReportLayout& layout = report::layout("Weeks4");
    const char* captions[] = {"المشاركة", "الواجب", "إحضار الكتاب والسجل", "أخرى"};
    for (int i = 0; i < 4; ++i) {
        report::ReportControl& l = layout.control("Section2", QStringLiteral("L%1").arg(i + 1));
        EXPECT_EQ(l.caption, kWeek);
        l.caption = QString::fromUtf8(captions[i]);
        l.setAlignmentCode(2);
    }
    layout.setDataSource(test::sampleClass(2));
    const LaidOutReport r = report::layOut(layout);
    for (const char* c : captions) {
        const DrawnItem* item = r.pages[0].findText(QString::fromUtf8(c));
        ASSERT_NE(item, nullptr) << c;
        EXPECT_TRUE(item->flags & Qt::AlignHCenter);
        EXPECT_TRUE(report::textFits(*item)) << c;
    }
    layout.resetToDesign();
}

TEST_F(StoredLayouts, PrintsTheClassRecordSetOfTheStudentsTable) {
    home.exec("MyDatabase.db", "INSERT INTO T1 (d0, d1, d2, d3, d6, d7) VALUES "
                               "('1', 'first', NULL, '1012345678', 'g', '1'),"
                               "('2', 'second', '0500000002', '1098765432', 'g', '1')");
    data::Connection c(data::Database::Students);
    report::ReportLayout& books = report::layout("Books");
    books.setDataSource(data::reportRows(c.query("SELECT * FROM T1 ORDER BY CAST(d0 AS INTEGER)")));
    LaidOutReport r = report::layOut(books);
    EXPECT_EQ(r.pages[0].findControl("Text4", 0)->text, "1012345678");
    EXPECT_EQ(r.pages[0].findControl("Text4", 1)->text, "1098765432");
    EXPECT_EQ(r.pages[0].findControl("Text3", 1)->text, "second");
    // The registry stands between the number and the name.
    const double number = r.pages[0].findControl("Text1", 0)->rect.center().x();
    const double registry = r.pages[0].findControl("Text4", 0)->rect.center().x();
    const double name = r.pages[0].findControl("Text3", 0)->rect.center().x();
    EXPECT_GT(number, registry);
    EXPECT_GT(registry, name);

    // A null phone prints blank.
    report::ReportLayout& quran1 = report::layout("Quran1");
    quran1.setDataSource(data::reportRows(c.query("SELECT * FROM T1 ORDER BY id")));
    r = report::layOut(quran1);
    EXPECT_EQ(r.pages[0].findControl("Text2", 0)->text, "");
    EXPECT_EQ(r.pages[0].findControl("Text2", 1)->text, "0500000002");
}
