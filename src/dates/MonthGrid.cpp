#include "dates/MonthGrid.h"

#include "dates/DateText.h"
#include "dates/DaySerial.h"
#include "dates/Weekdays.h"

namespace sijill::dates {

namespace {

constexpr int kFirstLeft = 4065;
constexpr int kFirstTop = 1425;
constexpr int kColumnGap = 50;

// Rows stand 20 twips apart, but only 10 between the second and the third.
constexpr std::array<int, 6> kRowTops = {1425, 2045, 2655, 3275, 3895, 4515};

bool isTwoDigitDay(const std::string& caption) {
    return caption.size() == 2 && caption[0] >= '0' && caption[0] <= '9' && caption[1] >= '0' &&
           caption[1] <= '9';
}

std::optional<DaySerial> serialOfEightDigits(const std::string& text) {
    if (text.size() != 8)
        return std::nullopt;
    return gregorianToSerial(leadingNumber(text.substr(6, 2)), leadingNumber(text.substr(4, 2)),
                             leadingNumber(text.substr(0, 4)));
}

} // namespace

int gridCellLeft(int cell) {
    return kFirstLeft - (cell % 7) * (kGridCellSize + kColumnGap);
}

int gridCellTop(int cell) {
    const int row = cell / 7;
    return row >= 0 && row < 6 ? kRowTops[static_cast<std::size_t>(row)] : kFirstTop;
}

bool MonthGrid::holdsDay(int cell) const {
    return cell >= 0 && cell < kGridCells &&
           isTwoDigitDay(dayCaption[static_cast<std::size_t>(cell)]);
}

int MonthGrid::dayAt(int cell) const {
    return holdsDay(cell) ? leadingNumber(dayCaption[static_cast<std::size_t>(cell)]) : 0;
}

int MonthGrid::firstCell() const {
    for (int k = 0; k < kGridCells; ++k) {
        if (holdsDay(k))
            return k;
    }
    return -1;
}

int MonthGrid::lastCell() const {
    int k = firstCell();
    if (k < 0)
        return -1;
    while (k + 1 < kGridCells && holdsDay(k + 1))
        ++k;
    return k;
}

int MonthGrid::cellOfDay(int day) const {
    if (day <= 0)
        return -1;
    for (int k = 0; k < kGridCells; ++k) {
        if (dayAt(k) == day)
            return k;
    }
    return -1;
}

MonthGrid blankMonthGrid() {
    MonthGrid grid;
    for (int k = 32; k < kGridCells; ++k)
        grid.dayCaption[static_cast<std::size_t>(k)] = "*";
    return grid;
}

MonthGrid writeMonthGrid(const CalendarYearLists& lists, int month) {
    MonthGrid grid = blankMonthGrid();
    const std::string wanted = zeroPadded(month, 2) + "01";
    std::size_t start = 0;
    while (start < lists.hijriDays.size() && lists.hijriDays[start].substr(4, 4) != wanted)
        ++start;
    if (start >= lists.hijriDays.size() || start >= lists.gregorianDays.size())
        return grid;
    const auto firstSerial = serialOfEightDigits(lists.gregorianDays[start]);
    if (!firstSerial)
        return grid;

    // The month runs until the next month's 1st or the end of the year.
    int k = weekdayOfSerial(*firstSerial);
    for (std::size_t i = start; i < lists.hijriDays.size() && i < lists.gregorianDays.size() &&
                                i <= start + 30 && k < kGridCells;
         ++i, ++k) {
        const std::string& hijri = lists.hijriDays[i];
        if (i > start && hijri.substr(6, 2) == "01")
            break;
        const std::string& g = lists.gregorianDays[i];
        const auto cell = static_cast<std::size_t>(k);
        grid.dayCaption[cell] = hijri.substr(6, 2);
        grid.gregorianCaption[cell] =
            g.substr(0, 4) + '\\' + g.substr(4, 2) + '\\' + g.substr(6, 2);
        grid.visible[cell] = true;
    }
    grid.year = lists.year;
    grid.month = month;
    return grid;
}

std::optional<MonthFacts> monthFactsOf(const MonthGrid& grid) {
    const int first = grid.firstCell();
    if (first < 0)
        return std::nullopt;
    MonthFacts facts;
    facts.firstDay = grid.dayCaption[static_cast<std::size_t>(first)];
    facts.firstWeekday = std::to_string(first % 7);
    facts.firstWeekdayName = std::string(weekdayName(first % 7));
    facts.lastDay = grid.dayCaption[static_cast<std::size_t>(grid.lastCell())];
    return facts;
}

} // namespace sijill::dates
