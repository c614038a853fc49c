// sijill-xls-reader: reads the cells of an .xls workbook with FreeXL and
// writes them to standard output. It runs as a child of the program, so a
// damaged file that makes the library crash or loop takes down only this
// process.
//
//   sijill-xls-reader FILE [SHEET...]
//
// Output, one record per line, fields separated by tabs:
//   SIJILL-XLS 1                   first line
//   SHEET <name>                   a sheet follows (every sheet, or those named)
//   C <row> <col> <type> <value>   a non-empty cell, row and column from 0;
//                                  type I integer, D double, T text
//   MISSING <name>                 a named sheet that the workbook lacks
//   END                            the whole workbook was read
//   ERROR <code>                   FreeXL refused the file (exit status 2)
// Text is UTF-8 with backslash, tab, CR and LF escaped as \\ \t \r \n.

#include <freexl.h>

#include <cstdio>
#include <string>
#include <strings.h>
#include <vector>

namespace {

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

void writeCell(unsigned int row, unsigned short col, const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_INT:
        std::printf("C\t%u\t%u\tI\t%d\n", row, col, v.value.int_value);
        return;
    case FREEXL_CELL_DOUBLE:
        std::printf("C\t%u\t%u\tD\t%.17g\n", row, col, v.value.double_value);
        return;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        if (!v.value.text_value)
            return;
        std::printf("C\t%u\t%u\tT\t", row, col);
        writeEscaped(v.value.text_value);
        std::fputc('\n', stdout);
        return;
    default:
        return;
    }
}

bool dumpSheet(const void* handle, unsigned short index, const char* name) {
    if (freexl_select_active_worksheet(handle, index) != FREEXL_OK)
        return false;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return false;
    std::fputs("SHEET\t", stdout);
    writeEscaped(name);
    std::fputc('\n', stdout);
    const unsigned short cols = columns < kMaxColumns ? columns : kMaxColumns;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, r, c, &v) == FREEXL_OK)
                writeCell(r, c, v);
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: sijill-xls-reader FILE [SHEET...]\n", stderr);
        return 1;
    }
    std::vector<std::string> wanted(argv + 2, argv + argc);

    std::fputs("SIJILL-XLS 1\n", stdout);
    const void* handle = nullptr;
    const int rc = freexl_open(argv[1], &handle);
    if (rc != FREEXL_OK) {
        std::printf("ERROR\t%d\n", rc);
        freexl_close(handle);
        return 2;
    }
    unsigned int sheetCount = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK) {
        std::puts("ERROR\t-100");
        freexl_close(handle);
        return 2;
    }
    std::vector<bool> found(wanted.size(), false);
    for (unsigned int i = 0; i < sheetCount && i < 0xFFFF; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK ||
            !name)
            continue;
        bool take = wanted.empty();
        for (size_t w = 0; w < wanted.size(); ++w) {
            // Sheet names compare as Excel does, without regard to letter case.
            if (!found[w] && strcasecmp(wanted[w].c_str(), name) == 0) {
                found[w] = true;
                take = true;
                break;
            }
        }
        if (take && !dumpSheet(handle, static_cast<unsigned short>(i), name)) {
            std::puts("ERROR\t-101");
            freexl_close(handle);
            return 2;
        }
    }
    for (size_t w = 0; w < wanted.size(); ++w) {
        if (!found[w]) {
            std::fputs("MISSING\t", stdout);
            writeEscaped(wanted[w].c_str());
            std::fputc('\n', stdout);
        }
    }
    freexl_close(handle);
    std::fputs("END\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : 3;
}
