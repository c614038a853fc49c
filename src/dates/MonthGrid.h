#pragma once

#include "dates/CalendarYear.h"

#include <array>
#include <optional>
#include <string>

namespace sijill::dates {

// The calendar's grid: 40 cells, cell k in row k / 7 and column k % 7, column 0
// Sunday .. column 6 Saturday. A month uses at most cells 0 to 35.
inline constexpr int kGridCells = 40;
// The one cell of the sixth row a month can reach: day 30 of a month whose 1st
// is a Saturday.
inline constexpr int kSixthRowCell = 35;

// Placement of a cell in twips, as the grid is laid out: Sunday on the right.
int gridCellLeft(int cell);
int gridCellTop(int cell);
inline constexpr int kGridCellSize = 600;

// One month written into the grid.
struct MonthGrid {
    // "01".."30" in the month's cells; the others "" (cells 0..31) or "*".
    std::array<std::string, kGridCells> dayCaption{};
    // The Gregorian twin of a day cell, "yyyy\mm\dd"; "" elsewhere.
    std::array<std::string, kGridCells> gregorianCaption{};
    std::array<bool, kGridCells> visible{};
    int year = 0;  // the shown Hijri year, 0 when nothing is drawn
    int month = 0; // 1..12, 0 when nothing is drawn

    // The cell shows a day of the month.
    bool holdsDay(int cell) const;
    int dayAt(int cell) const;
    // First and last cell of the month, -1 when nothing is drawn.
    int firstCell() const;
    int lastCell() const;
    // The sixth row's cell is in use (the framed extra cell is shown).
    bool usesSixthRow() const { return holdsDay(kSixthRowCell); }
    // The cell of a day of the month, -1 when no cell holds it.
    int cellOfDay(int day) const;
};

// A grid with nothing drawn.
MonthGrid blankMonthGrid();

// Writes month 1..12 of the year in `lists` into the grid, from the weekday of
// its 1st. A month the lists do not hold gives a blank grid.
MonthGrid writeMonthGrid(const CalendarYearLists& lists, int month);

// What other windows read about the month last shown: the 1st's caption, its
// column (weekday, 0 Sunday), that weekday's name and the month's length.
struct MonthFacts {
    std::string firstDay;
    std::string firstWeekday;
    std::string firstWeekdayName;
    std::string lastDay;
    friend bool operator==(const MonthFacts&, const MonthFacts&) = default;
};

// The facts read from a grid; nothing when no cell holds a day, so a blank
// grid never yields a weekday past the week.
std::optional<MonthFacts> monthFactsOf(const MonthGrid& grid);

} // namespace sijill::dates
