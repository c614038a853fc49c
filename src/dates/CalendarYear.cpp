#include "dates/CalendarYear.h"

#include "dates/DateText.h"
#include "dates/DaySerial.h"
#include "dates/HijriTable.h"

namespace sijill::dates {

namespace {

std::string eightDigits(int year, int month, int day) {
    return zeroPadded(year, 4) + zeroPadded(month, 2) + zeroPadded(day, 2);
}

} // namespace

CalendarYearLists buildCalendarYearLists(int hijriYear) {
    CalendarYearLists lists;
    LoadedHijriYear loaded;
    LoadHijriYear(hijriYear, loaded);
    if (loaded.HijriYearRecord.size() < 8)
        return lists;
    lists.year = hijriYear;

    lists.hijriDays.reserve(355);
    for (int m = 1; m <= 12; ++m) {
        const int length = loaded.HijriMonthFlags[static_cast<std::size_t>(m - 1)] == 0 ? 29 : 30;
        for (int d = 1; d <= length; ++d)
            lists.hijriDays.push_back(eightDigits(hijriYear, m, d));
    }

    // The record starts with 1 Muharram as "ddmmyyyy".
    const std::string& record = loaded.HijriYearRecord;
    const std::string start = record.substr(4, 4) + record.substr(2, 2) + record.substr(0, 2);
    const int firstGregorianYear = leadingNumber(record.substr(4, 4));
    lists.gregorianDays.reserve(731);
    for (int y = firstGregorianYear; y <= firstGregorianYear + 1; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= gregorianMonthLength(y, m); ++d) {
                std::string day = eightDigits(y, m, d);
                if (day >= start)
                    lists.gregorianDays.push_back(std::move(day));
            }
        }
    }
    return lists;
}

} // namespace sijill::dates
