#include "committees/CommitteePlan.h"
#include "committees/Texts.h"
#include "platform/Digits.h"

#include <cfenv>
#include <cmath>

namespace sijill::committees {

int leadingNumber(const QString& text) {
    const QString t = text.trimmed();
    int end = 0;
    while (end < t.size() && t.at(end).isDigit() && t.at(end).unicode() < 128)
        ++end;
    bool ok = false;
    const int value = t.left(end).toInt(&ok);
    return ok ? value : 0;
}

std::optional<int> committeeCapacity(const QString& text) {
    const std::optional<int> n = wholeNumber(text);
    return n && *n >= 1 && *n <= kMaxCapacity ? n : std::nullopt;
}

bool overCapacity(const QString& text) {
    // Digits beyond what an int holds are over it as well.
    const std::optional<int> n = wholeNumber(text);
    return n ? *n > kMaxCapacity : platform::allDigits(text);
}

std::optional<int> committeeCount(const QString& students, const QString& capacity) {
    const std::optional<int> studentCount = wholeNumber(students);
    const std::optional<int> seats = committeeCapacity(capacity);
    if (!studentCount || !seats)
        return std::nullopt;
    const double s = *studentCount;
    const double c = *seats;
    // Round half to even, whatever rounding mode the process was left in.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double n = std::nearbyint(s / c + 0.5);
    std::fesetround(saved);
    return static_cast<int>(n) + 1;
}

QString committeeName(int number) {
    return texts::kCommitteePrefix + QString::number(number) + QStringLiteral("]");
}

int deskRows(double capacity) {
    return static_cast<int>(std::floor(capacity / 10));
}

std::optional<std::vector<GradeSeats>> seatShares(const GradeSeats& totals, int committees,
                                                  std::optional<int> lastCapacity) {
    if (committees < 1)
        return std::nullopt;
    const auto last = static_cast<std::size_t>(committees) - 1;
    std::vector<GradeSeats> rows(last + 2);
    GradeSeats remainders{};
    int lastTotal = 0;
    for (int g = 0; g < kGrades; ++g) {
        const int q = totals[g] / committees;
        for (GradeSeats& row : rows)
            row[g] = q;
        remainders[g] = totals[g] - committees * q;
        lastTotal += q + remainders[g];
    }
    // Every remainder in the last committee would overfill its room: spread
    // them instead, so that the rooms stay within one student of each other.
    const bool spread = lastCapacity && lastTotal > *lastCapacity;
    std::size_t next = last;
    for (int g = 0; g < kGrades; ++g) {
        if (!spread) {
            rows[last][g] += remainders[g];
            continue;
        }
        for (int k = 0; k < remainders[g]; ++k) {
            ++rows[next][g];
            next = next == 0 ? last : next - 1;
        }
    }
    return rows;
}

} // namespace sijill::committees
