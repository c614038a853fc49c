#include "dates/DateText.h"

namespace sijill::dates {

namespace {

// Writes the digits of a non-negative value, zero-padded to `width`, at `out`
// and returns the end. Formatting works in a local buffer: the calendar
// formats every day of a year at once.
char* writePadded(char* out, int value, int width) {
    char digits[12];
    int n = 0;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int i = n; i < width; ++i)
        *out++ = '0';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

std::string joinDate(int first, int firstWidth, int second, int third, int thirdWidth) {
    char buffer[48];
    char* end = writePadded(buffer, first, firstWidth);
    *end++ = '/';
    end = writePadded(end, second, 2);
    *end++ = '/';
    end = writePadded(end, third, thirdWidth);
    return std::string(buffer, end);
}

} // namespace

std::string zeroPadded(int value, int width) {
    char buffer[24];
    return std::string(buffer, writePadded(buffer, value, width < 12 ? width : 12));
}

std::string dayFirstHijriText(const HijriDate& date) {
    return joinDate(date.day, 2, date.month, date.year, 4);
}

std::string hijriDateText(const HijriDate& date) {
    return joinDate(date.year, 4, date.month, date.day, 2);
}

std::string gregorianDateText(const GregorianDate& date) {
    return joinDate(date.year, 4, date.month, date.day, 2);
}

int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= 99999)
            value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace sijill::dates
