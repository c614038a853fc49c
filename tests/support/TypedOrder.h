#pragma once

#include <QString>
#include <vector>

namespace sijill::test {

// The text without the marks that order it (U+200E, U+200F, U+2066..U+2069).
QString withoutBidiMarks(const QString& text);

// Where each character of `name` stands on `line` laid out right to left, as
// an Arabic window shows it: the middle of its glyph, in pixels from the left.
// `name` is found in the line's characters as typed, without the marks.
std::vector<double> placesOn(const QString& line, const QString& name);

// `name` reads on `line` in the order it was typed: its runs of Arabic and of
// other characters stand left to right, the characters of a Latin run too,
// and its last character ends it on the right.
void expectTypedOrder(const QString& line, const QString& name);

} // namespace sijill::test
