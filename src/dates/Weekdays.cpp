#include "dates/Weekdays.h"

namespace sijill::dates {

const std::array<std::string_view, 7> kWeekdayNames = {
    "الأحد", "الاثنين", "الثلاثاء", "الأربعاء", "الخميس", "الجمعة", "السبت",
};

std::string_view weekdayName(int weekday) {
    if (weekday < 0 || weekday > 6)
        return {};
    return kWeekdayNames[static_cast<std::size_t>(weekday)];
}

std::string_view weekdayNameOfSerial(DaySerial serial) {
    return weekdayName(weekdayOfSerial(serial));
}

int saturdayFirstDayNumber(DaySerial serial) {
    return (weekdayOfSerial(serial) + 1) % 7 + 1;
}

bool isWeekend(DaySerial serial) {
    const int w = weekdayOfSerial(serial);
    return w == 5 || w == 6;
}

} // namespace sijill::dates
