#pragma once

#include "dates/DaySerial.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sijill::dates {

inline constexpr int kFirstHijriYear = 1300;
inline constexpr int kLastHijriYear = 1500;

// One year of the conversion table.
struct HijriYearEntry {
    std::int16_t year = 0;
    // cumDays[k]: days in months 1..k; cumDays[0] is 0, cumDays[12] the year's length.
    std::array<std::int16_t, 13> cumDays{};
    DaySerial startSerial = 0; // 1 Muharram
};

// The conversion table of the years 1300 to 1500, indexed by the Hijri year.
class HijriTable {
public:
    HijriTable();

    // The entry of a year, or nullptr outside 1300 to 1500.
    const HijriYearEntry* find(int year) const;

    // 1 Muharram 1300 and 30 Dhu al-Hijjah 1500.
    DaySerial firstSerial() const { return years_.front().startSerial; }
    DaySerial lastSerial() const {
        return years_.back().startSerial + years_.back().cumDays[12] - 1;
    }

private:
    std::array<HijriYearEntry, kLastHijriYear - kFirstHijriYear + 1> years_{};
};

// The year last handed over by LoadHijriYear. Whoever loads a year owns one of
// these (the calendar window keeps its own) and reads it straight after the load.
struct LoadedHijriYear {
    DaySerial HijriYearStart = 0;
    // Index 0 is month 1; 1 = 30 days, 0 = 29.
    std::array<std::uint8_t, 12> HijriMonthFlags{};
    // "ddmmyyyy" of 1 Muharram, then "*" and the flag digit of each month:
    // 32 characters, e.g. "11111882*1*1*0*1*0*0*1*0*1*0*1*0".
    std::string HijriYearRecord;
};

// Hands the stored start date and month flags of a year of the table to
// SetHijriYearData. Any other year leaves `last` as it was.
void LoadHijriYear(int year, LoadedHijriYear& last);

// `startText` is 1 Muharram as "dd-mm-yyyy" (Gregorian); flags[k] belongs to
// month k + 1. A start text that is no real date leaves `last` unchanged.
void SetHijriYearData(LoadedHijriYear& last, std::string_view startText,
                      const std::array<std::uint8_t, 12>& flags);

// The conversion table, built on the first call; later calls return the same one.
const HijriTable& InitHijriTable();

} // namespace sijill::dates
