#include "labels/CustomLabelPrint.h"
#include "labels/LabelsTestSupport.h"
#include "report/LayoutLibrary.h"
#include "report/ReportPages.h"

#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::labels;
using report::DrawnItem;

namespace {

CustomLabel label(qint64 id, const QString& cls, const QString& name, const QString& number,
                  const QString& committee) {
    CustomLabel l;
    l.id = id;
    l.fields = {cls, name, number, committee};
    return l;
}

std::vector<CustomLabel> numbered(int n) {
    std::vector<CustomLabel> labels;
    for (int i = 1; i <= n; ++i)
        labels.push_back(label(i, QStringLiteral("فصل %1").arg(i), QStringLiteral("اسم %1").arg(i),
                               QString::number(i), QStringLiteral("لجنة %1").arg(i)));
    return labels;
}

QStringList rowTexts(const report::ReportRowset& rows, int r) {
    QStringList t;
    for (int f = 0; f < 8; ++f)
        t << rows.text(r, QStringLiteral("d%1").arg(f));
    return t;
}

// Texts of one control over every page, in row order.
QStringList controlTexts(const report::LaidOutReport& r, const QString& control) {
    QStringList t;
    for (const auto& page : r.pages)
        for (const DrawnItem& item : page.items)
            if (item.kind == DrawnItem::Kind::Text && item.control == control)
                t << item.text;
    return t;
}

} // namespace

TEST(CustomLabelPrint, PutsTwoLabelsInARowFirstOnTheRight) {
    const report::ReportRowset four = customLabelRows(numbered(4));
    EXPECT_EQ(four.fieldNames(), QStringList({"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7"}));
    ASSERT_EQ(four.rowCount(), 2);
    EXPECT_EQ(rowTexts(four, 0),
              QStringList({"فصل 1", "اسم 1", "1", "لجنة 1", "فصل 2", "اسم 2", "2", "لجنة 2"}));
    EXPECT_EQ(rowTexts(four, 1).mid(0, 2), QStringList({"فصل 3", "اسم 3"}));
    EXPECT_EQ(rowTexts(four, 1).mid(4, 2), QStringList({"فصل 4", "اسم 4"}));

    // An odd count: the last row's left-hand label stays empty.
    const report::ReportRowset three = customLabelRows(numbered(3));
    ASSERT_EQ(three.rowCount(), 2);
    EXPECT_EQ(rowTexts(three, 1), QStringList({"فصل 3", "اسم 3", "3", "لجنة 3", "", "", "", ""}));
    const report::ReportRowset one = customLabelRows(numbered(1));
    ASSERT_EQ(one.rowCount(), 1);
    EXPECT_EQ(rowTexts(one, 0).mid(4), QStringList({"", "", "", ""}));

    EXPECT_EQ(customLabelRows({}).rowCount(), 0);
}

TEST(CustomLabelPrint, NullColumnsPrintBlank) {
    CustomLabel l = label(1, "أول 1", "أحمد", "1", "لجنة 1");
    l.fields[2].reset();
    EXPECT_EQ(rowTexts(customLabelRows({l}), 0).mid(0, 4),
              QStringList({"أول 1", "أحمد", "", "لجنة 1"}));
}

TEST(CustomLabelPrint, LaysTheLabelsOutWithNothingClipped) {
    test::TestHome home;
    report::layoutLibrary().clear();
    std::vector<CustomLabel> labels;
    const QString longName = QStringLiteral("عبدالرحمن بن عبدالعزيز بن عبدالله آل سعود الحربي");
    for (int i = 1; i <= 13; ++i)
        labels.push_back(label(i, QStringLiteral("الصف السادس الابتدائي %1").arg(i),
                               i % 2 ? longName : QStringLiteral("سعد"), QString::number(1000 + i),
                               QStringLiteral("اللجنة الحادية عشرة")));
    const report::LaidOutReport r = report::layOut(fillCustomLabelLayout(labels));

    ASSERT_GE(r.pages.size(), 2u);
    EXPECT_EQ(controlTexts(r, "Text7").size(), 7);
    EXPECT_EQ(controlTexts(r, "Text7").first(), longName);
    EXPECT_EQ(controlTexts(r, "Text2").at(0), "سعد");
    EXPECT_EQ(controlTexts(r, "Text2").last(), ""); // the thirteenth label has no partner
    EXPECT_EQ(controlTexts(r, "co1").first(), "1001");
    EXPECT_EQ(controlTexts(r, "co2").first(), "1002");
    EXPECT_EQ(controlTexts(r, "Text3").first(), "اللجنة الحادية عشرة");
    EXPECT_EQ(controlTexts(r, "Text4").first(), "الصف السادس الابتدائي 2");
    EXPECT_EQ(controlTexts(r, "Label2").size(), 7);

    for (const auto& page : r.pages) {
        for (const DrawnItem& item : page.items) {
            EXPECT_TRUE(report::textFits(item))
                << item.control.toStdString() << " \"" << item.text.toStdString() << "\"";
            EXPECT_LE(item.rect.right(), r.paperSize.width() + 0.01) << item.control.toStdString();
            EXPECT_LE(item.rect.bottom(), r.paperSize.height() + 0.01)
                << item.control.toStdString();
        }
    }
    // The first label of a pair stands on the right.
    const DrawnItem* right = r.pages[0].findControl("Text7", 0);
    const DrawnItem* left = r.pages[0].findControl("Text2", 0);
    ASSERT_TRUE(right && left);
    EXPECT_GT(right->rect.left(), left->rect.right());
}

TEST(CustomLabelPrint, EachFillStartsFromTheDesign) {
    test::TestHome home;
    report::layoutLibrary().clear();
    report::ReportLayout& first = fillCustomLabelLayout(numbered(4));
    first.control("Label2").caption = QStringLiteral("x");
    report::ReportLayout& second = fillCustomLabelLayout(numbered(1));
    EXPECT_EQ(second.control("Label2").caption, "الرقم");
    ASSERT_NE(second.dataSource(), nullptr);
    EXPECT_EQ(second.dataSource()->rowCount(), 1);
}
