#pragma once

// An independent walk of an .xls workbook's records (BIFF8 inside an OLE2
// container). It reads the shared strings and the cell records of a sheet,
// takes every formula's stored value, and checks the sheet against what it
// declares: the record stream must end in its EOF record, no record may run
// past the stream, every cell record must be readable, no cell may stand
// outside the declared size or twice, and the last declared row must hold a
// cell record. Plain C++ without Qt: it runs in the reader program.

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
    std::string detail; // English, for diagnostics
};

struct SheetEntry {
    std::string name;
    uint32_t offset = 0;
    bool worksheet = false;
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
    // Reads the workbook stream out of the bytes of an OLE2 file, and its
    // global records.
    bool openFile(const std::vector<uint8_t>& file);
    // The same from the bytes of a workbook stream.
    bool openStream(std::vector<uint8_t> stream);

    const std::vector<SheetEntry>& sheets() const { return sheets_; }
    const std::vector<std::string>& strings() const { return strings_; }
    // Walks one sheet; false with fault() set when it is damaged.
    bool readSheet(size_t index, SheetCells& out);
    // Walks the sheets not read yet and checks that the text cells are as
    // many as the shared strings table says it serves: fewer means cells
    // were lost. Left out where a sheet is of a kind the walk does not read.
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
    uint64_t referencesSeen_ = 0;
    std::vector<bool> counted_; // sheets whose text cells are in referencesSeen_
    Fault fault_;
};

} // namespace sijill::biff
