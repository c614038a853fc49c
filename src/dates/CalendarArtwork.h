#pragma once

#include <QPixmap>
#include <QRect>
#include <cstdint>

class QPainter;

namespace sijill::dates {

// The calendar window's drawn surface and the places of its controls, in twips.
inline constexpr int kCalendarWidth = 6825;
inline constexpr int kCalendarHeight = 5910;
inline constexpr int kMonthButtonLeft = 4800;
inline constexpr int kMonthButtonTop = 855;
inline constexpr int kMonthButtonStep = 315;
inline constexpr int kMonthButtonWidth = 1845;
inline constexpr int kMonthButtonHeight = 315;

// Month button k (month k + 1) over its drawn name, in pixels.
QRect monthButtonRect(int index);

// The background: title bar, note box, weekday header with the weekend
// shaded, the five drawn rows of cells, the month names and the date band.
void paintCalendarArtwork(QPainter& p);

// One framed cell, for the sixth row's only cell.
QPixmap framedCell();

} // namespace sijill::dates
