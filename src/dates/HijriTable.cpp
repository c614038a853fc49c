#include "dates/HijriTable.h"

#include "dates/DateText.h"
#include "dates/HijriYears.h"

#include <utility>

namespace sijill::dates {

namespace {

using MonthFlags = std::array<std::uint8_t, 12>;

struct StoredYear {
    GregorianDate start;
    MonthFlags flags;
};

MonthFlags flagsOf(std::string_view digits) {
    MonthFlags flags{};
    for (std::size_t k = 0; k < flags.size() && k < digits.size(); ++k)
        flags[k] = digits[k] == '1' ? 1 : 0;
    return flags;
}

int yearLength(const MonthFlags& flags) {
    int length = 348;
    for (const auto f : flags)
        length += f;
    return length;
}

// A printed row gives the start of its first year only; each later year of
// the row starts the day after the year before it ends.
StoredYear storedYear(int year) {
    const HijriYearRow& row = hijriYearRows()[static_cast<std::size_t>(year - kFirstHijriYear) / 5];
    DaySerial start = *gregorianToSerial(row.firstStart);
    for (int y = row.firstYear;; ++y) {
        const MonthFlags flags =
            flagsOf(row.flags.substr(static_cast<std::size_t>(y - row.firstYear) * 13, 12));
        if (y == year)
            return {serialToGregorian(start), flags};
        start += yearLength(flags);
    }
}

bool isDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

void LoadHijriYear(int year, LoadedHijriYear& last) {
    if (year < kFirstHijriYear || year > kLastHijriYear)
        return;
    const StoredYear stored = storedYear(year);
    const std::string startText = zeroPadded(stored.start.day, 2) + '-' +
                                  zeroPadded(stored.start.month, 2) + '-' +
                                  zeroPadded(stored.start.year, 4);
    SetHijriYearData(last, startText, stored.flags);
}

void SetHijriYearData(LoadedHijriYear& last, std::string_view startText,
                      const std::array<std::uint8_t, 12>& flags) {
    if (startText.size() != 10 || startText[2] != '-' || startText[5] != '-')
        return;
    const std::string_view dd = startText.substr(0, 2);
    const std::string_view mm = startText.substr(3, 2);
    const std::string_view yyyy = startText.substr(6, 4);
    if (!isDigits(dd) || !isDigits(mm) || !isDigits(yyyy))
        return;
    const auto serial =
        gregorianToSerial(leadingNumber(dd), leadingNumber(mm), leadingNumber(yyyy));
    if (!serial)
        return;

    last.HijriYearStart = *serial;
    std::string record;
    record.reserve(32);
    record.append(dd).append(mm).append(yyyy);
    for (std::size_t k = 0; k < flags.size(); ++k) {
        last.HijriMonthFlags[k] = flags[k];
        record += '*';
        record += std::to_string(flags[k]);
    }
    last.HijriYearRecord = std::move(record);
}

HijriTable::HijriTable() {
    LoadedHijriYear loaded;
    for (int y = kFirstHijriYear; y <= kLastHijriYear; ++y) {
        LoadHijriYear(y, loaded);
        HijriYearEntry& entry = years_[static_cast<std::size_t>(y - kFirstHijriYear)];
        entry.year = static_cast<std::int16_t>(y);
        entry.startSerial = loaded.HijriYearStart;
        int total = 0;
        for (std::size_t k = 1; k <= 12; ++k) {
            total += loaded.HijriMonthFlags[k - 1] + 29;
            entry.cumDays[k] = static_cast<std::int16_t>(total);
        }
    }
}

const HijriYearEntry* HijriTable::find(int year) const {
    if (year < kFirstHijriYear || year > kLastHijriYear)
        return nullptr;
    return &years_[static_cast<std::size_t>(year - kFirstHijriYear)];
}

const HijriTable& InitHijriTable() {
    static const HijriTable table;
    return table;
}

} // namespace sijill::dates
