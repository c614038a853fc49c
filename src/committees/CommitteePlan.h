#pragma once

#include "platform/Digits.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace sijill::committees {

// The window seats three grades: the seat columns of grades 1, 2 and 3.
inline constexpr int kGrades = 3;
using GradeSeats = std::array<int, kGrades>;

// The number a caption begins with ("12" and "12 x" give 12); 0 when it
// begins with no number.
int leadingNumber(const QString& text);

using platform::wholeNumber;

// The most seats a committee room is given: a larger capacity is a typing
// slip, and it would seat a whole school in one or two rooms.
inline constexpr int kMaxCapacity = 200;

// The committee-size box read as a whole number from 1 to kMaxCapacity.
std::optional<int> committeeCapacity(const QString& text);

// A committee row's capacity box holds more than kMaxCapacity seats.
bool overCapacity(const QString& text);

// How many committees the automatic creation opens for `students` at
// `capacity` seats each: students / capacity + 0.5, rounded to the nearest
// whole number with halves going to the even one, plus one. Nothing when the
// student count is not a whole number or the capacity not one from 1 to
// kMaxCapacity.
std::optional<int> committeeCount(const QString& students, const QString& capacity);

// "اللجنة [" number "]".
QString committeeName(int number);

// Whole rows of ten desks that a capacity holds, rounded down.
int deskRows(double capacity);

// Each grade's total shared over `committees` committees: every row gets the
// total divided by the committee count, rounded down, and the last committee
// also takes the remainder. Where that would seat more students in the last
// committee than its `lastCapacity`, the remainders go one seat per committee
// instead, from the last committee backwards, each grade going on where the
// one before stopped: no committee then holds more than one student more than
// another. The result has one row more than there are committees: the empty
// row for a new committee carries the plain share. Nothing when there is no
// committee to share over.
std::optional<std::vector<GradeSeats>> seatShares(const GradeSeats& totals, int committees,
                                                  std::optional<int> lastCapacity = std::nullopt);

} // namespace sijill::committees
