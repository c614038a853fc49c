#include "report/TextFit.h"
#include "report/ReportPages.h"
#include "report/ReportPainter.h"
#include "report/TestLayouts.h"
#include "report/TextInk.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

using namespace sijill;
using report::DrawnItem;
using report::LaidOutReport;

namespace {

const QString kText = QStringLiteral("الإدارة العامة للتعليم بمنطقة الرياض مكتب الشمال");

// The banded layout with the report header's `class` label holding `text` in
// a box of the given size.
LaidOutReport withClassBox(double width, double height, const QString& text = kText,
                           bool vertical = false) {
    report::ReportLayout layout = test::bandedLayout();
    report::ReportControl& c = layout.control(QStringLiteral("class"));
    c.caption = text;
    c.width = width;
    c.height = height;
    c.vertical = vertical;
    layout.setDataSource(test::numberedRows(3));
    return report::layOut(layout);
}

const DrawnItem& classItem(const LaidOutReport& r) {
    return *r.pages.at(0).findControl(QStringLiteral("class"));
}

// The width of the text on one line at its designed size.
double designedWidth() {
    const LaidOutReport r = withClassBox(10000, 400);
    return QFontMetricsF(classItem(r).font).horizontalAdvance(kText);
}

} // namespace

TEST(TextFit, ATextThatFitsKeepsItsSize) {
    const LaidOutReport r = withClassBox(10000, 400);
    EXPECT_DOUBLE_EQ(classItem(r).scale, 1.0);
    EXPECT_FALSE(classItem(r).cut);
    EXPECT_TRUE(r.cutTexts.empty());
}

// The yardstick of every fitting test: ink a few twips past any side of the
// area no longer fits; within half a twip it does.
TEST(TextFit, InkPastItsAreaByAFewTwipsDoesNotFit) {
    const DrawnItem fitted = classItem(withClassBox(10000, 400));
    const QRectF area = fitted.textArea();
    const QRectF ink = report::drawnText(fitted).ink;
    ASSERT_TRUE(report::textFits(fitted));
    // How far the ink moves to touch each side, and which way is out there.
    const std::pair<QPointF, QPointF> sides[] = {{{area.right() - ink.right(), 0}, {1, 0}},
                                                 {{area.left() - ink.left(), 0}, {-1, 0}},
                                                 {{0, area.bottom() - ink.bottom()}, {0, 1}},
                                                 {{0, area.top() - ink.top()}, {0, -1}}};
    for (const auto& [toEdge, outward] : sides) {
        DrawnItem moved = fitted;
        moved.shift = fitted.shift + toEdge + outward * 0.4;
        EXPECT_TRUE(report::textFits(moved)) << outward.x() << "," << outward.y();
        moved.shift = fitted.shift + toEdge + outward * 5;
        EXPECT_FALSE(report::textFits(moved)) << outward.x() << "," << outward.y();
    }
}

// Wide enough for the text at its designed size but lower than its glyphs: the
// one-line check refuses it by its height.
TEST(TextFit, AWideButLowBoxShrinksTheText) {
    const LaidOutReport r = withClassBox(10000, 150);
    const DrawnItem& item = classItem(r);
    EXPECT_TRUE(item.cut || (item.scale < 1.0 && report::textFits(item))) << item.scale;
}

// The fits kept for later boxes are told apart by the box's height too.
TEST(TextFit, TheSameTextInALowerBoxIsFittedAnew) {
    DrawnItem tall = classItem(withClassBox(10000, 400));
    tall.rect = QRectF(0, 0, designedWidth() / 1.15, 1000);
    report::TextFitter fitter;
    ASSERT_TRUE(fitter.fit(tall));
    ASSERT_LT(tall.scale, 1.0);
    DrawnItem low = classItem(withClassBox(10000, 400));
    low.rect = QRectF(0, 0, tall.rect.width(), report::drawnText(tall).ink.height() - 10);
    fitter.fit(low);
    EXPECT_TRUE(low.cut || (report::textFits(low) && low.scale < tall.scale)) << low.scale;
}

// A line of a detail row is given the height its kinds of letters reach, a
// text elsewhere its own letters': the fits kept for later boxes tell the two
// apart, in whichever order they come.
TEST(TextFit, TheSameTextInARowAndOutsideOneIsFittedEachItsOwnWay) {
    DrawnItem base = classItem(withClassBox(10000, 400));
    base.font.setPixelSize(210);
    base.flags = Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter;
    base.text = QStringLiteral("سمر ناصر");
    base.padding = QMarginsF(47, 47, 47, 47);
    // Narrower than the text at its designed size, so that both are fitted
    // anew and kept; low enough that the row's letters need a smaller size.
    const double width = QFontMetricsF(base.font).horizontalAdvance(base.text) / 1.1 + 94;
    const auto fitted = [&](report::TextFitter& fitter, int row, double height) {
        DrawnItem item = base;
        item.row = row;
        item.rect = QRectF(1000, 2000, width, height);
        fitter.fit(item);
        return std::tuple(item.font.pixelSize(), item.flags, item.cut, item.text);
    };
    std::optional<double> height;
    for (double h = 600; h >= 150 && !height; h -= 5) {
        report::TextFitter header, detail;
        if (fitted(header, -1, h) != fitted(detail, 0, h))
            height = h;
    }
    ASSERT_TRUE(height) << "no box where a row's text fits otherwise";
    for (const bool rowFirst : {false, true}) {
        report::TextFitter fresh, shared;
        const int first = rowFirst ? 0 : -1, second = rowFirst ? -1 : 0;
        fitted(shared, first, *height);
        EXPECT_EQ(fitted(shared, second, *height), fitted(fresh, second, *height)) << rowFirst;
    }
}

TEST(TextFit, ALittleTooWideIsShrunkOnOneLine) {
    const LaidOutReport r = withClassBox(designedWidth() / 1.15, 400);
    const DrawnItem& item = classItem(r);
    EXPECT_LT(item.scale, 1.0);
    EXPECT_GE(item.scale, report::kMinTextScale - 0.01);
    EXPECT_FALSE(item.flags & Qt::TextWordWrap);
    EXPECT_TRUE(report::textFits(item));
    EXPECT_TRUE(r.cutTexts.empty());
}

TEST(TextFit, PastTheFloorItWrapsWhereTheBoxIsTallEnough) {
    const LaidOutReport r = withClassBox(designedWidth() / 2, 1000);
    const DrawnItem& item = classItem(r);
    EXPECT_TRUE(item.flags & Qt::TextWordWrap);
    EXPECT_FALSE(item.cut);
    EXPECT_TRUE(report::textFits(item));
    EXPECT_TRUE(r.cutTexts.empty());
}

TEST(TextFit, PastBothItIsCutAndReported) {
    const LaidOutReport r = withClassBox(designedWidth() / 3, 250);
    const DrawnItem& item = classItem(r);
    EXPECT_TRUE(item.cut);
    // Shortened, not clipped: whole words that fit, then the ellipsis.
    ASSERT_TRUE(item.text.endsWith(QChar(0x2026))) << item.text.toStdString();
    const QString kept = item.text.chopped(1);
    EXPECT_FALSE(kept.isEmpty());
    EXPECT_TRUE(kText.startsWith(kept + QLatin1Char(' '))) << item.text.toStdString();
    EXPECT_TRUE(report::textFits(item));
    EXPECT_NEAR(item.scale, report::kSmallestTextScale, 0.03);
    ASSERT_EQ(r.cutTexts.size(), 1u);
    EXPECT_EQ(r.cutTexts[0].page, 0);
    EXPECT_EQ(r.cutTexts[0].section, QStringLiteral("Section4"));
    EXPECT_EQ(r.cutTexts[0].control, QStringLiteral("class"));
    EXPECT_EQ(r.cutTexts[0].row, -1);
    EXPECT_EQ(r.cutTexts[0].text, kText);

    // A first word wider than the box keeps its first letters, not the
    // ellipsis alone.
    const QString longWord = QStringLiteral("عبدالرحمنعبدالعزيزعبدالمحسن آل فهيد");
    const DrawnItem word = classItem(withClassBox(designedWidth() / 5, 250, longWord));
    ASSERT_TRUE(word.cut);
    const QString letters = word.text.chopped(1);
    EXPECT_GE(letters.size(), 3) << word.text.toStdString();
    EXPECT_TRUE(longWord.startsWith(letters)) << word.text.toStdString();
    EXPECT_TRUE(report::textFits(word));
}

TEST(TextFit, ACutDetailTextNamesItsRowAndPage) {
    report::ReportLayout layout = test::bandedLayout();
    layout.control(QStringLiteral("Kl7")).width = 300;
    report::ReportRowset rows = test::numberedRows(20);
    rows.set(17, QStringLiteral("d1"), kText);
    layout.setDataSource(rows);
    const LaidOutReport r = report::layOut(layout);
    ASSERT_EQ(r.cutTexts.size(), 1u);
    EXPECT_EQ(r.cutTexts[0].row, 17);
    EXPECT_EQ(r.cutTexts[0].page, 1); // 14 rows on the first page
    EXPECT_EQ(r.cutTexts[0].control, QStringLiteral("Kl7"));
}

TEST(TextFit, AnUprightTextFitsAlongItsColumn) {
    const double w = designedWidth();
    const LaidOutReport r = withClassBox(400, w * 1.05, kText, true);
    const DrawnItem& item = classItem(r);
    EXPECT_TRUE(item.vertical);
    EXPECT_DOUBLE_EQ(item.scale, 1.0);
    EXPECT_FALSE(item.cut);
    // Lying down in the same box it needs many lines.
    const LaidOutReport lying = withClassBox(400, w * 1.05);
    EXPECT_TRUE(classItem(lying).cut || (classItem(lying).flags & Qt::TextWordWrap));
}

// The fitting's quick measure agrees with the painter's own outlines, to a
// fiftieth of a millimetre (the painter's outlines of this font are a little
// fuller than the glyphs' own): one
// line and wrapped, every alignment, marks, digits, blanks at either end and
// upright text, in boxes that leave lines out; and each again at another
// place on the page, where the quick measure answers from what it measured at
// the first.
TEST(TextFit, TheQuickInkMeasureAgreesWithThePainter) {
    const DrawnItem base = classItem(withClassBox(10000, 400));
    const double kNear = 1.1;
    const QString texts[] = {kText,
                             QStringLiteral("آل إبراهيم"),
                             QStringLiteral("١٤٤٥هـ 2024"),
                             QStringLiteral(" عبدالله  "),
                             QStringLiteral("ABC 123"),
                             QStringLiteral("سطر\nوسطر")};
    const int aligns[] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter};
    for (const QPointF& at : {QPointF(1000.5, 2000.25), QPointF(6200.75, 9000.5)}) {
        for (const QString& text : texts) {
            for (int align : aligns) {
                for (int wrap : {0, int(Qt::TextWordWrap)}) {
                    for (bool vertical : {false, true}) {
                        for (double height : {400.0, 700.0, 150.0}) {
                            DrawnItem item = base;
                            item.text = text;
                            item.vertical = vertical;
                            item.flags = Qt::AlignAbsolute | align | Qt::AlignVCenter | wrap;
                            item.rect = QRectF(at, QSizeF(1500, height));
                            item.padding = QMarginsF(40, 40, 40, 40);
                            item.shift = QPointF(3.5, -7);
                            const report::DrawnText painter = report::drawnText(item);
                            const report::DrawnText quick = report::textInk(item);
                            const auto where = [&] {
                                return text.toStdString() + " at " + std::to_string(at.x()) +
                                       " align " + std::to_string(align) + " wrap " +
                                       std::to_string(wrap) + " vertical " +
                                       std::to_string(vertical) + " height " +
                                       std::to_string(height);
                            };
                            EXPECT_EQ(quick.whole, painter.whole) << where();
                            EXPECT_NEAR(quick.ink.left(), painter.ink.left(), kNear) << where();
                            EXPECT_NEAR(quick.ink.right(), painter.ink.right(), kNear) << where();
                            EXPECT_NEAR(quick.ink.top(), painter.ink.top(), kNear) << where();
                            EXPECT_NEAR(quick.ink.bottom(), painter.ink.bottom(), kNear) << where();
                            if (!vertical) {
                                EXPECT_NEAR(quick.baseline, painter.baseline, kNear) << where();
                            }
                        }
                    }
                }
            }
        }
    }
}

// Texts side by side in a band stand on one baseline, whatever their letters
// reach below it, so that a PDF reader reads each cell as its own words; a
// text in a lower box that cannot stand on it keeps its glyphs inside its own.
TEST(TextFit, TextsSideBySideShareOneBaseline) {
    const DrawnItem base = classItem(withClassBox(10000, 400));
    const QString texts[] = {QStringLiteral("محمد سعد"), QStringLiteral("عبدالله إبراهيم"),
                             QStringLiteral("يوسف"), QStringLiteral("آل سعود")};
    const double heights[] = {300, 300, 300, 200};
    std::vector<DrawnItem> items;
    for (int i = 0; i < 4; ++i) {
        DrawnItem item = base;
        item.text = texts[i];
        item.rect = QRectF(1000 + 2000 * i, 2000, 1900, heights[i]);
        item.padding = QMarginsF(34, 34, 34, 34);
        items.push_back(item);
    }
    report::TextFitter fitter;
    std::vector<std::pair<DrawnItem*, report::TextFitter::Placed>> band;
    for (DrawnItem& item : items) {
        report::TextFitter::Placed placed;
        ASSERT_TRUE(fitter.fit(item, &placed));
        band.emplace_back(&item, placed);
    }
    report::shareBaselines(band);
    const auto baseline = [&](int i) { return band[i].second.baseline + items[i].shift.y(); };
    EXPECT_DOUBLE_EQ(baseline(0), baseline(1));
    EXPECT_DOUBLE_EQ(baseline(0), baseline(2));
    for (const DrawnItem& item : items)
        EXPECT_TRUE(report::textFits(item)) << item.text.toStdString();
}

// The names of one column, in rows as low as the tightest sheets' (5.3 mm)
// and in rows twice as high, with the room a ruled cell keeps: whatever
// their letters reach above or below the line, all print at one size on one
// baseline, the full size where the row takes it; only a name too wide for
// the column prints smaller (or wrapped where the row is high), and still
// whole.
TEST(TextFit, NamesOfOneColumnPrintAtOneSize) {
    DrawnItem base = classItem(withClassBox(10000, 400));
    base.font.setPixelSize(210);
    base.flags = Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter;
    const double width = 3300;
    struct Name {
        const char* text;
        bool tooWide;
    };
    const Name names[] = {{"محمد علي", false},
                          {"يحيى حسين الجنيني", false},
                          {"سعيد ناصر", false},
                          {"أحمد عمر آل سعود", false},
                          {"إبراهيم سعد", false},
                          {"رؤى وعد", false},
                          {"عبدالرحمن عبدالعزيز عبدالمحسن عبدالله آل فهيد الدوسري", true}};
    for (const double rowHeight : {300.0, 600.0}) {
        report::TextFitter fitter;
        std::optional<double> scale, baseline;
        int row = 0;
        for (const Name& name : names) {
            DrawnItem item = base;
            item.row = row++;
            item.text = QString::fromUtf8(name.text);
            item.rect = QRectF(1000, 2000, width, rowHeight);
            item.padding = QMarginsF(47, 47, 47, 47);
            report::TextFitter::Placed placed;
            const auto where = [&] {
                return std::string(name.text) + " in " + std::to_string(rowHeight);
            };
            ASSERT_TRUE(fitter.fit(item, &placed)) << where();
            EXPECT_TRUE(report::textFits(item)) << where();
            if (name.tooWide) {
                ASSERT_TRUE(scale);
                EXPECT_LT(item.scale, *scale) << where();
                continue;
            }
            if (!scale) {
                scale = item.scale;
                baseline = placed.baseline + item.shift.y();
            }
            EXPECT_DOUBLE_EQ(item.scale, *scale) << where();
            EXPECT_FALSE(item.flags & Qt::TextWordWrap) << where();
            EXPECT_NEAR(placed.baseline + item.shift.y(), *baseline, 0.01) << where();
        }
        if (rowHeight > 500) {
            EXPECT_DOUBLE_EQ(*scale, 1.0);
        }
    }
}
