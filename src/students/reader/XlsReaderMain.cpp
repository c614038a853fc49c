// sijill-xls-reader: reads the cells of an .xls workbook and writes them to
// standard output. It runs as a child of the program, so a damaged file that
// makes the reader crash or loop takes down only this process, and it parses
// the file only inside its box (ReaderBox.h).
//
// The walk of the workbook's own records (BiffWalk) gives every cell, with
// each formula's stored value, and refuses what breaks the file format.
//
//   sijill-xls-reader FILE [SHEET...]
//
// Output, one record per line, fields separated by tabs:
//   SIJILL-XLS 2                   first line
//   SHEET <name>                   a worksheet follows (every one, or those named)
//   C <row> <col> <type> <value>   a non-empty cell, row and column from 0;
//                                  type I integer, D double, T text, B boolean
//                                  (TRUE or FALSE), E error (#N/A, #DIV/0!, ...)
//   MISSING <name>                 a named sheet that the workbook lacks, or
//                                  that is a chart or macro sheet
//   END                            the whole workbook was read
//   FAULT <kind> <sheet> <row> <col> <detail>
//                                  the file is refused (exit status 2); kind
//                                  NOTXLS, OLD, ENCRYPTED, DAMAGED, CELL
//                                  (a cell that cannot be read), BOX (the box
//                                  could not be set up); row and col from 0,
//                                  -1 when no cell is at fault; the detail
//                                  names the rule of the format broken
// Text is UTF-8 with backslash, tab, CR and LF escaped as \\ \t \r \n.

#include "BiffWalk.h"
#include "ReaderBox.h"

#include <fcntl.h>
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

// Writes a sheet's cells.
void dumpSheet(const std::string& name, const SheetCells& walk) {
    std::fputs("SHEET\t", stdout);
    writeEscaped(name.c_str());
    std::fputc('\n', stdout);
    for (const auto& [key, cell] : walk.cells) {
        const auto row = static_cast<unsigned int>(key >> 16);
        const auto col = static_cast<unsigned int>(key & 0xFFFF);
        switch (cell.kind) {
        case Cell::Kind::Blank:
            break;
        case Cell::Kind::Bool:
        case Cell::Kind::Error:
            writeCellStart(row, col, cell.kind == Cell::Kind::Bool ? 'B' : 'E');
            std::fputs(sijill::biff::valueText(cell), stdout);
            std::fputc('\n', stdout);
            break;
        case Cell::Kind::Number:
            writeNumber(row, col, cell.number);
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

    const auto& sheets = walk.sheets();
    std::vector<bool> found(wanted.size(), false);
    for (size_t i = 0; i < sheets.size(); ++i) {
        // Chart and macro sheets hold no cells to import.
        if (!sheets[i].worksheet)
            continue;
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
        if (!walk.readSheet(i, cells))
            return refuse(walk.fault());
        dumpSheet(name, cells);
    }
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
