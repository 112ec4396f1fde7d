// The shell-link (".lnk") file format, as the simulated computer keeps its
// shortcuts: bytes in, fields out, and back. Every offset and count is
// checked against the bytes given.
//
//   0x00 u32 header size 0x4C
//   0x04 16  link class 00021401-0000-0000-C000-000000000046
//   0x14 u32 link flags            0x01 ID list      0x02 link info
//                                  0x04 name         0x08 relative path
//                                  0x10 working dir  0x20 arguments
//                                  0x40 icon         0x80 texts in UTF-16
//                                  0x100 ignore link info
//                                  0x200 target in the environment block
//   0x18 u32 attributes, 3 x u64 times, u32 file size
//   0x38 s32 icon index
//   0x3C u32 show command
//   0x40 u16 hot key, 10 reserved bytes
//   0x4C [u16 size, ID list]            when 0x01
//        [link info]                    when 0x02, see below
//        [u16 count, count characters]  for each of name, relative path,
//                                       working dir, arguments, icon, in
//                                       that order, when flagged (ANSI, or
//                                       UTF-16 with 0x80)
//        extra blocks: u32 size, u32 signature, data; ends at a size < 4
//          0xA0000001 environment block: +8 target, 260 ANSI bytes,
//                     +268 target, 260 UTF-16 units
//
//   link info (offsets from its start):
//   +0 u32 size   +4 u32 header size (0x1C, or 0x24 and more with the
//   UTF-16 offsets)   +8 u32 flags (1 volume and local base path,
//   2 network share)   +12 volume offset   +16 local base path offset
//   +20 network link offset   +24 path suffix offset
//   network link: +0 u32 size, +4 flags, +8 u32 share name offset (from
//   the network link's start)
//   target = local base path + suffix, or share name + "\" + suffix.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/PlatformTypes.h"
#include "platform/WinError.h"

namespace tessary {

// The fields of the shortcut in `bytes`. A target kept in the environment
// block (an unexpanded "%...%" path) wins over the link info's. 13 when the
// bytes are no shell link or any part runs past its bounds; `fields` is
// empty then.
WinError parseShellLink(std::span<const std::uint8_t> bytes, ShortcutFields& fields);

// The bytes of a shell link holding `fields`: the target as link info (a
// local path, or a network share for "\\server\share\..."), the other texts
// as string data, UTF-16 when `unicode`. False, with `bytes` empty, when a
// text holds a zero byte or is longer than the format can count.
bool writeShellLink(const ShortcutFields& fields, bool unicode, std::vector<std::uint8_t>& bytes);

}  // namespace tessary
