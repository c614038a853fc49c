#pragma once

#include "exams/ExamsStore.h"

#include <QString>
#include <QtGlobal>
#include <vector>

namespace sijill::exams {

// The part of a typed text that is stored: everything before the first comma.
QString storedTitle(const QString& text);

// True when an item's text equals what `text` would store, exactly (same
// characters, letter case and blanks).
bool isDuplicate(const std::vector<PickItem>& items, const QString& text);

// "<kind> text <exists>" for a refused duplicate.
QString duplicateMessage(PickList list, const QString& text);

// Stores the text's title as a new item, then waits half a second (window
// events keep running); returns the new key, or 0 for a blank title, which is
// not stored. Throws data::DataError.
qint64 addPickItem(PickList list, const QString& text);

} // namespace sijill::exams

namespace sijill::exams {

// True when a typed text would store a blank title: nothing is stored then.
bool isBlankTitle(const QString& text);

// Where item j of a popup stands: rows of three from the right (times one to
// a row), as many rows as there are items; the popup scrolls through them.
struct PickSlot {
    int row = 0;
    int column = 0; // 0 the rightmost
};
PickSlot pickItemSlot(PickList list, int j);
int pickColumns(PickList list);
inline constexpr int kPickItemWidth = 1140; // twips, at the design size
inline constexpr int kPickItemHeight = 330;

} // namespace sijill::exams
