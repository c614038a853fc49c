#include "attendance/AbsenceSheet.h"
#include "attendance/SchoolDays.h"
#include "report/LayoutLibrary.h"
#include "report/ReportPages.h"
#include "support/TestHome.h"

#include <gtest/gtest.h>

namespace sijill::attendance {
namespace {

using report::DrawnItem;

class AbsenceSheetTest : public ::testing::Test {
protected:
    void SetUp() override { report::layoutLibrary().clear(); }
    void TearDown() override { report::layoutLibrary().clear(); }

    report::LaidOutReport sheet(const AbsenceMonth& month, const QStringList& names) {
        AbsenceSheetHeader header{QStringLiteral("إدارة تعليم الرياض"),
                                  QStringLiteral("مدرسة النور"),
                                  QStringLiteral("مدير المدرسة"),
                                  QStringLiteral("سعد العلي"),
                                  {},
                                  {QStringLiteral("أول"), QStringLiteral("2")}};
        report::ReportLayout& layout = report::layout(kAbsenceLayout);
        fillAbsenceSheet(layout, month, header, names);
        return report::layOut(layout);
    }

    static QString text(const report::ReportPage& page, const QString& control, int row = -1) {
        const DrawnItem* item = page.findControl(control, row);
        return item ? item->text : QStringLiteral("<none>");
    }
    static const DrawnItem* shape(const report::ReportPage& page, const QString& control,
                                  int row = -1) {
        for (const DrawnItem& item : page.items)
            if (item.kind != DrawnItem::Kind::Text && item.row == row &&
                item.control.compare(control, Qt::CaseInsensitive) == 0)
                return &item;
        return nullptr;
    }
    static bool shaded(const report::ReportPage& page, const QString& control, int row = -1) {
        const DrawnItem* item = shape(page, control, row);
        return item && item->filled && item->fill == QColor(0xE0, 0xE0, 0xE0);
    }

    test::TestHome home;
};

TEST_F(AbsenceSheetTest, RamadanFromASundayHasTwentyTwoColumnsAndShadedSundays) {
    const report::LaidOutReport r = sheet({1446, 9, 0, 30}, {"أحمد", "بدر", "خالد"});
    ASSERT_FALSE(r.pages.empty());
    EXPECT_EQ(r.orientation, report::Orientation::Landscape);
    EXPECT_EQ(r.previewWidth, 16700);
    const report::ReportPage& page = r.pages.front();
    const std::vector<DayColumn> days = schoolDays(0, 30);
    ASSERT_EQ(days.size(), 22u);
    for (int j = 1; j <= 22; ++j) {
        const DayColumn& d = days[static_cast<std::size_t>(j - 1)];
        const QString n = QString::number(j);
        EXPECT_EQ(text(page, "D" + n), columnWeekdayName(d.weekday)) << j;
        EXPECT_EQ(text(page, "T" + n), dateCaption(9, d.day)) << j;
        const bool sunday = d.weekday == 0;
        EXPECT_EQ(shaded(page, "Shape" + n), sunday) << j;
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(shaded(page, "C" + n, row), sunday) << j << " row " << row;
    }
    EXPECT_EQ(text(page, "T1"), QStringLiteral("9/1"));
    EXPECT_EQ(text(page, "T22"), QStringLiteral("9/30"));
    EXPECT_EQ(text(page, "D22"), QStringLiteral("اثنين"));
    // The day columns run from right to left.
    EXPECT_GT(page.findControl("T1")->rect.left(), page.findControl("T2")->rect.left());
    EXPECT_GT(page.findControl("T21")->rect.left(), page.findControl("T22")->rect.left());

    EXPECT_EQ(text(page, "class"), QStringLiteral("رمضان ( 9 )"));
    EXPECT_EQ(text(page, "kl5"), QStringLiteral(" متابعة الغياب  لشهر "));
    EXPECT_EQ(text(page, "Label2"), QStringLiteral("أول( 2 )"));
    EXPECT_EQ(text(page, "kl1"), QStringLiteral("المملكة العربية السعودية"));
    EXPECT_EQ(text(page, "kl2"), QStringLiteral("وزارة التعليم"));
    EXPECT_EQ(text(page, "kl3"), QStringLiteral("إدارة تعليم الرياض"));
    EXPECT_EQ(text(page, "kl4"), QStringLiteral("مدرسة النور"));
    EXPECT_EQ(text(page, "Headmaster"), QStringLiteral("سعد العلي"));
    EXPECT_EQ(text(page, "Label9"), QStringLiteral("مدير المدرسة"));

    // Rows: running number from 1, the name, blank days and totals of 0.
    EXPECT_EQ(text(page, "Text1", 0), QStringLiteral("1"));
    EXPECT_EQ(text(page, "Text1", 2), QStringLiteral("3"));
    EXPECT_EQ(text(page, "Text2", 1), QStringLiteral("بدر"));
    EXPECT_EQ(text(page, "Text25", 0), QStringLiteral("0"));
    EXPECT_EQ(text(page, "Text26", 0), QStringLiteral("0"));
    const QString dayCell = text(page, "Text3", 0);
    EXPECT_TRUE(dayCell.isEmpty() || dayCell == QStringLiteral("<none>")); // left blank
    for (const DrawnItem& item : page.items) {
        if (item.kind == DrawnItem::Kind::Text && !item.text.isEmpty()) {
            EXPECT_TRUE(report::textFits(item)) << item.control.toStdString();
        }
    }
}

TEST_F(AbsenceSheetTest, AShorterMonthKeepsTheStoredLookOfUnusedColumnsAndDropsEarlierShading) {
    sheet({1446, 9, 0, 30}, {"أحمد"});
    // 29 days from a Saturday: 20 columns, Sunday 2 to Thursday 27.
    const report::LaidOutReport r = sheet({1446, 3, 6, 29}, {"أحمد"});
    const report::ReportPage& page = r.pages.front();
    EXPECT_EQ(text(page, "T1"), QStringLiteral("3/2"));
    EXPECT_EQ(text(page, "D1"), QStringLiteral("أحد"));
    EXPECT_EQ(text(page, "T20"), QStringLiteral("3/27"));
    for (const char* unused : {"D21", "D22", "T21", "T22"})
        EXPECT_EQ(text(page, unused), QStringLiteral("-")) << unused;
    // Column 22 was a shaded Sunday in the earlier sheet, column 2 a Sunday
    // before and a Monday now.
    EXPECT_FALSE(shaded(page, "Shape22"));
    EXPECT_FALSE(shaded(page, "C22", 0));
    EXPECT_FALSE(shaded(page, "Shape2"));
    EXPECT_TRUE(shaded(page, "Shape1"));
    EXPECT_EQ(text(page, "class"), QStringLiteral("ربيع الاول ( 3 )"));
}

TEST_F(AbsenceSheetTest, AClassWithoutStudentsHasItsHeaderAndColumnsAndNoRows) {
    const report::LaidOutReport r = sheet({1446, 1, 0, 29}, {});
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(text(r.pages.front(), "T1"), QStringLiteral("1/1"));
    EXPECT_EQ(r.pages.front().findControl("Text2", 0), nullptr);
}

TEST_F(AbsenceSheetTest, ClassItemsSplitAtTheColon) {
    const auto item = splitClassItem(QStringLiteral("ثاني:3"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->grade, QStringLiteral("ثاني"));
    EXPECT_EQ(item->cls, QStringLiteral("3"));
    EXPECT_FALSE(splitClassItem(QStringLiteral(" جميع فصول المدرسة ")));
}

} // namespace
} // namespace sijill::attendance
