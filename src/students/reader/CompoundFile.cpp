#include "CompoundFile.h"
#include "Bytes.h"

#include <algorithm>
#include <cstring>

namespace sijill::biff {

namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderDifat = 109;
constexpr uint64_t kWholeChain = UINT64_MAX; // a chain whose size is not declared

class Compound {
public:
    explicit Compound(const std::vector<uint8_t>& file) : file_(file) {}

    Container open() {
        static const uint8_t kMagic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (file_.size() < 512 || std::memcmp(file_.data(), kMagic, 8) != 0)
            return Container::NotOle;
        const uint8_t* h = file_.data();
        const uint16_t shift = u16(h + 0x1E);
        if (u16(h + 0x1C) != 0xFFFE || (shift != 9 && shift != 12) || u16(h + 0x20) != 6)
            return Container::Damaged;
        sector_ = size_t{1} << shift;
        miniCutoff_ = u32(h + 0x38);
        // The sectors that hold the allocation table: 109 named in the
        // header, the rest in a chain of DIFAT sectors.
        const uint32_t fatSectors = u32(h + 0x2C);
        if (fatSectors > file_.size() / sector_ + 1)
            return Container::Damaged;
        std::vector<uint32_t> fatAt;
        for (size_t i = 0; i < kHeaderDifat && fatAt.size() < fatSectors; ++i)
            fatAt.push_back(u32(h + 0x4C + i * 4));
        uint32_t difat = u32(h + 0x44);
        std::vector<bool> seen(file_.size() / sector_, false);
        while (fatAt.size() < fatSectors) {
            const uint8_t* s = sector(difat);
            if (!s || seen[difat])
                return Container::Damaged;
            seen[difat] = true;
            for (size_t i = 0; i + 1 < sector_ / 4 && fatAt.size() < fatSectors; ++i)
                fatAt.push_back(u32(s + i * 4));
            difat = u32(s + sector_ - 4);
        }
        for (const uint32_t at : fatAt) {
            const uint8_t* s = sector(at);
            if (!s)
                return Container::Damaged;
            for (size_t i = 0; i < sector_ / 4; ++i)
                fat_.push_back(u32(s + i * 4));
        }
        if (!chain(fat_, u32(h + 0x30), nullptr, kWholeChain, directory_) ||
            directory_.size() < 128)
            return Container::Damaged;
        // The mini stream (in the root entry) and its allocation table.
        std::vector<uint8_t> miniFat;
        const uint32_t miniFatStart = u32(h + 0x3C);
        if (miniFatStart != kEndOfChain &&
            !chain(fat_, miniFatStart, nullptr, kWholeChain, miniFat))
            return Container::Damaged;
        for (size_t i = 0; i + 4 <= miniFat.size(); i += 4)
            miniFatEntries_.push_back(u32(&miniFat[i]));
        const uint8_t* root = &directory_[0];
        if (root[0x42] != 5 || !chain(fat_, u32(root + 0x74), nullptr, size(root), miniStream_))
            return Container::Damaged;
        return Container::Ok;
    }

    Container find(const std::string& name, std::vector<uint8_t>& out) {
        // The root's children form a tree through their left and right links.
        std::vector<uint32_t> todo{u32(&directory_[0x4C])};
        std::vector<bool> seen(directory_.size() / 128, false);
        while (!todo.empty()) {
            const uint32_t id = todo.back();
            todo.pop_back();
            if (id == kNoStream)
                continue;
            if (id >= seen.size() || seen[id])
                return Container::Damaged;
            seen[id] = true;
            const uint8_t* e = &directory_[id * size_t{128}];
            todo.push_back(u32(e + 0x44));
            todo.push_back(u32(e + 0x48));
            if (e[0x42] != 2 || !sameName(e, name))
                continue;
            const uint64_t bytes = size(e);
            const bool mini = bytes < miniCutoff_;
            if (!chain(mini ? miniFatEntries_ : fat_, u32(e + 0x74), mini ? &miniStream_ : nullptr,
                       bytes, out))
                return Container::Damaged;
            return Container::Ok;
        }
        return Container::NoStream;
    }

private:
    const uint8_t* sector(uint32_t n) const {
        const size_t at = (static_cast<size_t>(n) + 1) * sector_;
        if (n >= 0xFFFFFFFA || at + sector_ > file_.size())
            return nullptr;
        return &file_[at];
    }

    // An entry's declared size; its high half counts only with 4096-byte
    // sectors, as older writers leave garbage there.
    uint64_t size(const uint8_t* e) const {
        return u32(e + 0x78) | (sector_ == 4096 ? static_cast<uint64_t>(u32(e + 0x7C)) << 32 : 0);
    }

    // Follows a chain of sectors (or of 64-byte mini sectors inside the mini
    // stream) until `size` bytes are read, or to its end for kWholeChain.
    // False when it leaves the file, visits a unit twice or ends early, so
    // what it reads never exceeds the file, however the table is drawn. The
    // last unit may be cut by the end of the file where the bytes the stream
    // declares are all there.
    bool chain(const std::vector<uint32_t>& table, uint32_t start,
               const std::vector<uint8_t>* miniStream, uint64_t size,
               std::vector<uint8_t>& out) const {
        out.clear();
        const size_t unit = miniStream ? 64 : sector_;
        const uint8_t* base = miniStream ? miniStream->data() : file_.data();
        // Units are counted from the first after the header in the file.
        const size_t skip = miniStream ? 0 : sector_;
        const size_t end = miniStream ? miniStream->size() : file_.size();
        if (size != kWholeChain) {
            if (size > end)
                return false;
            out.reserve(static_cast<size_t>(size));
        }
        std::vector<bool> seen(table.size(), false);
        for (uint32_t n = start; out.size() < size; n = table[n]) {
            if (n == kEndOfChain && size == kWholeChain)
                return true;
            if (n >= table.size() || seen[n])
                return false;
            seen[n] = true;
            const size_t at = skip + static_cast<size_t>(n) * unit;
            const size_t take = static_cast<size_t>(std::min<uint64_t>(unit, size - out.size()));
            if (at > end || end - at < take)
                return false;
            out.insert(out.end(), base + at, base + at + take);
        }
        return true;
    }

    static bool sameName(const uint8_t* e, const std::string& name) {
        const size_t bytes = u16(e + 0x40);
        if (bytes != (name.size() + 1) * 2 || bytes > 64)
            return false;
        for (size_t i = 0; i < name.size(); ++i) {
            const uint16_t c = u16(e + i * 2);
            const auto lower = [](uint16_t ch) {
                return ch >= 'A' && ch <= 'Z' ? static_cast<uint16_t>(ch + 32) : ch;
            };
            if (lower(c) != lower(static_cast<uint8_t>(name[i])))
                return false;
        }
        return true;
    }

    const std::vector<uint8_t>& file_;
    size_t sector_ = 512;
    uint32_t miniCutoff_ = 4096;
    std::vector<uint32_t> fat_, miniFatEntries_;
    std::vector<uint8_t> directory_, miniStream_;
};

} // namespace

Container readStream(const std::vector<uint8_t>& file, const std::string& name,
                     std::vector<uint8_t>& out) {
    Compound c(file);
    const Container opened = c.open();
    return opened == Container::Ok ? c.find(name, out) : opened;
}

} // namespace sijill::biff
