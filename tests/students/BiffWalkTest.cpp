#include "students/reader/BiffWalk.h"

#include <gtest/gtest.h>
#include <initializer_list>

using sijill::biff::Cell;
using sijill::biff::Fault;
using sijill::biff::SheetCells;
using sijill::biff::Workbook;

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(Bytes& b, unsigned v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
Bytes record(unsigned type, const Bytes& data) {
    Bytes r;
    put16(r, type);
    put16(r, static_cast<unsigned>(data.size()));
    r.insert(r.end(), data.begin(), data.end());
    return r;
}
Bytes bof(unsigned kind) {
    Bytes d;
    put16(d, 0x0600);
    put16(d, kind);
    d.resize(16);
    return record(0x0809, d);
}
Bytes cell(unsigned type, unsigned row, unsigned col, const Bytes& rest) {
    Bytes d;
    put16(d, row);
    put16(d, col);
    put16(d, 15); // format
    d.insert(d.end(), rest.begin(), rest.end());
    return record(type, d);
}
Bytes labelSst(unsigned row, unsigned col, unsigned index) {
    Bytes v;
    put32(v, index);
    return cell(0x00FD, row, col, v);
}

// A workbook of one sheet "S": the global records (with `sst` as its
// shared strings records), then the sheet's records between its BOF and EOF.
Bytes workbook(const Bytes& sst, std::initializer_list<Bytes> sheet) {
    Bytes sheetEntry;
    put32(sheetEntry, 0); // where the sheet starts: set below
    sheetEntry.insert(sheetEntry.end(), {0, 0, 1, 0, 'S'});
    Bytes s = bof(0x0005);
    const size_t entryAt = s.size() + 4;
    for (const Bytes& part : {record(0x0085, sheetEntry), sst, record(0x000A, {})})
        s.insert(s.end(), part.begin(), part.end());
    const size_t sheetAt = s.size();
    for (int i = 0; i < 4; ++i)
        s[entryAt + i] = static_cast<uint8_t>(sheetAt >> (8 * i));
    Bytes body = bof(0x0010);
    for (const Bytes& part : sheet)
        body.insert(body.end(), part.begin(), part.end());
    const Bytes eof = record(0x000A, {});
    body.insert(body.end(), eof.begin(), eof.end());
    s.insert(s.end(), body.begin(), body.end());
    return s;
}
Bytes dimension(unsigned rows, unsigned cols) {
    Bytes d;
    put32(d, 0);
    put32(d, rows);
    put16(d, 0);
    put16(d, cols);
    put16(d, 0);
    return record(0x0200, d);
}

// Shared strings "ab" + "ج" split over a CONTINUE record that switches the
// characters to two bytes each, then "x"; `total` text cells use them.
Bytes splitStrings(unsigned total) {
    Bytes sst;
    put32(sst, total);
    put32(sst, 2);
    put16(sst, 3);
    sst.insert(sst.end(), {0, 'a', 'b'});
    Bytes more{1, 0x2C, 0x06}; // flags (two-byte characters), then U+062C
    put16(more, 1);
    more.insert(more.end(), {0, 'x'});
    Bytes both = record(0x00FC, sst);
    const Bytes cont = record(0x003C, more);
    both.insert(both.end(), cont.begin(), cont.end());
    return both;
}

} // namespace

TEST(BiffWalk, TextsAcrossContinueRecordsAndFormulaValues) {
    // A formula whose stored text is in a STRING record after it, its
    // characters going on in a CONTINUE record.
    Bytes formula(8, 0);
    formula[6] = formula[7] = 0xFF;
    formula.insert(formula.end(), {0, 0, 0, 0, 0, 0, 0, 0}); // flags, chain, no tokens
    Bytes text;
    put16(text, 2);
    text.insert(text.end(), {0, 'q'});
    Workbook book;
    ASSERT_TRUE(book.openStream(
        workbook(splitStrings(2),
                 {dimension(2, 2), labelSst(0, 0, 0), labelSst(0, 1, 1),
                  cell(0x0006, 1, 0, formula), record(0x0207, text), record(0x003C, {0, 'r'})})))
        << book.fault().detail;
    SheetCells cells;
    ASSERT_TRUE(book.readSheet(0, cells)) << book.fault().detail;
    ASSERT_EQ(cells.cells.size(), 3u);
    EXPECT_EQ(*cells.find(0, 0)->text, "ab\xD8\xAC");
    EXPECT_EQ(*cells.find(0, 1)->text, "x");
    const Cell* f = cells.find(1, 0);
    ASSERT_TRUE(f && f->formula && f->text);
    EXPECT_EQ(*f->text, "qr");
    EXPECT_TRUE(book.checkStringReferences());
}

// What writers keep that is no damage: a row record wider than its cells, a
// last declared row with only a row record (a height or a format), a row
// block whose index points at its first row; booleans and errors are values.
TEST(BiffWalk, WritersHabitsAreReadAndValuesAreValues) {
    auto row = [](unsigned r, unsigned first, unsigned end) {
        Bytes d;
        for (unsigned v : {r, first, end, 255u, 0u, 0u, 0x100u, 15u})
            put16(d, v);
        return record(0x0208, d);
    };
    // A row block index: how far back its first ROW record starts.
    auto sheet = [&](unsigned back) {
        Bytes dbCell;
        put32(dbCell, back);
        return workbook(splitStrings(1), {dimension(5, 6), row(0, 0, 6), row(4, 0, 0),
                                          labelSst(0, 1, 0), cell(0x0205, 0, 2, {1, 0}),
                                          cell(0x0205, 0, 3, {0x2A, 1}), record(0x00D7, dbCell)});
    };
    const unsigned back = 2 * 20 + 14 + 2 * 12;
    Workbook book;
    ASSERT_TRUE(book.openStream(sheet(back))) << book.fault().detail;
    SheetCells cells;
    ASSERT_TRUE(book.readSheet(0, cells)) << book.fault().detail;
    EXPECT_STREQ(sijill::biff::valueText(*cells.find(0, 2)), "TRUE");
    EXPECT_STREQ(sijill::biff::valueText(*cells.find(0, 3)), "#N/A");
    // Pointing at the size record before the rows instead.
    ASSERT_TRUE(book.openStream(sheet(back + 18)));
    EXPECT_FALSE(book.readSheet(0, cells));
    EXPECT_EQ(book.fault().kind, Fault::Kind::Damaged);
}

TEST(BiffWalk, InconsistentSheetsAreFaultsNamingTheCell) {
    struct Case {
        std::initializer_list<Bytes> sheet;
        Fault::Kind kind;
        long row;
        int column;
    };
    const Bytes row3 = labelSst(3, 1, 0);
    for (const Case& c : {
             Case{{dimension(4, 2), row3, labelSst(3, 1, 1)}, Fault::Kind::Damaged, 3, 1},
             Case{{dimension(4, 2), labelSst(3, 1, 7)}, Fault::Kind::CellUnreadable, 3, 1},
             Case{{dimension(4, 2), row3, labelSst(4, 0, 1)}, Fault::Kind::Damaged, 4, 0},
             Case{{dimension(6, 2), row3}, Fault::Kind::Damaged, 5, -1},
             Case{{row3}, Fault::Kind::Damaged, -1, -1},
             // A cell record whose type was changed: to none the format
             // knows, or to one outside the cell table.
             Case{{dimension(4, 2), row3, record(0x0246, {0, 0})}, Fault::Kind::Damaged, -1, -1},
             Case{{dimension(4, 2), labelSst(2, 1, 0), record(0x0225, {0, 0, 0, 0}), row3},
                  Fault::Kind::Damaged,
                  -1,
                  -1},
         }) {
        Workbook book;
        ASSERT_TRUE(book.openStream(workbook(splitStrings(1), c.sheet)));
        SheetCells cells;
        EXPECT_FALSE(book.readSheet(0, cells));
        EXPECT_EQ(book.fault().kind, c.kind) << book.fault().detail;
        EXPECT_EQ(book.fault().sheet, "S");
        EXPECT_EQ(book.fault().row, c.row) << book.fault().detail;
        EXPECT_EQ(book.fault().column, c.column) << book.fault().detail;
    }
    // The shared strings serve two text cells, the stream holds one: a cell
    // record was lost.
    Workbook book;
    ASSERT_TRUE(book.openStream(workbook(splitStrings(2), {dimension(4, 2), row3})));
    EXPECT_FALSE(book.checkStringReferences());
    // The stream cut inside the sheet.
    Bytes cut = workbook(splitStrings(1), {dimension(4, 2), row3});
    cut.resize(cut.size() - 6);
    ASSERT_TRUE(book.openStream(cut));
    SheetCells cells;
    EXPECT_FALSE(book.readSheet(0, cells));
}
