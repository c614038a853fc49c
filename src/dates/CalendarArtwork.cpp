#include "dates/CalendarArtwork.h"

#include "dates/CalendarTexts.h"
#include "dates/MonthGrid.h"
#include "dates/Weekdays.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "platform/Utf8.h"
#include "platform/VbColor.h"

#include <QPainter>

namespace sijill::dates {

using platform::twips;
using platform::twipsRect;
using platform::vbColor;

namespace {

constexpr int kTitleHeight = 420;
constexpr int kHeaderTop = 1050;
constexpr std::uint32_t kTitleColour = 0x49523C;
constexpr std::uint32_t kWeekendShade = 0xDCDCF4;
constexpr std::uint32_t kWeekendHeader = 0x9999DD;
constexpr std::uint32_t kGridLine = 0x9A8A7A;
constexpr std::uint32_t kBandColour = 0xD7E5E4;
constexpr std::uint32_t kWindowText = 0x80000008;

} // namespace

QPixmap framedCell() {
    QPixmap pm(twips(750), twips(675));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(vbColor(kGridLine), 1));
    const int inset = twips(75);
    p.drawRect(QRect(inset - 2, twips(37) - 2, twips(600) + 3, twips(600) + 3));
    return pm;
}

QRect monthButtonRect(int index) {
    return twipsRect(kMonthButtonLeft, kMonthButtonTop + kMonthButtonStep * index,
                     kMonthButtonWidth, kMonthButtonHeight);
}

void paintCalendarArtwork(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);

    // Title bar.
    const QRect title = twipsRect(0, 0, kCalendarWidth, kTitleHeight);
    p.fillRect(title, vbColor(kTitleColour));
    p.setPen(Qt::white);
    p.setFont(platform::designedFont(QStringLiteral("Al OnWan"), 11, 700));
    p.drawText(title.adjusted(0, 0, -twips(300), 0),
               Qt::AlignVCenter | Qt::AlignRight | Qt::AlignAbsolute,
               platform::fromUtf8(kCalendarCaption));

    // Note box.
    p.setPen(QPen(vbColor(kGridLine), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(twipsRect(210, 450, 4350, 495).adjusted(-1, -1, 0, 0));

    // Weekday header and the weekend columns, Sunday on the right.
    const QFont headerFont = platform::designedFont(QStringLiteral("Tahoma"), 8, 700);
    const int gridBottom = gridCellTop(34) + kGridCellSize + 20;
    for (int column = 0; column < 7; ++column) {
        const int left = gridCellLeft(column) - 20;
        const QRect header = twipsRect(left, kHeaderTop, kGridCellSize + 40, 330);
        const bool weekend = column == 5 || column == 6;
        if (weekend) {
            p.fillRect(twipsRect(left, kHeaderTop, kGridCellSize + 40, gridBottom - kHeaderTop),
                       vbColor(kWeekendShade));
        }
        p.fillRect(header, weekend ? vbColor(kWeekendHeader) : vbColor(kTitleColour));
        p.setPen(Qt::white);
        p.setFont(headerFont);
        p.drawText(header, Qt::AlignCenter, platform::fromUtf8(weekdayName(column)));
    }

    // The five drawn rows of cells; the sixth row's one cell has its own frame.
    p.setPen(QPen(vbColor(kGridLine), 1));
    for (int k = 0; k < 35; ++k)
        p.drawRect(twipsRect(gridCellLeft(k), gridCellTop(k), kGridCellSize, kGridCellSize)
                       .adjusted(-2, -2, 1, 1));

    // Month names down the right side, numbered 1 to 12.
    const QFont monthFont = platform::designedFont(QStringLiteral("Tahoma"), 8);
    p.setFont(monthFont);
    for (int k = 0; k < 12; ++k) {
        const QRect r = monthButtonRect(k);
        const QRect number = QRect(r.right() - twips(300), r.top(), twips(300), r.height());
        p.fillRect(number.adjusted(1, 1, -1, -1), vbColor(kTitleColour));
        p.setPen(Qt::white);
        p.drawText(number, Qt::AlignCenter, QString::number(k + 1));
        p.setPen(vbColor(kWindowText));
        const QString entry =
            platform::fromUtf8(kCalendarMonthEntries[static_cast<std::size_t>(k)]);
        p.drawText(r.adjusted(twips(180), 0, -twips(360), 0),
                   Qt::AlignVCenter | Qt::AlignRight | Qt::AlignAbsolute, entry.mid(4));
    }

    // Band for the picked date.
    p.fillRect(twipsRect(165, 4545, 3890, 570), vbColor(kBandColour).darker(108));
}

} // namespace sijill::dates
