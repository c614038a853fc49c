#include "render/RenderedLayouts.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace sijill;
using report::DrawnItem;

namespace {

const report::ReportPage& firstPage(const QString& layout) {
    return test::filledLayout(layout).pages.at(0);
}

bool isText(const DrawnItem& i) {
    return i.kind == DrawnItem::Kind::Text && !i.text.trimmed().isEmpty();
}

// Every column of the detail band has a heading of words (not only its
// maximum mark) standing over it, inside the column's width.
TEST(LayoutDefects, EverySkillColumnHasAHeading) {
    static const QRegularExpression digitsOnly(QStringLiteral("^[\\d\\s/()]*$"));
    for (const QString& layout :
         {QStringLiteral("lang_grade_3"), QStringLiteral("lang_grade_456")}) {
        const report::ReportPage& page = firstPage(layout);
        int columns = 0;
        for (const DrawnItem& cell : page.items) {
            if (cell.section != QLatin1String("Section1") || cell.row != 0 ||
                cell.kind != DrawnItem::Kind::Rect)
                continue;
            ++columns;
            bool headed = false;
            for (const DrawnItem& h : page.items) {
                if (h.section == QLatin1String("Section2") && isText(h) &&
                    !digitsOnly.match(h.text).hasMatch() && h.rect.left() >= cell.rect.left() - 1 &&
                    h.rect.right() <= cell.rect.right() + 1)
                    headed = true;
            }
            EXPECT_TRUE(headed) << layout.toStdString() << ": no heading over the column at x "
                                << cell.rect.left();
        }
        EXPECT_GT(columns, 30) << layout.toStdString();
    }
}

// Where the painter puts a picture: its proportions kept, centred in its box.
QRectF paintedPicture(const DrawnItem& item) {
    QRectF r(QPointF(0, 0),
             QSizeF(item.picture.size()).scaled(item.rect.size(), Qt::KeepAspectRatio));
    r.moveCenter(item.rect.center());
    return r;
}

// The logo never covers the basmala, nor any other text of the header.
TEST(LayoutDefects, TheLogoLeavesTheHeaderTextsFree) {
    for (const test::LayoutFill& f : test::layoutFills()) {
        const report::ReportPage& page = firstPage(f.layout);
        for (const DrawnItem& logo : page.items) {
            if (logo.kind != DrawnItem::Kind::Picture)
                continue;
            for (const DrawnItem& t : page.items) {
                // The basmala keeps clear of the logo's whole box.
                const bool basmala = t.text.contains(QStringLiteral("بسم الله"));
                if (isText(t) && t.section == logo.section) {
                    EXPECT_FALSE(t.rect.intersects(basmala ? logo.rect : paintedPicture(logo)))
                        << f.layout.toStdString() << ": the logo covers " << t.control.toStdString()
                        << " \"" << t.text.toStdString() << "\"";
                }
            }
        }
    }
}

// A header asks for the subject once.
TEST(LayoutDefects, EveryHeaderHasOneSubjectPrompt) {
    for (const test::LayoutFill& f : test::layoutFills()) {
        const QStringList texts = firstPage(f.layout).texts();
        EXPECT_LE(texts.count(QStringLiteral("المادة:")) + texts.count(QStringLiteral("المادة/")),
                  1)
            << f.layout.toStdString();
    }
    for (const QString& layout : {QStringLiteral("Final"), QStringLiteral("MarksPeriod")}) {
        const QStringList texts = firstPage(layout).texts();
        EXPECT_EQ(texts.count(QStringLiteral("المادة:")), 1) << layout.toStdString();
        EXPECT_EQ(texts.count(QStringLiteral("المعلم:")), 1) << layout.toStdString();
    }
}

TEST(LayoutDefects, TheCommitteeSheetSignsWithTheProfilesPrincipal) {
    const report::LaidOutReport& r = test::filledLayout(QStringLiteral("ComNewP"));
    QStringList footer;
    for (const report::ReportPage& page : r.pages)
        for (const DrawnItem& i : page.items)
            if (isText(i) && i.section == QLatin1String("Section5"))
                footer << i.text;
    EXPECT_TRUE(footer.contains(test::fillTexts(test::Fill::Long).principal))
        << footer.join('|').toStdString();
    EXPECT_FALSE(footer.contains(QStringLiteral("مدير المدرسة"))) << footer.join('|').toStdString();
}

} // namespace
