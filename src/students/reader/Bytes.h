#pragma once

// Little-endian fields of the .xls file formats.

#include <cstdint>

namespace sijill::biff {

inline uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(u16(p)) | static_cast<uint32_t>(u16(p + 2)) << 16;
}

} // namespace sijill::biff
