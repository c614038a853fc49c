#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "report/ReportPages.h"
#include "report/TestLayouts.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace sijill;
using report::DrawnItem;
using report::LaidOutReport;
using report::ReportError;

namespace {

// Banded layout geometry (see TestLayouts.h): A4 portrait is 16838 twips high,
// margins 200, so bands may reach 16438 - 400 (page footer) = 16038 from the
// top margin. Page 1 holds 14 rows (1500 of headers), later pages 15 (500).
constexpr double kFooterTop = 200 + 16038;

int rowsOn(const report::ReportPage& page) {
    int rows = 0;
    for (const DrawnItem& i : page.items)
        rows += i.control == "Num" ? 1 : 0;
    return rows;
}

LaidOutReport layOutRows(int n) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(n));
    return report::layOut(layout);
}

} // namespace

TEST(Pagination, HeadersAndFootersOverSeveralPages) {
    const LaidOutReport r = layOutRows(20);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(rowsOn(r.pages[0]), 14);
    EXPECT_EQ(rowsOn(r.pages[1]), 6);

    // Report header on page 1 only, at the top margin.
    ASSERT_NE(r.pages[0].findText("REPORT HEADER"), nullptr);
    EXPECT_DOUBLE_EQ(r.pages[0].findText("REPORT HEADER")->rect.top(), 300);
    EXPECT_EQ(r.pages[1].findText("REPORT HEADER"), nullptr);

    // Page header and page footer on every page; the footer at the foot.
    for (const report::ReportPage& page : r.pages) {
        ASSERT_NE(page.findText("PAGE HEADER"), nullptr);
        ASSERT_NE(page.findText("PAGE FOOTER"), nullptr);
        EXPECT_DOUBLE_EQ(page.findText("PAGE FOOTER")->rect.top(), kFooterTop);
    }
    EXPECT_DOUBLE_EQ(r.pages[0].findText("PAGE HEADER")->rect.top(), 1200);
    EXPECT_DOUBLE_EQ(r.pages[1].findText("PAGE HEADER")->rect.top(), 200);

    // Rows continue on page 2 right under the page header.
    const DrawnItem* row15 = r.pages[1].findText("15");
    ASSERT_NE(row15, nullptr);
    EXPECT_EQ(row15->row, 14);
    EXPECT_DOUBLE_EQ(row15->rect.top(), 700);

    // The report footer once, after the last row, on the last page.
    EXPECT_EQ(r.pages[0].findText("REPORT FOOTER"), nullptr);
    const DrawnItem* sign = r.pages[1].findText("REPORT FOOTER");
    ASSERT_NE(sign, nullptr);
    EXPECT_DOUBLE_EQ(sign->rect.top(), 700 + 6 * 1000);
}

TEST(Pagination, ReportFooterThatDoesNotFitMovesToANewPageWithTheLastRow) {
    // 29 rows would fill pages 1 and 2 to 15500; the 2000-high footer goes
    // on, and takes the last row with it rather than stand under headings alone.
    const LaidOutReport r = layOutRows(29);
    ASSERT_EQ(r.pages.size(), 3u);
    EXPECT_EQ(rowsOn(r.pages[1]), 14);
    EXPECT_EQ(rowsOn(r.pages[2]), 1);
    EXPECT_EQ(r.pages[1].findText("REPORT FOOTER"), nullptr);
    ASSERT_NE(r.pages[2].findText("29"), nullptr);
    EXPECT_DOUBLE_EQ(r.pages[2].findText("29")->rect.top(), 700);
    ASSERT_NE(r.pages[2].findText("REPORT FOOTER"), nullptr);
    EXPECT_DOUBLE_EQ(r.pages[2].findText("REPORT FOOTER")->rect.top(), 1700);
    ASSERT_NE(r.pages[2].findText("PAGE HEADER"), nullptr);
    ASSERT_NE(r.pages[2].findText("PAGE FOOTER"), nullptr);

    // A footer taller than a page beside a row goes on alone: the row stays.
    report::ReportLayout tall = test::bandedLayout();
    tall.section("Section5").height = 15000;
    tall.setDataSource(test::numberedRows(3));
    const LaidOutReport alone = report::layOut(tall);
    ASSERT_EQ(alone.pages.size(), 2u);
    EXPECT_EQ(rowsOn(alone.pages[0]), 3);

    // With 13 rows on page 2 the footer still fits there (ends at 15500).
    const LaidOutReport fits = layOutRows(27);
    EXPECT_EQ(fits.pages.size(), 2u);
}

TEST(Pagination, RowsCloseUpToOnePageDownToTheTextFloor) {
    // Under 12538 twips of room (16038 less every other band), 12 rows fit as
    // designed, 17 at 0.74 of their height, 18 would need 0.70: below the floor.
    // Names in a type that needs the rows' whole height keep it, on two pages.
    struct Case {
        int rows;
        bool closedUp;
        size_t pages;
        double nameSize = 8.25;
    };
    for (const Case& c :
         {Case{12, false, 1}, Case{17, true, 1}, Case{18, false, 2}, Case{17, false, 2, 56}}) {
        SCOPED_TRACE(c.rows);
        report::ReportLayout layout = test::bandedLayout();
        // The name cell starts lower in the band than the number cell beside
        // it; both end at the band's foot.
        report::ReportControl& name = layout.control("Section1", "Kl7");
        name.font.size = c.nameSize;
        name.top = 100;
        name.height = 900;
        layout.setDataSource(test::numberedRows(c.rows));
        EXPECT_EQ(report::fitRowsToOnePage(layout, c.rows), c.closedUp);
        const double height = layout.section("Section1").height;
        EXPECT_EQ(height < 1000, c.closedUp);
        const LaidOutReport r = report::layOut(layout);
        EXPECT_TRUE(r.cutTexts.empty());
        EXPECT_EQ(r.pages.size(), c.pages);
        // Every cell of the band closes up with it and keeps its place there.
        const int lastRow = rowsOn(r.pages[0]) - 1;
        const DrawnItem* last = r.pages[0].findControl("Kl7", lastRow);
        const DrawnItem* number = r.pages[0].findControl("Num", lastRow);
        ASSERT_NE(last, nullptr);
        ASSERT_NE(number, nullptr);
        EXPECT_LE(last->rect.height(), height + 0.01);
        EXPECT_NEAR(last->rect.bottom(), number->rect.bottom(), 0.01);
    }
}

TEST(Pagination, EmptyDataSourcePrintsTheOtherSections) {
    const LaidOutReport r = layOutRows(0);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(rowsOn(r.pages[0]), 0);
    for (const char* text : {"REPORT HEADER", "PAGE HEADER", "PAGE FOOTER", "REPORT FOOTER"})
        EXPECT_NE(r.pages[0].findText(text), nullptr) << text;
    EXPECT_DOUBLE_EQ(r.pages[0].findText("REPORT FOOTER")->rect.top(), 1700);
}

TEST(Pagination, BindsFieldsByNameWithoutRegardToCase) {
    report::ReportLayout layout = test::bandedLayout();
    layout.control("Kl7").dataField = "D3"; // the civil registry column of the class rows
    layout.setDataSource(test::numberedRows(3));
    const LaidOutReport r = report::layOut(layout);
    const DrawnItem* third = r.pages[0].findControl("kl7", 2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->text, "reg 3");
    EXPECT_EQ(r.pages[0].findControl("num", 2)->text, "3");

    // A field a row leaves unassigned prints blank.
    report::ReportRowset sparse = report::ReportRowset::withFields(3);
    sparse.addRow();
    sparse.set("d0", "1");
    layout.setDataSource(sparse);
    EXPECT_EQ(report::layOut(layout).pages[0].findControl("Kl7", 0)->text, "");
}

TEST(Pagination, FieldMissingFromTheDataSourceIsAnError) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(report::ReportRowset({"d0"}));
    try {
        report::layOut(layout);
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.message().contains("\"d1\"")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("Kl7"));
        EXPECT_TRUE(e.message().contains("Banded"));
    }
    // A layout with bound text boxes and no data source at all.
    layout.resetToDesign();
    EXPECT_THROW(report::layOut(layout), ReportError);
    // Setting an unknown field of a rowset is refused too.
    report::ReportRowset rows = report::ReportRowset::withFields(2);
    rows.addRow();
    EXPECT_THROW(rows.set("d9", "x"), ReportError);
    EXPECT_THROW(rows.set(5, "d0", "x"), ReportError);
}

TEST(Pagination, LayoutWiderThanThePaperIsScaledToFit) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(30));
    layout.setReportWidth(20000); // portrait A4 prints 11506
    const LaidOutReport r = report::layOut(layout);
    EXPECT_NEAR(r.scale, 11506.0 / 20000.0, 1e-9);
    for (const report::ReportPage& page : r.pages) {
        for (const DrawnItem& i : page.items)
            EXPECT_LE(i.rect.right(), 11906 - 200 + 0.01) << i.control.toStdString();
    }
    // Scaled bands hold more rows on a page.
    EXPECT_GT(rowsOn(r.pages[0]), 14);
    const DrawnItem* head = r.pages[0].findText("PAGE HEADER");
    EXPECT_NEAR(head->rect.width(), 10000 * r.scale, 0.01);
}

TEST(Pagination, OrientationSetLastIsThePaper) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(12));
    layout.setOrientationCode(2);
    LaidOutReport r = report::layOut(layout);
    EXPECT_EQ(r.paperSize, QSizeF(16838, 11906));
    EXPECT_EQ(r.pages.size(), 2u); // 11506 - 400 holds 9 rows under the headers
    layout.setOrientationCode(1);
    r = report::layOut(layout);
    EXPECT_EQ(r.paperSize, QSizeF(11906, 16838));
    EXPECT_EQ(r.pages.size(), 1u);
}

TEST(Pagination, StoredAlignmentsArePhysical) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(1));
    layout.control("Kl7").setAlignmentCode(0);
    const LaidOutReport r = report::layOut(layout);
    const DrawnItem* name = r.pages[0].findControl("Kl7");
    EXPECT_TRUE(name->flags & Qt::AlignAbsolute);
    EXPECT_TRUE(name->flags & Qt::AlignLeft);
    const DrawnItem* head = r.pages[0].findControl("Head");
    EXPECT_TRUE(head->flags & Qt::AlignAbsolute);
    EXPECT_TRUE(head->flags & Qt::AlignHCenter);
    EXPECT_TRUE(r.pages[0].findControl("Title")->flags & Qt::AlignRight);
}

TEST(Pagination, HiddenControlsAndSectionsAreNotDrawn) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(2));
    layout.control("Section1", "Kl7").visible = false;
    layout.section("Section3").visible = false;
    layout.section("Section2").height = 800;
    const LaidOutReport r = report::layOut(layout);
    EXPECT_EQ(r.pages[0].findControl("Kl7"), nullptr);
    EXPECT_EQ(r.pages[0].findText("PAGE FOOTER"), nullptr);
    // Rows start below the taller page header.
    EXPECT_DOUBLE_EQ(r.pages[0].findControl("Num", 0)->rect.top(), 200 + 1000 + 800);
    // An image without a picture draws nothing; with one, it does.
    EXPECT_EQ(r.pages[0].findControl("Image1"), nullptr);
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::green);
    layout.control("image1").picture = logo;
    EXPECT_EQ(report::layOut(layout).pages[0].findControl("Image1", 1)->kind,
              DrawnItem::Kind::Picture);
}

TEST(ResetToDesign, RunTimeValuesLastUntilTheNextFillBegins) {
    report::ReportLayout layout = test::bandedLayout();
    // A fill and a menu item set values for this print...
    layout.resetToDesign();
    layout.control("Class").caption = "grade 4 (2)";
    layout.control("Head").visible = false;
    layout.control("HeadCell").setBackColor(Qt::yellow);
    layout.control("Sign").setAlignmentCode(2);
    layout.setOrientationCode(2);
    layout.setPreviewWidth(16700);
    layout.setDataSource(test::numberedRows(3));
    // ...and they are all there at the output.
    LaidOutReport r = report::layOut(layout);
    EXPECT_NE(r.pages[0].findText("grade 4 (2)"), nullptr);
    EXPECT_EQ(r.pages[0].findText("PAGE HEADER"), nullptr);
    EXPECT_EQ(r.pages[0].findControl("HeadCell")->fill, QColor(Qt::yellow));
    EXPECT_EQ(r.orientation, report::Orientation::Landscape);
    EXPECT_DOUBLE_EQ(r.previewWidth, 16700);

    // The next fill starts from the stored design: nothing of the last print leaks.
    layout.resetToDesign();
    EXPECT_EQ(layout.control("class").caption, "stored class");
    EXPECT_TRUE(layout.control("Head").visible);
    EXPECT_FALSE(layout.control("HeadCell").backColor == QColor(Qt::yellow));
    EXPECT_EQ(layout.control("Sign").alignment, report::TextAlign::Right);
    EXPECT_EQ(layout.orientation(), report::Orientation::Portrait);
    EXPECT_DOUBLE_EQ(layout.previewWidth(), 0);
    EXPECT_EQ(layout.dataSource(), nullptr);
}

TEST(ResetToDesign, PreviewKeepsTheRowsItOpenedWith) {
    auto sink = std::make_shared<report::RecordingPreviewSink>();
    auto previous = report::setPreviewSink(sink);
    report::ReportLayout layout = test::bandedLayout();
    report::ReportRowset rows = test::numberedRows(2);
    layout.control("Class").caption = "first class";
    layout.setDataSource(rows);
    report::showPreview(layout, QStringLiteral("كشف"));

    // The caller's rows and the layout change after the preview opened.
    rows.set(0, "d1", "changed");
    layout.resetToDesign();
    layout.control("Class").caption = "second class";
    layout.setDataSource(test::numberedRows(1));

    ASSERT_EQ(sink->shown.size(), 1u);
    const report::ReportPage& page = sink->shown[0].pages[0];
    EXPECT_NE(page.findText("first class"), nullptr);
    EXPECT_EQ(page.findText("second class"), nullptr);
    EXPECT_EQ(page.findControl("Kl7", 0)->text, "name 1");
    EXPECT_EQ(rowsOn(page), 2);
    report::setPreviewSink(previous);
}

TEST(ResetToDesign, PreviewWithoutASinkIsAnError) {
    auto previous = report::setPreviewSink(nullptr);
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(1));
    EXPECT_THROW(report::showPreview(layout, QString()), ReportError);
    report::setPreviewSink(previous);
}
