#include "CompoundFile.h"
#include "Bytes.h"

#include <algorithm>
#include <cstring>

namespace sijill::biff {

namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderDifat = 109;

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
        for (size_t hops = 0; fatAt.size() < fatSectors; ++hops) {
            const uint8_t* s = sector(difat);
            if (!s || hops > file_.size() / sector_)
                return Container::Damaged;
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
        if (!chain(fat_, u32(h + 0x30), nullptr, directory_) || directory_.size() < 128)
            return Container::Damaged;
        // The mini stream (in the root entry) and its allocation table.
        std::vector<uint8_t> miniFat;
        const uint32_t miniFatStart = u32(h + 0x3C);
        if (miniFatStart != kEndOfChain && !chain(fat_, miniFatStart, nullptr, miniFat))
            return Container::Damaged;
        for (size_t i = 0; i + 4 <= miniFat.size(); i += 4)
            miniFatEntries_.push_back(u32(&miniFat[i]));
        const uint8_t* root = &directory_[0];
        if (root[0x42] != 5)
            return Container::Damaged;
        const uint32_t miniStart = u32(root + 0x74);
        if (miniStart != kEndOfChain && !chain(fat_, miniStart, nullptr, miniStream_))
            return Container::Damaged;
        if (u32(root + 0x78) > miniStream_.size())
            return Container::Damaged;
        miniStream_.resize(u32(root + 0x78));
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
            const uint64_t size =
                u32(e + 0x78) | (sector_ == 4096 ? static_cast<uint64_t>(u32(e + 0x7C)) << 32 : 0);
            if (size > file_.size())
                return Container::Damaged;
            const bool mini = size < miniCutoff_;
            if (!chain(mini ? miniFatEntries_ : fat_, u32(e + 0x74), mini ? &miniStream_ : nullptr,
                       out) ||
                out.size() < size)
                return Container::Damaged;
            out.resize(static_cast<size_t>(size));
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

    // Follows a chain of sectors (or of 64-byte mini sectors inside the mini
    // stream) to its end; false when it leaves the file, loops or breaks.
    bool chain(const std::vector<uint32_t>& table, uint32_t start,
               const std::vector<uint8_t>* miniStream, std::vector<uint8_t>& out) const {
        out.clear();
        const size_t unit = miniStream ? 64 : sector_;
        out.reserve(std::min(table.size(), file_.size() / unit + 1) * unit);
        for (uint32_t n = start, hops = 0; n != kEndOfChain; ++hops) {
            if (n >= table.size() || hops > table.size())
                return false;
            if (miniStream) {
                const size_t at = static_cast<size_t>(n) * unit;
                if (at + unit > miniStream->size())
                    return false;
                out.insert(out.end(), miniStream->begin() + static_cast<std::ptrdiff_t>(at),
                           miniStream->begin() + static_cast<std::ptrdiff_t>(at + unit));
            } else {
                // Writers may leave the file's last sector short; what it
                // holds must then end the chain, and the caller checks that
                // the stream's declared size is all there.
                const size_t at = (static_cast<size_t>(n) + 1) * sector_;
                const size_t have = at < file_.size() ? std::min(unit, file_.size() - at) : 0;
                if (n >= 0xFFFFFFFA || have == 0 || (have < unit && table[n] != kEndOfChain))
                    return false;
                out.insert(out.end(), &file_[at], &file_[at] + have);
            }
            n = table[n];
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
