#pragma once

#include "reports/NameListHeaders.h"

#include <QString>
#include <vector>

namespace sijill::reports {

// One item of the Quran-school menu.
struct QuranItem {
    int index;
    int top; // twips inside the panel
    QString caption;
    QString layout; // empty: the item has no sheet of its own and prints nothing
};

// The item array runs 0 to 8; 3 carries no item.
constexpr int kQuranItemCount = 9;
// The readings item, printed on a mark sheet's layout.
constexpr int kReadingsItem = 8;

// The items that exist, top to bottom in their panel.
const std::vector<QuranItem>& quranItems();
// The item of that index; nullptr for the index without one.
const QuranItem* quranItem(int index);

// The sheet's title: the item's caption without "متوسط" and "ثانوي".
QString quranSheetTitle(const QString& caption);

// Fills the item's layout for the class the Quran-school class filler loaded
// (its grade and class texts in `classLine`): the school header, the class
// line followed by the sheet's title, landscape with the wide preview, the
// logo and the students; for the readings item its own subject line, oral
// heading and maxima on the readings sheet. Throws report::ReportError when a
// control cannot be reached.
void fillQuranItem(const QuranItem& item, const SchoolHeader& school, const ClassLine& classLine,
                   const data::RecordSet& students);

} // namespace sijill::reports
