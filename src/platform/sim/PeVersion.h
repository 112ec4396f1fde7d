// The fixed file version of a Windows program or library, read from the
// bytes of its PE file. Every offset is checked against the bytes given.
//
//   0x00  "MZ"                           DOS header
//   0x3C  u32 e_lfanew ------------------+
//   e_lfanew:  "PE\0\0"                   <-+
//     +4   u16 machine, u16 sectionCount, u32 time, u32 symbols, u32 count,
//     +20  u16 optionalSize, u16 flags
//     +24  optional header: u16 magic 0x10B (PE32) or 0x20B (PE32+)
//            PE32:  +92 u32 directoryCount, +96 directories
//            PE32+: +108 u32 directoryCount, +112 directories
//            directory 2 (resources): u32 rva, u32 size
//     +24+optionalSize  sections, 40 bytes each:
//            +8 u32 virtualSize, +12 u32 rva, +16 u32 rawSize, +20 u32 rawOffset
//
//   resource directory (offsets from the start of the resources):
//     +12 u16 namedCount, +14 u16 idCount, then 8-byte entries:
//            u32 name or id (bit 31: a name), u32 offset (bit 31: a subdirectory)
//     type 16 (RT_VERSION) -> its first name -> its first language ->
//     data entry: u32 rva, u32 size, u32 codePage, u32 reserved
//
//   VS_VERSIONINFO at that rva:
//     u16 length, u16 valueLength, u16 type, L"VS_VERSION_INFO\0", padding to
//     4 bytes, VS_FIXEDFILEINFO: u32 0xFEEF04BD, u32 structVersion,
//     u32 fileVersionMS, u32 fileVersionLS, ...
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessary {

// True with the two halves of the file version when `bytes` is a PE file
// with a version resource; false (both halves 0) otherwise.
bool readPeFileVersion(const std::uint8_t* bytes, std::size_t size, std::uint32_t& high, std::uint32_t& low);

}  // namespace tessary
