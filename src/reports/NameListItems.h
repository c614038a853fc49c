#pragma once

#include <QString>
#include <vector>

namespace sijill::reports {

// One item of the name-list menu: where it stands and what it prints.
struct NameListItem {
    int index;
    int panel; // the print area's tab panel that holds it
    int top;   // twips inside the panel
    QString caption;
    QString layout; // empty for the items that print no layout (15 to 18)
};

constexpr int kNameListItemCount = 19;
// Items 0 to 14 print a layout through a print run; 15 is the monthly absence
// sheet and 16 to 18 the names exports.
constexpr int kLastPrintingItem = 14;

// Every item, indexed by its number.
const std::vector<NameListItem>& nameListItems();
const NameListItem& nameListItem(int index);

// Sets what the item needs on its layout on top of the header fill: the phone
// directory's phone column and title (9), the Quran sheet without the phone
// column (0), the participation headings of the four-week sheet (8). Throws
// report::ReportError when a control cannot be reached.
void prepareNameListItem(int index);

} // namespace sijill::reports
