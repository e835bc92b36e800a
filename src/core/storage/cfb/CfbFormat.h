#pragma once
// The compound-file format's constants and the little helpers every part of the container
// shares: little-endian access, entry names and their order.

#include "StgError.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace qz::cfb {

inline constexpr std::uint32_t MAXREGSECT = 0xFFFFFFFA;
inline constexpr std::uint32_t DIFSECT = 0xFFFFFFFC;
inline constexpr std::uint32_t FATSECT = 0xFFFFFFFD;
inline constexpr std::uint32_t ENDOFCHAIN = 0xFFFFFFFE;
inline constexpr std::uint32_t FREESECT = 0xFFFFFFFF;
inline constexpr std::uint32_t NOSTREAM = 0xFFFFFFFF;

inline constexpr std::uint32_t HeaderSize = 512;
inline constexpr std::uint32_t HeaderDifatEntries = 109;
inline constexpr std::uint32_t DirEntrySize = 128;
inline constexpr std::uint32_t MiniSectorSize = 64;
inline constexpr std::uint32_t MiniStreamCutoff = 4096;
inline constexpr std::uint32_t MaxNameLength = 31; // UTF-16 code units, without the terminating zero
inline constexpr std::uint8_t Signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

inline std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t Get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint64_t Get64(const std::uint8_t* p) { return Get32(p) | static_cast<std::uint64_t>(Get32(p + 4)) << 32; }
inline void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void Put64(std::uint8_t* p, std::uint64_t v) {
    Put32(p, static_cast<std::uint32_t>(v));
    Put32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

// Entry names are UTF-16 in the file and UTF-8 at the interface.
std::u16string NameFromUtf8(const std::string& name);
std::string NameToUtf8(const std::u16string& name);
// 1 to 31 code units, none of '/', '\\', ':', '!'.
bool ValidName(const std::u16string& name);
// The format's order of names in a directory tree: shorter first, then code unit by code
// unit after upper-casing. -1, 0 or 1.
int CompareNames(const std::u16string& a, const std::u16string& b);

} // namespace qz::cfb
