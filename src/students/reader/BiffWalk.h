#pragma once

// An independent walk of an .xls workbook's records (BIFF8 inside an OLE2
// container). It reads the shared strings and the cell records of a sheet,
// takes every formula's stored value, and refuses only what breaks the file
// format: a stream that does not end in its EOF record, a record past its
// stream or longer than a record may be, a cell record that cannot be read,
// a record of no type the format knows, a row or cell record after the
// sheet's cell table, a cell outside the sheet's declared size (but for one
// row or column past it, inside its row record's span, as writers that store
// the last index leave it) or given twice, a last declared row that holds neither a cell nor a row
// record, a row block index that does not point at a row record, and fewer shared-string cells in
// the whole stream than the shared strings table serves. Plain C++ without Qt: it runs in the
// reader program, on the file's bytes held in memory.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace sijill::biff {

struct Cell {
    enum class Kind : uint8_t { Blank, Number, Text, Bool, Error };
    Kind kind = Kind::Blank;
    bool formula = false; // the value is the one stored for a formula
    bool integer = false; // a number stored as a whole-number RK value
    uint8_t code = 0;     // the boolean or the error code
    double number = 0;
    const std::string* text = nullptr; // UTF-8; none for an empty text
    bool emptyText() const { return kind == Kind::Text && (!text || text->empty()); }
};

// The text Excel shows for a boolean or an error cell: "TRUE", "#N/A", ...
const char* valueText(const Cell& cell);

// Why a walk stopped: the sheet (empty for the workbook itself), and the
// cell's row and column counted from 0 when one cell is at fault.
struct Fault {
    enum class Kind {
        None,
        NotOle,        // no OLE2 container or no workbook stream
        OldFormat,     // a workbook older than Excel 97 (BIFF5 or before)
        Encrypted,     // protected by a password
        Damaged,       // cut or inconsistent records
        CellUnreadable // one cell record cannot be read
    };
    Kind kind = Kind::None;
    std::string sheet;
    long row = -1;
    int column = -1;
    std::string detail; // English: the rule of the format that is broken
};

struct SheetEntry {
    std::string name;
    uint32_t offset = 0;
    bool worksheet = false; // false for a chart, macro or module sheet
};

struct SheetCells {
    uint32_t firstRow = 0, endRow = 0; // declared rows [firstRow, endRow)
    uint16_t firstColumn = 0, endColumn = 0;
    // In row and column order; key: row << 16 | column.
    std::vector<std::pair<uint64_t, Cell>> cells;
    std::deque<std::string> texts; // the texts that are no shared strings
    static uint64_t key(uint32_t row, uint16_t column) {
        return (static_cast<uint64_t>(row) << 16) | column;
    }
    const Cell* find(uint32_t row, uint16_t column) const;
};

class Workbook {
public:
    // Reads the workbook stream out of the bytes of a file, and its global
    // records; a workbook older than Excel 97 is told as such.
    bool openFile(const std::vector<uint8_t>& file);
    // The same from the bytes of a workbook stream.
    bool openStream(std::vector<uint8_t> stream);

    const std::vector<SheetEntry>& sheets() const { return sheets_; }
    const std::vector<std::string>& strings() const { return strings_; }
    // Walks one worksheet; false with fault() set when it is damaged.
    bool readSheet(size_t index, SheetCells& out);
    // Counts the text cells of the shared strings in the whole stream, every
    // sheet of every kind, against the number of uses the table declares:
    // fewer means cell records were lost.
    bool checkStringReferences();
    const Fault& fault() const { return fault_; }

private:
    bool fail(Fault::Kind kind, const std::string& sheet, const std::string& detail, long row = -1,
              int column = -1);
    bool readGlobals();

    std::vector<uint8_t> stream_;
    std::vector<SheetEntry> sheets_;
    std::vector<std::string> strings_;
    uint32_t declaredReferences_ = 0;
    Fault fault_;
};

} // namespace sijill::biff
