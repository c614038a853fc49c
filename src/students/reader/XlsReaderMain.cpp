// sijill-xls-reader: reads the cells of an .xls workbook and writes them to
// standard output. It runs as a child of the program, so a damaged file that
// makes a library crash or loop takes down only this process, and it parses
// the file only inside its box (ReaderBox.h).
//
// Two independent readings meet here: FreeXL gives the cells, and a walk of
// the sheet's own records (BiffWalk) gives them again together with each
// formula's stored value and checks the sheet against what it declares. Any
// difference between the two refuses the file. Where FreeXL refuses a
// workbook that the walk reads whole and finds sound, the walk alone gives
// the cells.
//
//   sijill-xls-reader FILE [SHEET...]
//
// Output, one record per line, fields separated by tabs:
//   SIJILL-XLS 2                   first line
//   SHEET <name>                   a sheet follows (every sheet, or those named)
//   C <row> <col> <type> <value>   a non-empty cell, row and column from 0;
//                                  type I integer, D double, T text
//   MISSING <name>                 a named sheet that the workbook lacks
//   END                            the whole workbook was read
//   FAULT <kind> <sheet> <row> <col> <detail>
//                                  the file is refused (exit status 2); kind
//                                  NOTXLS, OLD, ENCRYPTED, DAMAGED, CELL
//                                  (a cell that cannot be read), DIFFER (the
//                                  two readings differ), VALUE (a boolean or
//                                  error value), BOX (the box could not be
//                                  set up); row and col from 0, -1 when no
//                                  cell is at fault
// Text is UTF-8 with backslash, tab, CR and LF escaped as \\ \t \r \n.

#include "BiffWalk.h"
#include "ReaderBox.h"

#include <fcntl.h>
#include <freexl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <strings.h>
#include <vector>

namespace {

using sijill::biff::Cell;
using sijill::biff::Fault;
using sijill::biff::SheetCells;

// Columns beyond these are never needed by the imports.
constexpr unsigned short kMaxColumns = 32;

void writeEscaped(const char* text) {
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '\\':
            std::fputs("\\\\", stdout);
            break;
        case '\t':
            std::fputs("\\t", stdout);
            break;
        case '\n':
            std::fputs("\\n", stdout);
            break;
        case '\r':
            std::fputs("\\r", stdout);
            break;
        default:
            std::fputc(*p, stdout);
        }
    }
}

// "C <row> <col> <type> ", without printf's cost: a workbook has thousands.
void writeCellStart(unsigned int row, unsigned int col, char type) {
    char line[48] = {'C', '\t'};
    char* p = std::to_chars(line + 2, line + 20, row).ptr;
    *p++ = '\t';
    p = std::to_chars(p, p + 8, col).ptr;
    *p++ = '\t';
    *p++ = type;
    *p++ = '\t';
    std::fwrite(line, 1, static_cast<size_t>(p - line), stdout);
}

// A whole number as its digits, any other in the shortest form that reads
// back as the same double.
void writeNumber(unsigned int row, unsigned int col, double number) {
    char text[40];
    char* end;
    if (number == std::trunc(number) && std::fabs(number) < 1e15) {
        writeCellStart(row, col, 'I');
        end = std::to_chars(text, text + sizeof text, static_cast<long long>(number)).ptr;
    } else {
        writeCellStart(row, col, 'D');
        end = std::to_chars(text, text + sizeof text, number).ptr;
    }
    *end++ = '\n';
    std::fwrite(text, 1, static_cast<size_t>(end - text), stdout);
}

int refuse(const char* kind, const std::string& sheet, long row, int column, const char* detail) {
    std::printf("FAULT\t%s\t", kind);
    writeEscaped(sheet.c_str());
    std::printf("\t%ld\t%d\t", row, column);
    writeEscaped(detail);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 2;
}

int refuse(const Fault& f) {
    const char* kind = "DAMAGED";
    switch (f.kind) {
    case Fault::Kind::NotOle:
        kind = "NOTXLS";
        break;
    case Fault::Kind::OldFormat:
        kind = "OLD";
        break;
    case Fault::Kind::Encrypted:
        kind = "ENCRYPTED";
        break;
    case Fault::Kind::CellUnreadable:
        kind = "CELL";
        break;
    case Fault::Kind::Damaged:
    case Fault::Kind::None:
        break;
    }
    return refuse(kind, f.sheet, f.row, f.column, f.detail.c_str());
}

bool isDate(const FreeXL_CellValue& v) {
    return v.type == FREEXL_CELL_DATE || v.type == FREEXL_CELL_DATETIME ||
           v.type == FREEXL_CELL_TIME;
}

// True when FreeXL's cell agrees with the walk's (null when none).
bool agree(const Cell* w, const FreeXL_CellValue& v) {
    const bool walkEmpty = !w || w->kind == Cell::Kind::Blank || w->emptyText();
    if (v.type == FREEXL_CELL_NULL)
        return walkEmpty || w->formula || w->kind == Cell::Kind::Bool ||
               w->kind == Cell::Kind::Error;
    if (!w)
        return false;
    if (w->kind == Cell::Kind::Bool || w->kind == Cell::Kind::Error)
        return true; // refused as a value that is no text, not as a difference
    switch (v.type) {
    case FREEXL_CELL_INT:
        return w->kind == Cell::Kind::Number && w->number == v.value.int_value;
    case FREEXL_CELL_DOUBLE:
        return w->kind == Cell::Kind::Number && w->number == v.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return w->kind == Cell::Kind::Text && w->text && v.value.text_value &&
               *w->text == v.value.text_value;
    default:
        // A number shown as a date: FreeXL gives it as a date text.
        return isDate(v) && w->kind == Cell::Kind::Number && v.value.text_value;
    }
}

// Writes a sheet's cells; compares them with FreeXL's first when `handle`
// holds the workbook. Returns the exit status, 0 when written.
int dumpSheet(const void* handle, unsigned short index, const std::string& name,
              const SheetCells& walk) {
    std::vector<std::pair<uint64_t, std::string>> dates;
    if (handle) {
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(handle, index) == FREEXL_OK &&
            freexl_worksheet_dimensions(handle, &rows, &columns) == FREEXL_OK) {
            if (rows != walk.endRow || columns != walk.endColumn)
                return refuse("DIFFER", name, -1, -1, "the sheet's size differs");
            const unsigned short cols = columns < kMaxColumns ? columns : kMaxColumns;
            for (unsigned int r = 0; r < rows; ++r) {
                for (unsigned short c = 0; c < cols; ++c) {
                    FreeXL_CellValue v;
                    const Cell* w = walk.find(r, c);
                    if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK || !agree(w, v))
                        return refuse("DIFFER", name, r, c, "the two readings of a cell differ");
                    if (isDate(v))
                        dates.emplace_back(SheetCells::key(r, c), v.value.text_value);
                }
            }
        }
        // A sheet FreeXL cannot select is given by the walk alone.
    }

    std::fputs("SHEET\t", stdout);
    writeEscaped(name.c_str());
    std::fputc('\n', stdout);
    size_t nextDate = 0;
    for (const auto& [key, cell] : walk.cells) {
        const auto row = static_cast<unsigned int>(key >> 16);
        const auto col = static_cast<unsigned int>(key & 0xFFFF);
        if (col >= kMaxColumns)
            continue;
        while (nextDate < dates.size() && dates[nextDate].first < key)
            ++nextDate;
        switch (cell.kind) {
        case Cell::Kind::Blank:
            break;
        case Cell::Kind::Bool:
        case Cell::Kind::Error:
            return refuse("VALUE", name, row, static_cast<int>(col),
                          "a boolean or error value is no text");
        case Cell::Kind::Number:
            if (nextDate < dates.size() && dates[nextDate].first == key) {
                writeCellStart(row, col, 'T');
                writeEscaped(dates[nextDate].second.c_str());
                std::fputc('\n', stdout);
            } else {
                writeNumber(row, col, cell.number);
            }
            break;
        case Cell::Kind::Text:
            if (cell.emptyText())
                break;
            writeCellStart(row, col, 'T');
            writeEscaped(cell.text->c_str());
            std::fputc('\n', stdout);
            break;
        }
    }
    return 0;
}

// The whole file, read through a descriptor opened for reading only.
bool readFile(const char* path, std::vector<uint8_t>& bytes) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    struct stat st;
    bool ok = fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        sijill::biff::limitResources(static_cast<uint64_t>(st.st_size));
        bytes.resize(static_cast<size_t>(st.st_size));
        for (size_t at = 0; ok && at < bytes.size();) {
            const ssize_t n = read(fd, bytes.data() + at, bytes.size() - at);
            ok = n > 0;
            at += ok ? static_cast<size_t>(n) : 0;
        }
    }
    if (fd >= 0)
        close(fd);
    return ok;
}

int readWorkbook(const char* path, const std::vector<std::string>& wanted) {
    std::fputs("SIJILL-XLS 2\n", stdout);
    std::fflush(stdout);
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes))
        return refuse("NOTXLS", {}, -1, -1, "the file cannot be read");
    if (!sijill::biff::enterBox())
        return refuse("BOX", {}, -1, -1, "the reader's box cannot be set up");
    sijill::biff::tryEscape(path);
    sijill::biff::Workbook walk;
    const bool opened = walk.openFile(bytes);
    std::vector<uint8_t>().swap(bytes);
    if (!opened)
        return refuse(walk.fault());

    const void* handle = nullptr;
    if (freexl_open(path, &handle) != FREEXL_OK) {
        freexl_close(handle);
        handle = nullptr;
    }
    unsigned int sheetCount = 0;
    if (handle && freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK) {
        freexl_close(handle);
        handle = nullptr;
    }
    const auto& sheets = walk.sheets();
    if (handle) {
        // Both readings must see the same sheets under the same names.
        if (sheetCount != sheets.size()) {
            freexl_close(handle);
            return refuse("DIFFER", {}, -1, -1, "the sheet count differs");
        }
        for (unsigned int i = 0; i < sheetCount; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) !=
                    FREEXL_OK ||
                !name || sheets[i].name != name) {
                freexl_close(handle);
                return refuse("DIFFER", sheets[i].name, -1, -1, "a sheet name differs");
            }
        }
    }

    std::vector<bool> found(wanted.size(), false);
    for (size_t i = 0; i < sheets.size() && i < 0xFFFF; ++i) {
        const std::string& name = sheets[i].name;
        bool take = wanted.empty();
        for (size_t w = 0; w < wanted.size(); ++w) {
            // Sheet names compare as Excel does, without regard to letter case.
            if (!found[w] && strcasecmp(wanted[w].c_str(), name.c_str()) == 0) {
                found[w] = true;
                take = true;
                break;
            }
        }
        if (!take)
            continue;
        SheetCells cells;
        if (!sheets[i].worksheet) {
            freexl_close(handle);
            return refuse("DAMAGED", name, -1, -1, "the sheet is no worksheet");
        }
        if (!walk.readSheet(i, cells)) {
            freexl_close(handle);
            return refuse(walk.fault());
        }
        if (const int rc = dumpSheet(handle, static_cast<unsigned short>(i), name, cells)) {
            freexl_close(handle);
            return rc;
        }
    }
    freexl_close(handle);
    if (!walk.checkStringReferences())
        return refuse(walk.fault());
    for (size_t w = 0; w < wanted.size(); ++w) {
        if (!found[w]) {
            std::fputs("MISSING\t", stdout);
            writeEscaped(wanted[w].c_str());
            std::fputc('\n', stdout);
        }
    }
    std::fputs("END\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: sijill-xls-reader FILE [SHEET...]\n", stderr);
        return 1;
    }
    try {
        return readWorkbook(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::bad_alloc&) {
        return refuse("DAMAGED", {}, -1, -1, "the workbook needs more memory than allowed");
    }
}
