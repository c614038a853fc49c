// Every layout, filled with the longest texts, rendered page by page and
// compared with its stored pictures in tests/render/golden. After a change
// that is meant: SIJILL_REWRITE_GOLDEN=1 build/tests/test_render
// To look at the pages larger, SIJILL_LOOK_DIR=FOLDER writes them there at
// 110 dpi as well.
#include "render/GoldenImage.h"
#include "render/RenderedLayouts.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace sijill;

namespace {

class Golden : public testing::TestWithParam<std::tuple<std::string, test::Fill>> {};

TEST_P(Golden, PagesMatchTheStoredPictures) {
    const auto& [layoutName, fill] = GetParam();
    const QString layout = test::fillCase(QString::fromStdString(layoutName), fill);
    const report::LaidOutReport& r = test::filledLayout(QString::fromStdString(layoutName), fill);
    ASSERT_FALSE(r.pages.empty());
    for (std::size_t p = 0; p < r.pages.size(); ++p) {
        const QString name = QStringLiteral("%1-p%2").arg(layout).arg(p + 1);
        const test::GoldenResult result =
            test::checkGolden(name, test::renderPage(r, static_cast<int>(p)),
                              QStringLiteral(SIJILL_GOLDEN_DIR), QStringLiteral(SIJILL_DIFF_DIR));
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR");
        if (!look.isEmpty() && QDir().mkpath(look))
            test::renderPage(r, static_cast<int>(p), 110).save(QDir(look).filePath(name + ".png"));
    }
    // A page the layout no longer prints keeps no stored picture.
    const QString stale =
        QDir(QStringLiteral(SIJILL_GOLDEN_DIR))
            .filePath(QStringLiteral("%1-p%2.png").arg(layout).arg(r.pages.size() + 1));
    if (qEnvironmentVariableIntValue("SIJILL_REWRITE_GOLDEN") == 1)
        QFile::remove(stale);
    EXPECT_FALSE(QFile::exists(stale)) << stale.toStdString()
                                       << " is stored but the layout prints fewer pages; rewrite "
                                          "with SIJILL_REWRITE_GOLDEN=1";
}

std::vector<std::string> layoutNames() {
    std::vector<std::string> out;
    for (const test::LayoutFill& f : test::layoutFills())
        out.push_back(f.layout.toStdString());
    return out;
}

INSTANTIATE_TEST_SUITE_P(Layouts, Golden,
                         testing::Combine(testing::ValuesIn(layoutNames()),
                                          testing::ValuesIn(test::kFills)),
                         [](const testing::TestParamInfo<Golden::ParamType>& info) {
                             return test::fillCase(QString::fromStdString(std::get<0>(info.param)),
                                                   std::get<1>(info.param))
                                 .replace(QLatin1Char('-'), QLatin1Char('_'))
                                 .toStdString();
                         });

} // namespace
