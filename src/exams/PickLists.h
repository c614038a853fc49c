#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace sijill::exams {

// The schedule editor's three pick lists, each a table of Schedual.db with
// the columns ID and Title.
enum class PickList { Subjects, Teachers, Times };
inline constexpr PickList kPickLists[] = {PickList::Subjects, PickList::Teachers, PickList::Times};

struct PickItem {
    qint64 id = 0;
    QString title;
};

// "subjects", "teachers_names" or "exam_time".
QString pickTable(PickList list);

// The list's items in the order they were added. Throws data::DataError.
std::vector<PickItem> loadPickList(PickList list);

// The part of a typed text that is stored: everything before the first comma.
QString storedTitle(const QString& text);

// True when an item's text equals what `text` would store, exactly (same
// characters, letter case and blanks).
bool isDuplicate(const std::vector<PickItem>& items, const QString& text);

// "<kind> text <exists>" for a refused duplicate.
QString duplicateMessage(PickList list, const QString& text);

// Stores the text's title as a new item, then waits half a second (window
// events keep running); returns the new key. Throws data::DataError.
qint64 addPickItem(PickList list, const QString& text);

// Removes the item with the key; returns whether one went.
bool deletePickItem(PickList list, qint64 id);

} // namespace sijill::exams

#include <QPoint>

namespace sijill::exams {

// Where item j of a popup stands, in twips inside the popup: rows of three
// from the right (times one to a row), eight rows for subjects, fourteen for
// staff, eight for times; later items carry on leftwards in the last row,
// beyond the popup's edge.
QPoint pickItemPosition(PickList list, int j);
inline constexpr int kPickItemWidth = 1140;
inline constexpr int kPickItemHeight = 330;

} // namespace sijill::exams
