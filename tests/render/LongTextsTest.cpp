#include "render/RenderedLayouts.h"

#include <gtest/gtest.h>

using namespace sijill;

namespace {

TEST(LongTexts, AreTheLongestTheDataHolds) {
    const test::FillTexts t = test::longestTexts();
    EXPECT_EQ(t.school.size(), 60);
    EXPECT_EQ(t.administration.size(), 50);
    int longest = 0;
    for (const QString& n : t.names) {
        if (n.size() == 45 && n.split(' ').size() == 5)
            ++longest;
    }
    EXPECT_GT(longest, 0);
    EXPECT_EQ(t.seat(0).size(), 5);
}

// No layout cuts a word: every text fits its box, shrunk or wrapped at most.
TEST(LongTexts, NoLayoutCutsAText) {
    EXPECT_EQ(test::layoutFills().size(), 44u);
    for (const test::LayoutFill& f : test::layoutFills()) {
        const report::LaidOutReport& r = test::filledLayout(f.layout);
        EXPECT_FALSE(r.pages.empty()) << f.layout.toStdString();
        for (const report::CutText& cut : r.cutTexts)
            ADD_FAILURE() << f.layout.toStdString() << " page " << cut.page + 1 << " "
                          << cut.control.toStdString() << " row " << cut.row << ": \""
                          << cut.text.toStdString() << "\"";
    }
}

} // namespace
