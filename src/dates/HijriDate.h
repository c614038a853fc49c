#pragma once

namespace sijill::dates {

// A Hijri day as day, month (1 Muharram .. 12 Dhu al-Hijjah) and year.
struct HijriDate {
    int day = 0;
    int month = 0;
    int year = 0;
    friend bool operator==(const HijriDate&, const HijriDate&) = default;
};

} // namespace sijill::dates
