#pragma once

#include <QString>
#include <vector>

namespace sijill::reports {

// One item of the mark-sheet menu: where it stands and what it prints.
struct MarkSheetItem {
    int index;
    int panel; // the print area's tab panel that holds it
    int top;   // twips inside the panel
    QString caption;
    QString layout;
};

// The item array runs 0 to 12; 4, 5 and 6 carry no item.
constexpr int kMarkSheetItemCount = 13;

// The items that exist, in the order they stand in their panels.
const std::vector<MarkSheetItem>& markSheetItems();
// The item of that index; nullptr for the indexes without one.
const MarkSheetItem* markSheetItem(int index);

} // namespace sijill::reports
