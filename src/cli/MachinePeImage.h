// A small Windows image (PE32) whose only content is a version resource, to
// stand for a system program or library of a simulated computer.
//
//   0x000  "MZ" ... 0x3C u32 0x40          DOS header
//   0x040  "PE\0\0", file header (1 section), optional header PE32 (224
//          bytes, 16 directories; directory 2 = resources at rva 0x1000)
//   0x158  section ".rsrc": rva 0x1000, raw data at 0x200
//   0x200  resource tree: type 16 -> id 1 -> language 0x409 -> data entry
//   0x258  VS_VERSIONINFO: header, L"VS_VERSION_INFO", VS_FIXEDFILEINFO
//   0x400  end of file
#pragma once

#include <cstdint>
#include <string>

namespace tessary::cli {

struct FileVersion {
  std::uint16_t major = 0, minor = 0, build = 0, revision = 0;

  std::uint32_t high() const { return std::uint32_t(major) << 16 | minor; }
  std::uint32_t low() const { return std::uint32_t(build) << 16 | revision; }
};

// `library` marks a DLL (file type 2) rather than a program (1).
std::string peImageWithVersion(const FileVersion& version, bool library);

}  // namespace tessary::cli
