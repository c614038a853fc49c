#include "students/reader/BiffWalk.h"

#include "StudentsTestSupport.h"
#include "students/reader/CompoundFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <seccomp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A ROW record: row `r` with cells in columns [first, end).
Bytes rowRecord(unsigned r, unsigned first, unsigned end) {
    Bytes d;
    for (unsigned v : {r, first, end, 255u, 0u, 0u, 0x100u, 15u})
        put16(d, v);
    return record(0x0208, d);
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
    const auto row = rowRecord;
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

namespace {

using sijill::biff::Container;

constexpr uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF;

void set32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An OLE2 file of 512-byte (or 4096-byte) sectors holding one stream, laid
// out as the FAT, the DIFAT, the directory, the mini FAT and the data; a
// stream shorter than 4096 bytes lies in the mini stream. The cases damage it
// through the offsets kept here.
struct Ole {
    Bytes file;
    size_t unit = 512;                                    // the sector size
    uint32_t dir = 0, miniFat = 0, data = 0, sectors = 0; // first sectors; data sectors
    bool mini = false;
    size_t at(uint32_t sector) const { return (sector + size_t{1}) * unit; }
    void fat(uint32_t sector, uint32_t next) { set32(file, unit + sector * size_t{4}, next); }
    void miniFatEntry(uint32_t entry, uint32_t next) { set32(file, at(miniFat) + entry * 4, next); }
    size_t entry(uint32_t id) const { return at(dir) + id * 128; }
};

Ole ole(const Bytes& stream, size_t unit = 512) {
    Ole o;
    o.unit = unit;
    o.mini = stream.size() < 4096;
    const uint32_t perSector = static_cast<uint32_t>(unit / 4), perDifat = perSector - 1;
    const uint32_t units = o.mini ? static_cast<uint32_t>((stream.size() + 63) / 64) : 0;
    const uint32_t m = o.mini ? 1 : 0;
    o.sectors =
        static_cast<uint32_t>(((o.mini ? units * size_t{64} : stream.size()) + unit - 1) / unit);
    uint32_t f = 1, d = 0;
    for (;; ++f) {
        d = f > 109 ? (f - 109 + perDifat - 1) / perDifat : 0;
        if (f * perSector >= f + d + 1 + m + o.sectors)
            break;
    }
    o.dir = f + d;
    o.miniFat = o.dir + 1;
    o.data = o.dir + 1 + m;
    Bytes& b = o.file;
    b.assign(o.at(o.data + o.sectors), 0);
    const uint8_t magic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(magic, magic + 8, b.begin());
    const bool large = unit == 4096;
    for (const auto& [at, v] :
         {std::pair<size_t, uint32_t>{0x18, large ? 0x0004003Eu : 0x0003003Eu},
          {0x1C, large ? 0x000CFFFEu : 0x0009FFFEu},
          {0x20, 6},
          {0x2C, f},
          {0x30, o.dir},
          {0x38, 4096},
          {0x3C, o.mini ? o.miniFat : kEnd},
          {0x40, m},
          {0x44, d ? f : kEnd},
          {0x48, d}})
        set32(b, at, v);
    for (uint32_t i = 0; i < f * perSector; ++i)
        o.fat(i, i < f ? 0xFFFFFFFD : i < f + d ? 0xFFFFFFFC : kFree);
    for (uint32_t i = 0; i < 109; ++i)
        set32(b, 0x4C + i * 4, i < f ? i : kFree);
    for (uint32_t i = 109; i < f; ++i) // the DIFAT sectors: their entries, then the next
        set32(b, o.at(f + (i - 109) / perDifat) + (i - 109) % perDifat * 4, i);
    for (uint32_t s = 0; s < d; ++s)
        set32(b, o.at(f + s) + unit - 4, s + 1 < d ? f + s + 1 : kEnd);
    o.fat(o.dir, kEnd);
    for (uint32_t i = 0; i < o.sectors; ++i)
        o.fat(o.data + i, i + 1 < o.sectors ? o.data + i + 1 : kEnd);
    if (o.mini) {
        o.fat(o.miniFat, kEnd);
        for (uint32_t i = 0; i < perSector; ++i)
            o.miniFatEntry(i, i + 1 < units ? i + 1 : i < units ? kEnd : kFree);
    }
    // The root entry and the stream's entry; the others stay empty.
    const auto dirEntry = [&](uint32_t id, const char* text, uint8_t type, uint32_t child,
                              uint32_t start, uint32_t size) {
        const size_t e = o.entry(id);
        size_t n = 0;
        for (; text[n]; ++n)
            b[e + n * 2] = static_cast<uint8_t>(text[n]);
        b[e + 0x40] = static_cast<uint8_t>((n + 1) * 2);
        b[e + 0x42] = type;
        set32(b, e + 0x44, kFree);
        set32(b, e + 0x48, kFree);
        set32(b, e + 0x4C, child);
        set32(b, e + 0x74, start);
        set32(b, e + 0x78, size);
    };
    dirEntry(0, "Root Entry", 5, 1, o.mini ? o.data : kEnd, units * 64);
    dirEntry(1, "Workbook", 2, kFree, o.mini ? 0 : o.data, static_cast<uint32_t>(stream.size()));
    std::copy(stream.begin(), stream.end(), b.begin() + static_cast<long>(o.at(o.data)));
    return o;
}

Bytes filler(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return b;
}

} // namespace

// Each check of the container: where a stream's sectors may lie, how its
// chain may run, and what the header and the directory must say. The sound
// files are cut exactly at the bounds, so that a bound moved by one fails.
TEST(CompoundFile, EveryChainIsBoundedAndChecked) {
    struct Case {
        const char* what;
        size_t size; // of the stream; under 4096 in the mini stream
        std::function<void(Ole&)> damage;
        Container want;
        size_t unit = 512; // the sector size
    };
    const auto setSize = [](uint32_t size) {
        return [size](Ole& o) { set32(o.file, o.entry(1) + 0x78, size); };
    };
    // 237 FAT sectors, all but the first a copy of it (describing sectors no
    // chain reaches): 109 named in the header, 127 by a DIFAT sector after
    // the data, the last by the DIFAT sector its link names: the next one, or
    // itself again.
    const auto difatChain = [](bool loops) {
        return [loops](Ole& o) {
            const uint32_t first = static_cast<uint32_t>(o.file.size() / o.unit) - 1;
            const uint32_t fatSectors = 109 + static_cast<uint32_t>(o.unit / 4);
            o.file.resize(o.at(std::max(fatSectors, first + 2)), 0);
            set32(o.file, 0x2C, fatSectors);
            set32(o.file, 0x44, first);
            set32(o.file, 0x48, 2);
            for (uint32_t i = 1; i < 109; ++i)
                set32(o.file, 0x4C + i * 4, 0);
            set32(o.file, o.at(first) + o.unit - 4, loops ? first : first + 1);
            set32(o.file, o.at(first + 1) + o.unit - 4, kEnd);
        };
    };
    const std::vector<Case> cases{
        {"sound", 4608, [](Ole&) {}, Container::Ok},
        {"sound, mini", 1024, [](Ole&) {}, Container::Ok},
        {"declared shorter than its chain", 4608, setSize(4607), Container::Ok},
        {"a stream shorter than its declared size", 4608, setSize(4609), Container::Damaged},
        {"declared past the file", 4608, setSize(0x7FFFFFFF), Container::Damaged},
        {"sound, 4096-byte sectors", 12288, [](Ole&) {}, Container::Ok, 4096},
        // Where the sectors are large the size has a high half too.
        {"declared past the file, 4096-byte sectors", 12288,
         [](Ole& o) { set32(o.file, o.entry(1) + 0x7C, 0xFFFFFFFF); }, Container::Damaged, 4096},
        {"last sector cut, every declared byte there", 4600,
         [](Ole& o) { o.file.resize(o.file.size() - 8); }, Container::Ok},
        {"last sector cut one byte into the stream", 4600,
         [](Ole& o) { o.file.resize(o.file.size() - 9); }, Container::Damaged},
        {"a cyclic chain", 4608, [](Ole& o) { o.fat(o.data + 1, o.data); }, Container::Damaged},
        {"a chain ending early", 4608, [](Ole& o) { o.fat(o.data + 7, kEnd); }, Container::Damaged},
        {"a chain leaving the file", 4608, [](Ole& o) { o.fat(o.data + 1, o.data + 9); },
         Container::Damaged},
        {"a cyclic directory chain", 4608, [](Ole& o) { o.fat(o.dir, o.dir); }, Container::Damaged},
        {"FAT sectors named by a DIFAT chain", 4608, difatChain(false), Container::Ok},
        {"a cyclic DIFAT chain", 4608, difatChain(true), Container::Damaged},
        {"a cyclic mini chain", 1024, [](Ole& o) { o.miniFatEntry(1, 0); }, Container::Damaged},
        {"a mini chain leaving the mini stream", 1024, [](Ole& o) { o.miniFatEntry(14, 16); },
         Container::Damaged},
        {"a mini stream shorter than the root declares", 1024,
         [](Ole& o) { set32(o.file, o.entry(0) + 0x78, 1025); }, Container::Damaged},
        {"a directory tree that loops", 4608,
         [](Ole& o) {
             set32(o.file, o.entry(0) + 0x4C, 2);
             set32(o.file, o.entry(2) + 0x44, 2);
         },
         Container::Damaged},
        {"a FAT sector past the file", 4608, [](Ole& o) { set32(o.file, 0x4C, 99); },
         Container::Damaged},
        {"a sector size of 1024", 4608, [](Ole& o) { o.file[0x1E] = 10; }, Container::Damaged},
        {"no stream of that name", 4608, [](Ole& o) { o.file[o.entry(1)] = 'X'; },
         Container::NoStream},
        {"no container", 4608, [](Ole& o) { o.file[0] = 0; }, Container::NotOle},
    };
    for (const Case& c : cases) {
        const Bytes stream = filler(c.size);
        Ole o = ole(stream, c.unit);
        c.damage(o);
        Bytes out;
        EXPECT_EQ(sijill::biff::readStream(o.file, "WORKBOOK", out), c.want) << c.what;
        if (c.want == Container::Ok) {
            EXPECT_TRUE(std::equal(out.begin(), out.end(), stream.begin())) << c.what;
        }
    }
}

// Each check of the walk at its bound: a sound case and the same one byte or
// one item past it.
TEST(BiffWalk, EveryRecordAndStringIsReadWithinItsBounds) {
    // Shared strings of `count` strings held in `body` and `more` (a
    // CONTINUE record), serving one cell.
    const auto sst = [](unsigned count, const Bytes& body, const Bytes& more = {}) {
        Bytes d;
        put32(d, 1);
        put32(d, count);
        d.insert(d.end(), body.begin(), body.end());
        Bytes r = record(0x00FC, d);
        if (!more.empty()) {
            const Bytes c = record(0x003C, more);
            r.insert(r.end(), c.begin(), c.end());
        }
        return r;
    };
    // "hi" with two rich-text runs (4 bytes each) and 3 bytes of phonetic
    // data, the last `cut` bytes of them missing.
    const auto rich = [&](unsigned count, size_t cut, const Bytes& after = {}) {
        Bytes s{2, 0, 0x0C, 2, 0, 3, 0, 0, 0, 'h', 'i'};
        s.resize(s.size() + 11 - cut, 0x11);
        s.insert(s.end(), after.begin(), after.end());
        return sst(count, s);
    };
    // Two Arabic letters of two bytes each, the record ending `into` bytes
    // into the second; the CONTINUE record repeats the flags.
    const auto split = [&](size_t into) {
        Bytes first{2, 0, 1, 0x2C, 0x06, 0x2F, 0x06};
        Bytes more{1};
        more.insert(more.end(), first.end() - 2 + static_cast<long>(into), first.end());
        first.resize(first.size() - 2 + into);
        return sst(1, first, more);
    };
    const auto number = [](size_t size) { return cell(0x0203, 0, 1, Bytes(size - 6, 0)); };
    const auto withEof = [](const Bytes& s, unsigned declared, size_t present) {
        Bytes b(s.begin(), s.end() - 4);
        const Bytes last = record(0x000A, Bytes(present, 0));
        b.insert(b.end(), last.begin(), last.end());
        b[b.size() - present - 2] = static_cast<uint8_t>(declared);
        return b;
    };
    const Bytes dims = dimension(1, 2), text = labelSst(0, 0, 0);
    const Bytes plain = workbook(rich(1, 0), {dims, text});
    struct Case {
        const char* what;
        Bytes stream;
        bool sound;
    };
    const std::vector<Case> cases{
        {"rich text and phonetic data", plain, true},
        {"a rich-text run cut", workbook(rich(1, 1), {dims, text}), false},
        {"a byte after the strings", workbook(rich(1, 0, {0}), {dims, text}), false},
        {"more strings claimed than held", workbook(rich(2, 0), {dims, text}), false},
        {"a text cell naming the string past the last",
         workbook(rich(1, 0), {dims, labelSst(0, 0, 1)}), false},
        {"a cell in the last declared column", workbook(rich(1, 0), {dims, labelSst(0, 1, 0)}),
         true},
        // Writers that store the last column in the size record: one past
        // it is read where the row's record spans the cell.
        {"a cell past it", workbook(rich(1, 0), {dims, rowRecord(0, 0, 3), labelSst(0, 2, 0)}),
         true},
        {"a cell past it and its row record's span",
         workbook(rich(1, 0), {dims, rowRecord(0, 0, 2), labelSst(0, 2, 0)}), false},
        {"a cell past it, before its row record's span",
         workbook(rich(1, 0), {dims, rowRecord(0, 3, 4), labelSst(0, 2, 0)}), false},
        {"a cell two past it", workbook(rich(1, 0), {dims, rowRecord(0, 0, 4), labelSst(0, 3, 0)}),
         false},
        {"a cell in column IV, the last there is",
         workbook(rich(1, 0), {dimension(1, 0x100), text, labelSst(0, 0xFF, 0)}), true},
        {"a string going on in a CONTINUE record", workbook(split(0), {dims, text}), true},
        {"a character split between two records", workbook(split(1), {dims, text}), false},
        {"a record of the longest length",
         workbook(rich(1, 0), {dims, text, record(0x00EC, Bytes(8224, 0))}), true},
        {"a record one byte longer",
         workbook(rich(1, 0), {dims, text, record(0x00EC, Bytes(8225, 0))}), false},
        {"a number record of its length", workbook(rich(1, 0), {dims, text, number(14)}), true},
        {"a number record one byte longer", workbook(rich(1, 0), {dims, text, number(15)}), false},
        {"the last record ending the stream", withEof(plain, 1, 1), true},
        {"a record one byte past its stream", withEof(plain, 2, 1), false},
    };
    for (const Case& c : cases) {
        Workbook book;
        SheetCells cells;
        const bool read =
            book.openStream(c.stream) && book.readSheet(0, cells) && book.checkStringReferences();
        EXPECT_EQ(read, c.sound) << c.what << ": " << book.fault().detail;
        if (read && c.stream == plain) {
            EXPECT_EQ(*cells.find(0, 0)->text, "hi");
        }
    }
}

namespace {

struct ReaderRun {
    int status = 0;   // as wait4 gives it
    long peakKiB = 0; // the reader's largest resident size
    std::string output;
};

// Runs the reader program on `path` as the import does, with
// SIJILL_READER_ESCAPE set to `escape` when one is given; "no-box" runs it
// where the kernel refuses it a filter of its own. A forked child
// starts from this process's present size, not its peak, so the peak read
// back is the reader's own wherever this process is the smaller.
ReaderRun runReader(const std::string& path, const char* escape = nullptr) {
    const std::string outPath = path + ".out";
    const char* argv[] = {SIJILL_XLS_READER_PATH, path.c_str(), nullptr};
    ReaderRun run;
    const pid_t pid = fork();
    if (pid == 0) {
        // The output file stands at descriptor 3 too: a descriptor the
        // reader inherits and must not write.
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || dup2(out, 1) < 0 || dup2(out, 3) < 0 ||
            (escape && setenv("SIJILL_READER_ESCAPE", escape, 1)))
            _exit(127);
        if (escape && std::strcmp(escape, "no-box") == 0) {
            scmp_filter_ctx refuse = seccomp_init(SCMP_ACT_ALLOW);
            for (const int call : {SCMP_SYS(seccomp), SCMP_SYS(prctl)})
                seccomp_rule_add(refuse, SCMP_ACT_ERRNO(EPERM), call, 0);
            if (!refuse || seccomp_load(refuse) != 0)
                _exit(127);
        }
        execv(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    rusage usage{};
    if (pid < 0 || wait4(pid, &run.status, 0, &usage) != pid)
        return {-1, 0, {}};
    run.peakKiB = usage.ru_maxrss;
    std::ifstream out(outPath, std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(out), {});
    return run;
}

std::string writeFile(const QTemporaryDir& dir, const char* name, const Bytes& bytes) {
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path;
}

} // namespace

// Crafted files that once made the reader hold hundreds of times their size
// are refused with its peak within a small multiple of it.
TEST(ReaderProgram, CraftedFilesAreRefusedInLittleMemory) {
    QTemporaryDir dir;
    std::vector<std::string> files;
    {
        // A 2 MB stream whose chain turns back to its start two sectors
        // before its end, in a FAT that lists its first sector 4,000 times
        // over (through 31 DIFAT sectors taken from the stream).
        Ole cyclic = ole(filler(2 << 20));
        cyclic.fat(cyclic.data + cyclic.sectors - 2, cyclic.data);
        const uint32_t difat = cyclic.data + 100;
        set32(cyclic.file, 0x2C, 4000);
        for (size_t slot = 0x4C + 4 * cyclic.dir; slot < 512; slot += 4)
            set32(cyclic.file, slot, 0);
        set32(cyclic.file, 0x44, difat);
        set32(cyclic.file, 0x48, 31);
        for (uint32_t s = 0; s < 31; ++s) {
            const size_t at = cyclic.at(difat + s);
            std::fill(cyclic.file.begin() + static_cast<long>(at),
                      cyclic.file.begin() + static_cast<long>(at + 508), 0);
            set32(cyclic.file, at + 508, s < 30 ? difat + s + 1 : kEnd);
        }
        files.push_back(writeFile(dir, "cyclic.xls", cyclic.file));
        // Shared strings claiming 15 million strings, one string and 16 MB
        // of CONTINUE records after it.
        Bytes claim;
        put32(claim, 1);
        put32(claim, 15000000);
        claim.insert(claim.end(), {1, 0, 0, 'a'});
        Bytes strings = record(0x00FC, claim);
        const Bytes more = record(0x003C, Bytes(8224, 0xFF));
        for (int i = 0; i < 2040; ++i)
            strings.insert(strings.end(), more.begin(), more.end());
        files.push_back(
            writeFile(dir, "claiming.xls",
                      ole(workbook(strings, {dimension(1, 1), labelSst(0, 0, 0)})).file));
    }
    for (const std::string& name : files) {
        const ReaderRun run = runReader(name);
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 2) << name;
        // Refused by the checks, not by the cap on memory.
        EXPECT_NE(run.output.find("FAULT\tDAMAGED"), std::string::npos) << name;
        EXPECT_EQ(run.output.find("memory"), std::string::npos) << name;
        EXPECT_LT(run.peakKiB, 64 * 1024) << name;
    }
}

// Inside its box the reader can do nothing but read its file and report:
// opening a file for writing, a socket, running a program, writing to a
// descriptor it inherited or any call not listed ends it, and memory past its
// cap is refused; the import reports the workbook damaged, naming it.
TEST(ReaderProgram, TheBoxEndsTheReaderOnAnyOtherCall) {
    sijill::test::useBuiltReader();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("boxed.xls"));
    ASSERT_TRUE(QFile::copy(sijill::test::fixture(QStringLiteral("students.xls")), path));
    const std::string file = path.toStdString();
    ASSERT_EQ(runReader(file).status, 0);
    // Without its box the reader parses nothing.
    const ReaderRun unboxed = runReader(file, "no-box");
    EXPECT_TRUE(WIFEXITED(unboxed.status) && WEXITSTATUS(unboxed.status) == 2);
    EXPECT_EQ(unboxed.output,
              "SIJILL-XLS 2\nFAULT\tBOX\t\t-1\t-1\tthe reader's box cannot be set up\n");
    for (const char* escape :
         {"write-open", "socket", "exec", "kill", "write-inherited", "allocate"}) {
        const ReaderRun run = runReader(file, escape);
        if (std::strcmp(escape, "allocate") == 0) {
            EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 2);
            EXPECT_NE(run.output.find("more memory than allowed"), std::string::npos);
        } else {
            EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGSYS) << escape;
        }
        EXPECT_FALSE(QFile::exists(path + QStringLiteral(".escaped"))) << escape;
        EXPECT_EQ(run.output.find("ESCAPED"), std::string::npos) << escape;

        qputenv("SIJILL_READER_ESCAPE", escape);
        const sijill::students::WorkbookRead read = sijill::students::readWorkbook(path, {});
        qunsetenv("SIJILL_READER_ESCAPE");
        EXPECT_FALSE(read.ok) << escape;
        EXPECT_TRUE(read.error.contains(QStringLiteral("تالف")) &&
                    read.error.contains(QStringLiteral("boxed.xls")))
            << read.error.toStdString();
    }
}
