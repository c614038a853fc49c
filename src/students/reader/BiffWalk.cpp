#include "BiffWalk.h"

#include "Bytes.h"
#include "CompoundFile.h"

#include <algorithm>
#include <cstring>

namespace sijill::biff {

namespace {

enum : uint16_t {
    kBof = 0x0809,
    kEof = 0x000A,
    kContinue = 0x003C,
    kFilePass = 0x002F,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kDimension = 0x0200,
    kRow = 0x0208,
    kLabelSst = 0x00FD,
    kLabel = 0x0204,
    kRString = 0x00D6,
    kNumber = 0x0203,
    kRk = 0x027E,
    kMulRk = 0x00BD,
    kBlank = 0x0201,
    kMulBlank = 0x00BE,
    kBoolErr = 0x0205,
    kFormula = 0x0006,
    kFormula4 = 0x0406, // the older type, still written by some programs
    kString = 0x0207,
    kShrFmla = 0x04BC,
    kArray = 0x0221,
    kTable = 0x0236,
    kIndex = 0x020B,
    kDbCell = 0x00D7,
};

constexpr uint16_t kBiff8 = 0x0600;
constexpr uint16_t kGlobals = 0x0005;
constexpr uint16_t kWorksheet = 0x0010;
constexpr size_t kMaxRecord = 8224;

double f64(const uint8_t* p) {
    uint64_t bits = static_cast<uint64_t>(u32(p)) | static_cast<uint64_t>(u32(p + 4)) << 32;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double rkValue(uint32_t rk, bool& integer) {
    double d;
    if (rk & 2) {
        d = static_cast<double>(static_cast<int32_t>(rk) >> 2);
        integer = !(rk & 1);
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&d, &bits, sizeof d);
        integer = false;
    }
    return (rk & 1) ? d / 100 : d;
}

struct Record {
    uint16_t type = 0;
    size_t at = 0; // start of the data
    size_t size = 0;
};

enum class Step { Ok, End, Cut, Overrun, TooLong };

Step nextRecord(const std::vector<uint8_t>& s, size_t& pos, Record& r) {
    if (pos == s.size())
        return Step::End;
    if (pos + 4 > s.size())
        return Step::Cut;
    r.type = u16(&s[pos]);
    r.size = u16(&s[pos + 2]);
    r.at = pos + 4;
    if (r.size > kMaxRecord)
        return Step::TooLong;
    if (r.at + r.size > s.size())
        return Step::Overrun;
    pos = r.at + r.size;
    return Step::Ok;
}

const char* stepText(Step s) {
    switch (s) {
    case Step::End:
        return "the stream ends without its EOF record";
    case Step::Cut:
        return "a record header is cut by the end of the stream";
    case Step::Overrun:
        return "a record runs past the end of the stream";
    case Step::TooLong:
        return "a record is longer than a record may be";
    case Step::Ok:
        break;
    }
    return "";
}

// The data of a record and of the CONTINUE records after it, read as one.
class Segments {
public:
    void add(const uint8_t* p, size_t n) {
        parts_.push_back({p, n});
        left_ += n;
    }
    bool byte(uint8_t& b) {
        if (!skipEmpty())
            return false;
        b = parts_[seg_].first[pos_++];
        --left_;
        return true;
    }
    bool read(uint8_t* out, size_t n) {
        for (size_t i = 0; i < n; ++i)
            if (!byte(out[i]))
                return false;
        return true;
    }
    bool skip(size_t n) {
        while (n > 0) {
            if (!skipEmpty())
                return false;
            const size_t take = std::min(n, parts_[seg_].second - pos_);
            pos_ += take;
            left_ -= take;
            n -= take;
        }
        return true;
    }
    // Bytes left in the current part; 0 at its end.
    size_t leftInPart() const { return seg_ < parts_.size() ? parts_[seg_].second - pos_ : 0; }
    // Bytes left in every part: what a claimed count may be measured against.
    size_t left() const { return left_; }
    bool nextPart() {
        if (seg_ + 1 >= parts_.size())
            return false;
        left_ -= leftInPart();
        ++seg_;
        pos_ = 0;
        return true;
    }
    bool atEnd() const {
        if (seg_ >= parts_.size())
            return true;
        if (pos_ < parts_[seg_].second)
            return false;
        for (size_t i = seg_ + 1; i < parts_.size(); ++i)
            if (parts_[i].second)
                return false;
        return true;
    }

private:
    bool skipEmpty() {
        while (seg_ < parts_.size() && pos_ >= parts_[seg_].second) {
            ++seg_;
            pos_ = 0;
        }
        return seg_ < parts_.size();
    }
    std::vector<std::pair<const uint8_t*, size_t>> parts_;
    size_t seg_ = 0, pos_ = 0, left_ = 0;
};

void putUtf8(uint32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// An Excel unicode string: its length in `lengthBytes` (1 or 2) bytes, its
// option flags, then its characters, which may go on in a CONTINUE record
// that starts with flags of its own; rich-text runs and phonetic data after
// them are skipped.
bool readUnicodeString(Segments& in, int lengthBytes, std::string& out) {
    uint8_t head[2] = {0, 0};
    if (!in.read(head, static_cast<size_t>(lengthBytes)))
        return false;
    size_t count = lengthBytes == 2 ? u16(head) : head[0];
    uint8_t flags = 0;
    if (!in.byte(flags) || (flags & ~0x0D))
        return false;
    uint8_t word[4];
    size_t runs = 0, extra = 0;
    if (flags & 0x08) {
        if (!in.read(word, 2))
            return false;
        runs = u16(word);
    }
    if (flags & 0x04) {
        if (!in.read(word, 4))
            return false;
        extra = u32(word);
    }
    bool wide = flags & 0x01;
    out.clear();
    out.reserve(std::min(count, in.left()) * 2);
    uint32_t high = 0; // a surrogate waiting for its pair
    while (count > 0) {
        if (in.leftInPart() == 0) {
            uint8_t again = 0;
            if (!in.nextPart() || !in.byte(again) || (again & ~0x01))
                return false;
            wide = again & 0x01;
            continue;
        }
        uint8_t c[2] = {0, 0};
        if (wide ? in.leftInPart() < 2 || !in.read(c, 2) : !in.byte(c[0]))
            return false;
        const uint32_t unit = u16(c);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (high)
                return false;
            high = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (!high)
                return false;
            putUtf8(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), out);
            high = 0;
        } else {
            if (high)
                return false;
            putUtf8(unit, out);
        }
        --count;
    }
    return !high && in.skip(runs * 4) && in.skip(extra);
}

bool validError(int code) {
    switch (code) {
    case 0x00:
    case 0x07:
    case 0x0F:
    case 0x17:
    case 0x1D:
    case 0x24:
    case 0x2A:
        return true;
    default:
        return false;
    }
}

// The record types a worksheet's records may have, from the format's
// enumeration: a type outside it is a damaged record, often a cell record
// whose type was changed and whose cell would be lost unseen.
bool knownSheetRecord(uint16_t type, const uint8_t* d, size_t size) {
    static const uint16_t kTypes[] = {
        0x0000, 0x0006, 0x000A, 0x000C, 0x000D, 0x000E, 0x000F, 0x0010, 0x0011, 0x0012, 0x0013,
        0x0014, 0x0015, 0x0017, 0x0018, 0x0019, 0x001A, 0x001B, 0x001C, 0x001D, 0x0022, 0x0023,
        0x0026, 0x0027, 0x0028, 0x0029, 0x002A, 0x002B, 0x002F, 0x0031, 0x0033, 0x003C, 0x003D,
        0x0040, 0x0041, 0x0042, 0x004D, 0x0050, 0x0051, 0x0052, 0x0055, 0x0059, 0x005A, 0x005B,
        0x005C, 0x005D, 0x005E, 0x005F, 0x0060, 0x0061, 0x0063, 0x007D, 0x007F, 0x0080, 0x0081,
        0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087, 0x0088, 0x0089, 0x008C, 0x008D, 0x0090,
        0x0091, 0x0092, 0x0094, 0x0095, 0x0096, 0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D,
        0x009E, 0x00A0, 0x00A1, 0x00A9, 0x00AB, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B4,
        0x00B5, 0x00B6, 0x00B8, 0x00B9, 0x00BC, 0x00BD, 0x00BE, 0x00C1, 0x00C2, 0x00C3, 0x00C5,
        0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0,
        0x00D1, 0x00D2, 0x00D3, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DC, 0x00DD,
        0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E5, 0x00E9, 0x00EA, 0x00EB, 0x00EC,
        0x00ED, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F4, 0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9,
        0x00FB, 0x00FC, 0x00FD, 0x00FF, 0x0100, 0x0103, 0x0122, 0x0137, 0x0138, 0x013B, 0x013D,
        0x013E, 0x013F, 0x0140, 0x0141, 0x014A, 0x014B, 0x014D, 0x014E, 0x014F, 0x0150, 0x0151,
        0x0152, 0x0153, 0x0154, 0x0155, 0x0156, 0x0157, 0x0158, 0x0159, 0x015A, 0x015B, 0x015C,
        0x015D, 0x015E, 0x015F, 0x0160, 0x0161, 0x0162, 0x0169, 0x016A, 0x016B, 0x016C, 0x016D,
        0x016E, 0x016F, 0x0170, 0x0171, 0x0172, 0x0173, 0x0174, 0x0175, 0x0176, 0x0177, 0x0178,
        0x0179, 0x017A, 0x017B, 0x017C, 0x017D, 0x017E, 0x0180, 0x0181, 0x0182, 0x01A5, 0x01A9,
        0x01AA, 0x01AB, 0x01AD, 0x01AE, 0x01AF, 0x01B0, 0x01B1, 0x01B2, 0x01B5, 0x01B6, 0x01B7,
        0x01B8, 0x01B9, 0x01BA, 0x01BB, 0x01BC, 0x01BD, 0x01BE, 0x01C0, 0x01C1, 0x01C2, 0x0200,
        0x0201, 0x0203, 0x0204, 0x0205, 0x0207, 0x0208, 0x020B, 0x0218, 0x0221, 0x0223, 0x0225,
        0x0231, 0x0236, 0x023E, 0x027E, 0x0293, 0x0406, 0x041E, 0x04BC, 0x0800, 0x0801, 0x0802,
        0x0803, 0x0804, 0x0805, 0x0806, 0x0807, 0x0808, 0x0809, 0x080A, 0x080B, 0x080C, 0x080D,
        0x080E, 0x080F, 0x0810, 0x0812, 0x0813};
    if (std::binary_search(std::begin(kTypes), std::end(kTypes), type))
        return true;
    // Records of later versions carry their own type again in a header.
    return type >= 0x0850 && type <= 0x08FF && size >= 2 && u16(d) == type;
}

// The records of a sheet's cell table: rows, cells, a formula's companions
// and the row block indexes.
bool inCellTable(uint16_t type) {
    switch (type) {
    case kRow:
    case kBlank:
    case kNumber:
    case kLabel:
    case kBoolErr:
    case kMulRk:
    case kMulBlank:
    case kLabelSst:
    case kRString:
    case kRk:
    case kFormula:
    case kFormula4:
    case kString:
    case kShrFmla:
    case kArray:
    case kTable:
    case kDbCell:
        return true;
    default:
        return false;
    }
}

// A ROW record: the row and its columns [first, end).
struct RowSpan {
    uint32_t row;
    uint16_t first, end;
};

const RowSpan* findRow(const std::vector<RowSpan>& sorted, uint32_t row) {
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), row,
                                     [](const RowSpan& r, uint32_t want) { return r.row < want; });
    return at != sorted.end() && at->row == row ? &*at : nullptr;
}

bool insideDeclaredSize(const SheetCells& s, uint32_t row, uint16_t column) {
    return row >= s.firstRow && row < s.endRow && column >= s.firstColumn && column < s.endColumn;
}

// Some writers store the sheet's last row and column in its size record
// where the format wants one past them, so their last cells stand one row
// or column beyond it. Such a cell is read where its row record spans it: a
// cell whose row or column bytes changed lands outside its row's span, or
// in a row without a record, and stays refused.
bool writtenWithLastIndex(const SheetCells& s, const RowSpan* rowRecord, uint32_t row,
                          uint16_t column) {
    return row >= s.firstRow && row <= s.endRow && column >= s.firstColumn &&
           column <= s.endColumn && rowRecord && column >= rowRecord->first &&
           column < rowRecord->end;
}

} // namespace

const char* valueText(const Cell& cell) {
    if (cell.kind == Cell::Kind::Bool)
        return cell.code ? "TRUE" : "FALSE";
    switch (cell.code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    default:
        return "#N/A";
    }
}

bool Workbook::fail(Fault::Kind kind, const std::string& sheet, const std::string& detail, long row,
                    int column) {
    fault_ = {kind, sheet, row, column, detail};
    return false;
}

bool Workbook::openFile(const std::vector<uint8_t>& file) {
    // Excel 2.x to 4.0 wrote the records bare, without a container, starting
    // with their BOF record.
    if (file.size() >= 8) {
        const uint16_t type = u16(file.data()), size = u16(&file[2]);
        if ((type == 0x0009 || type == 0x0209 || type == 0x0409 || type == kBof) && size >= 4 &&
            size <= 20)
            return fail(Fault::Kind::OldFormat, {}, "a workbook older than Excel 97");
    }
    std::vector<uint8_t> stream;
    switch (readStream(file, "Workbook", stream)) {
    case Container::Ok:
        return openStream(std::move(stream));
    case Container::NotOle:
        return fail(Fault::Kind::NotOle, {}, "no OLE2 container");
    case Container::Damaged:
        return fail(Fault::Kind::Damaged, {}, "the OLE2 container is damaged");
    case Container::NoStream:
        break;
    }
    // Excel 5 and 95 named the stream "Book"; its BOF tells the version.
    if (readStream(file, "Book", stream) == Container::Ok)
        return openStream(std::move(stream));
    return fail(Fault::Kind::NotOle, {}, "no workbook stream");
}

bool Workbook::openStream(std::vector<uint8_t> stream) {
    stream_ = std::move(stream);
    sheets_.clear();
    strings_.clear();
    declaredReferences_ = 0;
    fault_ = {};
    return readGlobals();
}

bool Workbook::readGlobals() {
    size_t pos = 0;
    Record r;
    Step step = nextRecord(stream_, pos, r);
    if (step != Step::Ok || r.type != kBof || r.size < 4)
        return fail(step == Step::Ok ? Fault::Kind::OldFormat : Fault::Kind::Damaged, {},
                    "the workbook does not start with a BOF record");
    if (u16(&stream_[r.at]) != kBiff8)
        return fail(Fault::Kind::OldFormat, {}, "not a BIFF8 workbook");
    if (u16(&stream_[r.at + 2]) != kGlobals)
        return fail(Fault::Kind::Damaged, {}, "the first BOF is not the workbook's");
    bool haveSst = false;
    for (;;) {
        step = nextRecord(stream_, pos, r);
        if (step != Step::Ok)
            return fail(Fault::Kind::Damaged, {}, stepText(step));
        const uint8_t* d = &stream_[r.at];
        switch (r.type) {
        case kEof:
            return true;
        case kBof:
            return fail(Fault::Kind::Damaged, {}, "the workbook records lack their EOF");
        case kFilePass:
            return fail(Fault::Kind::Encrypted, {}, "the workbook is encrypted");
        case kBoundSheet: {
            Segments in;
            if (r.size > 6)
                in.add(d + 6, r.size - 6);
            SheetEntry e;
            if (r.size < 8 || !readUnicodeString(in, 1, e.name) || !in.atEnd())
                return fail(Fault::Kind::Damaged, {}, "a sheet entry cannot be read");
            e.offset = u32(d);
            e.worksheet = d[5] == 0;
            sheets_.push_back(std::move(e));
            break;
        }
        case kSst: {
            if (haveSst || r.size < 8)
                return fail(Fault::Kind::Damaged, {}, "the shared strings cannot be read");
            haveSst = true;
            Segments in;
            in.add(d + 8, r.size - 8);
            // The CONTINUE records that carry the rest of the table.
            size_t peek = pos;
            Record c;
            while (nextRecord(stream_, peek, c) == Step::Ok && c.type == kContinue) {
                in.add(&stream_[c.at], c.size);
                pos = peek;
            }
            declaredReferences_ = u32(d);
            // The claimed count is believed only as far as the records could
            // hold it: a string takes at least three bytes.
            const uint32_t unique = u32(d + 4);
            strings_.reserve(std::min<size_t>(unique, in.left() / 3));
            for (uint32_t i = 0; i < unique; ++i)
                if (!readUnicodeString(in, 2, strings_.emplace_back()))
                    return fail(Fault::Kind::Damaged, {}, "a shared string cannot be read");
            if (!in.atEnd())
                return fail(Fault::Kind::Damaged, {},
                            "the shared strings do not fill their records exactly");
            break;
        }
        default:
            break;
        }
    }
}

bool Workbook::readSheet(size_t index, SheetCells& out) {
    out = {};
    if (index >= sheets_.size())
        return fail(Fault::Kind::Damaged, {}, "no such sheet");
    const SheetEntry& entry = sheets_[index];
    // Room for every cell record the sheet's bytes could hold, so that the
    // cells are seldom moved.
    if (entry.offset < stream_.size())
        out.cells.reserve((stream_.size() - entry.offset) / 10);
    const std::string& name = entry.name;
    size_t pos = entry.offset;
    Record r;
    Step step = nextRecord(stream_, pos, r);
    if (step != Step::Ok || r.type != kBof || r.size < 4 || u16(&stream_[r.at]) != kBiff8 ||
        u16(&stream_[r.at + 2]) != kWorksheet)
        return fail(Fault::Kind::Damaged, name, "the sheet does not start with a worksheet BOF");

    bool haveDimension = false;
    std::vector<RowSpan> rowsSeen;                       // the ROW records
    std::vector<size_t> rowRecords;                      // where each ROW record starts
    std::vector<size_t> dbCells;                         // where each DBCELL record starts
    std::vector<std::pair<size_t, uint32_t>> dbCellRows; // a DBCELL and its first ROW's offset
    std::vector<uint32_t> indexed;                       // the DBCELL offsets of the INDEX record
    int depth = 0;                                       // inside an embedded chart's records
    bool tableStarted = false, tableEnded = false;
    long pendingRow = -1;
    int pendingColumn = -1; // a formula whose text value must follow
    size_t pendingCell = 0;
    auto put = [&](uint32_t row, uint32_t column, const Cell& cell) {
        if (column > 0xFF)
            return fail(Fault::Kind::CellUnreadable, name, "a column past IV", row,
                        static_cast<int>(column));
        out.cells.emplace_back(SheetCells::key(row, static_cast<uint16_t>(column)), cell);
        return true;
    };
    auto bad = [&](uint32_t row, uint32_t column, const char* what) {
        return fail(Fault::Kind::CellUnreadable, name, what, row, static_cast<int>(column));
    };

    for (;;) {
        const size_t start = pos;
        step = nextRecord(stream_, pos, r);
        if (step != Step::Ok)
            return fail(Fault::Kind::Damaged, name, stepText(step));
        const uint8_t* d = &stream_[r.at];
        if (pendingRow >= 0 && r.type != kString && r.type != kShrFmla && r.type != kArray &&
            r.type != kTable)
            return bad(static_cast<uint32_t>(pendingRow), static_cast<uint32_t>(pendingColumn),
                       "a formula's text value is missing");
        if (r.type == kBof) {
            if (r.size < 4 || u16(d + 2) == kWorksheet || u16(d + 2) == kGlobals)
                return fail(Fault::Kind::Damaged, name, "the sheet's records lack their EOF");
            ++depth;
            continue;
        }
        if (r.type == kEof) {
            if (depth-- > 0)
                continue;
            break;
        }
        if (depth > 0)
            continue;
        // The rows and cells stand together in the sheet's cell table; a row
        // or cell record after the table has ended is one whose neighbour
        // lost its type.
        if (inCellTable(r.type)) {
            if (tableEnded)
                return fail(Fault::Kind::Damaged, name,
                            "a row or cell record after the sheet's cell table", -1);
            tableStarted = true;
        } else if (tableStarted && r.type != kContinue) {
            tableEnded = true;
        }
        if (!knownSheetRecord(r.type, d, r.size))
            return fail(Fault::Kind::Damaged, name,
                        "a record of no type the format knows: " + std::to_string(r.type), -1);
        const uint32_t row = r.size >= 4 ? u16(d) : 0;
        const uint32_t column = r.size >= 4 ? u16(d + 2) : 0;
        Cell cell;
        switch (r.type) {
        case kDimension:
            if (haveDimension || r.size < 14)
                return fail(Fault::Kind::Damaged, name, "the sheet's size cannot be read");
            haveDimension = true;
            out.firstRow = u32(d);
            out.endRow = u32(d + 4);
            out.firstColumn = u16(d + 8);
            out.endColumn = u16(d + 10);
            if (out.endRow < out.firstRow || out.endColumn < out.firstColumn ||
                out.endColumn > 0x100 || out.endRow > 0x10000)
                return fail(Fault::Kind::Damaged, name, "the sheet's size is impossible");
            break;
        case kRow:
            if (r.size != 16 || u16(d + 4) < u16(d + 2))
                return fail(Fault::Kind::Damaged, name, "a row record cannot be read", row);
            rowsSeen.push_back({row, u16(d + 2), u16(d + 4)});
            rowRecords.push_back(start);
            break;
        case kIndex:
            if (r.size < 16 || (r.size - 16) % 4 != 0 || !indexed.empty())
                return fail(Fault::Kind::Damaged, name, "the row index cannot be read");
            for (size_t i = 16; i < r.size; i += 4)
                indexed.push_back(u32(d + i));
            break;
        case kDbCell:
            if (r.size < 4 || r.size % 2 != 0)
                return fail(Fault::Kind::Damaged, name, "a row block index cannot be read");
            dbCells.push_back(start);
            dbCellRows.emplace_back(start, u32(d));
            break;
        case kLabelSst: {
            if (r.size != 10)
                return bad(row, column, "a text cell record has the wrong length");
            const uint32_t isst = u32(d + 6);
            if (isst >= strings_.size())
                return bad(row, column, "a text cell names no shared string");
            cell.kind = Cell::Kind::Text;
            cell.text = &strings_[isst];
            if (!put(row, column, std::move(cell)))
                return false;
            break;
        }
        case kLabel:
        case kRString: {
            Segments in;
            if (r.size > 6)
                in.add(d + 6, r.size - 6);
            cell.kind = Cell::Kind::Text;
            cell.text = &out.texts.emplace_back();
            if (r.size < 9 || !readUnicodeString(in, 2, out.texts.back()))
                return bad(row, column, "a text cell record cannot be read");
            if (!put(row, column, std::move(cell)))
                return false;
            break;
        }
        case kNumber:
            if (r.size != 14)
                return bad(row, column, "a number cell record has the wrong length");
            cell.kind = Cell::Kind::Number;
            cell.number = f64(d + 6);
            if (!put(row, column, std::move(cell)))
                return false;
            break;
        case kRk:
            if (r.size != 10)
                return bad(row, column, "a number cell record has the wrong length");
            cell.kind = Cell::Kind::Number;
            cell.number = rkValue(u32(d + 6), cell.integer);
            if (!put(row, column, std::move(cell)))
                return false;
            break;
        case kBlank:
            if (r.size != 6)
                return bad(row, column, "a blank cell record has the wrong length");
            if (!put(row, column, cell))
                return false;
            break;
        case kMulRk:
        case kMulBlank: {
            const size_t each = r.type == kMulRk ? 6 : 2;
            if (r.size < 6 + each || (r.size - 6) % each != 0)
                return bad(row, column, "a cell run record has the wrong length");
            const size_t n = (r.size - 6) / each;
            if (u16(d + r.size - 2) != column + n - 1)
                return bad(row, column, "a cell run record's last column does not match");
            for (size_t i = 0; i < n; ++i) {
                Cell c;
                if (r.type == kMulRk) {
                    c.kind = Cell::Kind::Number;
                    c.number = rkValue(u32(d + 4 + i * 6 + 2), c.integer);
                }
                if (!put(row, static_cast<uint32_t>(column + i), std::move(c)))
                    return false;
            }
            break;
        }
        case kBoolErr:
            if (r.size < 8 || d[7] > 1 || (d[7] == 0 && d[6] > 1) ||
                (d[7] == 1 && !validError(d[6])))
                return bad(row, column, "a boolean or error cell record cannot be read");
            cell.kind = d[7] ? Cell::Kind::Error : Cell::Kind::Bool;
            cell.code = d[6];
            if (!put(row, column, std::move(cell)))
                return false;
            break;
        case kFormula:
        case kFormula4: {
            if (r.size < 22 || 22u + u16(d + 20) > r.size)
                return bad(row, column, "a formula cell record cannot be read");
            cell.formula = true;
            const uint8_t* v = d + 6;
            if (u16(v + 6) != 0xFFFF) {
                cell.kind = Cell::Kind::Number;
                cell.number = f64(v);
            } else if (v[0] == 0) {
                cell.kind = Cell::Kind::Text; // its text is in the STRING record after it
                pendingRow = row;
                pendingColumn = static_cast<int>(column);
                pendingCell = out.cells.size();
            } else if (v[0] == 1 && v[2] <= 1) {
                cell.kind = Cell::Kind::Bool;
                cell.code = v[2];
            } else if (v[0] == 2 && validError(v[2])) {
                cell.kind = Cell::Kind::Error;
                cell.code = v[2];
            } else if (v[0] == 3) {
                cell.kind = Cell::Kind::Text;
            } else {
                return bad(row, column, "a formula's stored value cannot be read");
            }
            if (!put(row, column, std::move(cell)))
                return false;
            break;
        }
        case kString: {
            if (pendingRow < 0)
                return fail(Fault::Kind::Damaged, name, "a formula text without its formula");
            Segments in;
            in.add(d, r.size);
            size_t peek = pos;
            Record c;
            while (nextRecord(stream_, peek, c) == Step::Ok && c.type == kContinue) {
                in.add(&stream_[c.at], c.size);
                pos = peek;
            }
            std::string& text = out.texts.emplace_back();
            out.cells[pendingCell].second.text = &text;
            if (!readUnicodeString(in, 2, text) || !in.atEnd())
                return bad(static_cast<uint32_t>(pendingRow), static_cast<uint32_t>(pendingColumn),
                           "a formula's text value cannot be read");
            pendingRow = -1;
            break;
        }
        default:
            break;
        }
    }

    if (!haveDimension)
        return fail(Fault::Kind::Damaged, name, "the sheet declares no size");
    auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(out.cells.begin(), out.cells.end(), byKey))
        std::stable_sort(out.cells.begin(), out.cells.end(), byKey);
    for (size_t i = 1; i < out.cells.size(); ++i)
        if (out.cells[i].first == out.cells[i - 1].first)
            return fail(Fault::Kind::Damaged, name, "two cell records for one cell",
                        static_cast<long>(out.cells[i].first >> 16),
                        static_cast<int>(out.cells[i].first & 0xFFFF));
    // The declared rows end at the last row that holds a cell or has a row
    // record (its height or format); writers count such rows too.
    std::sort(rowsSeen.begin(), rowsSeen.end(),
              [](const RowSpan& a, const RowSpan& b) { return a.row < b.row; });
    if (std::adjacent_find(rowsSeen.begin(), rowsSeen.end(),
                           [](const RowSpan& a, const RowSpan& b) { return a.row == b.row; }) !=
        rowsSeen.end())
        return fail(Fault::Kind::Damaged, name, "two row records for one row");
    bool lastRowHeld = out.endRow == out.firstRow || findRow(rowsSeen, out.endRow - 1);
    for (const auto& [key, cell] : out.cells) {
        const uint32_t row = static_cast<uint32_t>(key >> 16);
        const uint16_t column = static_cast<uint16_t>(key & 0xFFFF);
        if (!insideDeclaredSize(out, row, column) &&
            !writtenWithLastIndex(out, findRow(rowsSeen, row), row, column))
            return fail(Fault::Kind::Damaged, name, "a cell outside the sheet's declared size", row,
                        column);
        // Where the size was written with the last index, the last row is
        // the one the size names.
        if (row + 1 == out.endRow || row == out.endRow)
            lastRowHeld = true;
    }
    if (!lastRowHeld)
        return fail(Fault::Kind::Damaged, name, "the last declared row holds nothing",
                    static_cast<long>(out.endRow) - 1);
    // Where the writer kept row indexes, each points at the record it names.
    for (const auto& [at, back] : dbCellRows)
        if (back != 0 &&
            (back > at || !std::binary_search(rowRecords.begin(), rowRecords.end(), at - back)))
            return fail(Fault::Kind::Damaged, name, "a row block does not start at a row record");
    return true;
}

bool Workbook::checkStringReferences() {
    uint64_t seen = 0;
    size_t pos = 0;
    Record r;
    while (nextRecord(stream_, pos, r) == Step::Ok)
        seen += r.type == kLabelSst;
    if (seen < declaredReferences_)
        return fail(Fault::Kind::Damaged, {}, "text cells are missing from the sheets");
    return true;
}

const Cell* SheetCells::find(uint32_t row, uint16_t column) const {
    const uint64_t k = key(row, column);
    const auto at = std::lower_bound(cells.begin(), cells.end(), k,
                                     [](const auto& c, uint64_t want) { return c.first < want; });
    return at != cells.end() && at->first == k ? &at->second : nullptr;
}

} // namespace sijill::biff
