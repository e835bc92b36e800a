#pragma once
// The structured-storage result codes, with their usual values, and the mapping from the
// system's error numbers.

#include <cstdint>
#include <string>

namespace qz::cfb {

using HResult = std::int32_t;

constexpr HResult Code(std::uint32_t value) { return static_cast<HResult>(value); }

inline constexpr HResult S_OK = 0;
inline constexpr HResult S_FALSE = 1;
inline constexpr HResult STG_E_INVALIDFUNCTION = Code(0x80030001);
inline constexpr HResult STG_E_FILENOTFOUND = Code(0x80030002);
inline constexpr HResult STG_E_PATHNOTFOUND = Code(0x80030003);
inline constexpr HResult STG_E_TOOMANYOPENFILES = Code(0x80030004);
inline constexpr HResult STG_E_ACCESSDENIED = Code(0x80030005);
inline constexpr HResult STG_E_INVALIDHANDLE = Code(0x80030006);
inline constexpr HResult STG_E_INSUFFICIENTMEMORY = Code(0x80030008);
inline constexpr HResult STG_E_INVALIDPOINTER = Code(0x80030009);
inline constexpr HResult STG_E_NOMOREFILES = Code(0x80030012);
inline constexpr HResult STG_E_DISKISWRITEPROTECTED = Code(0x80030013);
inline constexpr HResult STG_E_SEEKERROR = Code(0x80030019);
inline constexpr HResult STG_E_WRITEFAULT = Code(0x8003001D);
inline constexpr HResult STG_E_READFAULT = Code(0x8003001E);
inline constexpr HResult STG_E_SHAREVIOLATION = Code(0x80030020);
inline constexpr HResult STG_E_LOCKVIOLATION = Code(0x80030021);
inline constexpr HResult STG_E_FILEALREADYEXISTS = Code(0x80030050);
inline constexpr HResult STG_E_INVALIDPARAMETER = Code(0x80030057);
inline constexpr HResult STG_E_MEDIUMFULL = Code(0x80030070);
inline constexpr HResult STG_E_INVALIDHEADER = Code(0x800300FB);
inline constexpr HResult STG_E_INVALIDNAME = Code(0x800300FC);
inline constexpr HResult STG_E_UNKNOWN = Code(0x800300FD);
inline constexpr HResult STG_E_UNIMPLEMENTEDFUNCTION = Code(0x800300FE);
inline constexpr HResult STG_E_INVALIDFLAG = Code(0x800300FF);
inline constexpr HResult STG_E_INUSE = Code(0x80030100);
inline constexpr HResult STG_E_REVERTED = Code(0x80030102);
inline constexpr HResult STG_E_CANTSAVE = Code(0x80030103);
inline constexpr HResult STG_E_OLDFORMAT = Code(0x80030104);
inline constexpr HResult STG_E_DOCFILECORRUPT = Code(0x80030109);
inline constexpr HResult STG_E_DOCFILETOOLARGE = Code(0x80030111);

constexpr bool Succeeded(HResult result) { return result >= 0; }
constexpr bool Failed(HResult result) { return result < 0; }

// The code's name ("STG_E_MEDIUMFULL"), or its value in hexadecimal when it has none here.
std::string ResultName(HResult result);

// What a failed system call means for storage. `reading` tells an I/O error on a read from
// one on a write.
HResult ResultFromErrno(int error, bool reading = false);

} // namespace qz::cfb
