#pragma once

#include <QString>

namespace sijill::reports {

// The letters of a column (1 = "A").
QString columnName(int column);

// References inside a worksheet's formulas (A1 style: "C12", "$B$4",
// "D12:M12", "$1:$11", "'Sheet 1'!$A$1:$N$56"), moved the way a spreadsheet
// moves them. Texts in double quotes, function names and defined names are
// left as they are.

// The formula of a cell copied `columns` to the side and `rows` down: its
// relative references move with it, its absolute ($) ones stay.
QString movedFormula(const QString& formula, int columns, int rows);

// The formula after `count` rows were inserted below row `last`: references
// to rows below it move down; a range from above row `last` that ends on it
// grows over the new rows when `grow` is true, as the list it names has grown. References to
// other sheets than `sheet` stay; unqualified ones are to `sheet` when
// `unqualifiedIsSheet` (a cell's formula) and stay otherwise (a defined name).
QString formulaWithRowsInserted(const QString& formula, int last, int count, bool grow,
                                const QString& sheet = {}, bool unqualifiedIsSheet = true);

} // namespace sijill::reports
