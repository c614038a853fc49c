#pragma once

#include "reports/OoxmlPackage.h"

#include <QString>
#include <memory>

namespace sijill::reports {

// The sheet an .xlsx workbook shows when it opens (its active sheet), for
// writing text into cells. The template's formatting is kept: a cell keeps its
// style, and a new cell takes the style of its row or column.
class XlsxSheet {
public:
    // Finds and reads the active sheet. Throws ExportError.
    explicit XlsxSheet(OoxmlPackage& package);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // Writes `text` into the cell named like "C12", always as text (a value
    // beginning with "=" is not made a formula), replacing what it held.
    void setText(const QString& cell, const QString& text);

    // Makes the list that fills `column` from row `firstRow` down hold `count`
    // entries as whole rows. The template's list rows are those from
    // `firstRow` whose cell in `column` is empty and formatted like the
    // first; where they are fewer, the last is copied below them (cells,
    // formats, height, formulas with their rows moved), what stood below
    // moves down, and whatever names the list's extent follows: ranges in
    // formulas and defined names (the print area), the sheet's dimension,
    // conditional formats, validations, merged cells. The page setup keeps
    // its scale: a sheet fitted to a number of pages tall is let run onto as
    // many pages as it needs. Unused list rows stay as the template has them.
    void growList(int firstRow, int column, int count);

    // Puts the sheet back into the package; the template's formulas are
    // recalculated when the workbook is opened.
    void save();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Column number (A = 1) and row of a cell name; {0, 0} when it is not one.
std::pair<int, int> cellPosition(const QString& cell);

} // namespace sijill::reports
