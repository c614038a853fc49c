#include "support/TypedOrder.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <gtest/gtest.h>

namespace sijill::test {

namespace {

bool bidiMark(QChar c) {
    const char16_t u = c.unicode();
    return u == 0x200E || u == 0x200F || (u >= 0x2066 && u <= 0x2069);
}

bool isArabic(QChar c) {
    return c.direction() == QChar::DirAL || c.direction() == QChar::DirR;
}

} // namespace

QString withoutBidiMarks(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (!bidiMark(c))
            out += c;
    return out;
}

std::vector<double> placesOn(const QString& line, const QString& name) {
    QString typed;
    std::vector<int> lineIndex;
    for (int i = 0; i < line.size(); ++i) {
        if (bidiMark(line[i]))
            continue;
        typed += line[i];
        lineIndex.push_back(i);
    }
    const int at = typed.indexOf(name);
    EXPECT_GE(at, 0) << line.toStdString();
    QTextLayout layout(line, QFont(QStringLiteral("Noto Sans Arabic"), 12));
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    l.setLineWidth(100000);
    layout.endLayout();
    std::vector<double> places;
    for (int i = at; i < at + name.size() && at >= 0; ++i) {
        const QList<QGlyphRun> runs = l.glyphRuns(lineIndex[i], 1);
        places.push_back(runs.isEmpty() ? -1 : runs.first().boundingRect().center().x());
    }
    return places;
}

void expectTypedOrder(const QString& line, const QString& name) {
    const std::vector<double> places = placesOn(line, name);
    ASSERT_EQ(places.size(), static_cast<std::size_t>(name.size()));
    double lastRunRight = -1e9;
    for (int start = 0; start < name.size();) {
        int end = start + 1;
        while (end < name.size() && isArabic(name[end]) == isArabic(name[start]))
            ++end;
        const auto [left, right] =
            std::minmax_element(places.begin() + start, places.begin() + end);
        EXPECT_GT(*left, lastRunRight) << name.toStdString() << " run at " << start;
        for (int i = start + 1; i < end && !isArabic(name[start]); ++i)
            EXPECT_GT(places[i], places[i - 1]) << name.toStdString() << " at " << i;
        lastRunRight = *right;
        start = end;
    }
    EXPECT_EQ(*std::max_element(places.begin(), places.end()), places.back()) << name.toStdString();
}

} // namespace sijill::test
