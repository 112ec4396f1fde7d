// Writing a shell link: a header, the target as link info and the other
// texts as string data, closed by an empty extra block.
#include <string>
#include <string_view>

#include "platform/sim/AnsiUtf16.h"
#include "platform/sim/ShellLinkFile.h"

namespace tessary {
namespace {

constexpr std::uint8_t kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kDriveFixed = 3;

void putU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void setU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putText(std::vector<std::uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

// "\\server\share" and the rest of a network path, which a reader joins
// with a backslash when the rest is not empty.
void splitShare(const std::string& target, std::string& share, std::string& suffix) {
  std::size_t end = target.find('\\', 2);
  if (end != std::string::npos) end = target.find('\\', end + 1);
  if (end == std::string::npos || end + 1 == target.size()) end = target.size();
  share = target.substr(0, end);
  suffix = end < target.size() ? target.substr(end + 1) : std::string();
}

// The link info of a local path (volume and base path) or of a network
// share (network link and path suffix).
void putLinkInfo(std::vector<std::uint8_t>& out, const std::string& target) {
  const std::size_t start = out.size();
  putU32(out, 0);  // size, set below
  putU32(out, kLinkInfoHeaderSize);
  const bool network = target.rfind("\\\\", 0) == 0;
  putU32(out, network ? 2 : 1);
  const std::size_t offsets = out.size();
  for (int i = 0; i < 4; ++i) putU32(out, 0);  // volume, base path, network link, suffix
  std::string suffix;
  if (network) {
    std::string share;
    splitShare(target, share, suffix);
    setU32(out, offsets + 8, static_cast<std::uint32_t>(out.size() - start));
    const std::size_t link = out.size();
    putU32(out, 0);  // size, set below
    putU32(out, 0);  // flags: no device name, no provider type
    putU32(out, 0x14);
    putU32(out, 0);
    putU32(out, 0);
    putText(out, share);
    setU32(out, link, static_cast<std::uint32_t>(out.size() - link));
  } else {
    setU32(out, offsets, static_cast<std::uint32_t>(out.size() - start));
    putU32(out, 0x11);  // volume: size, drive type, serial number, label offset, empty label
    putU32(out, kDriveFixed);
    putU32(out, 0);
    putU32(out, 0x10);
    out.push_back(0);
    setU32(out, offsets + 4, static_cast<std::uint32_t>(out.size() - start));
    putText(out, target);
  }
  setU32(out, offsets + 12, static_cast<std::uint32_t>(out.size() - start));
  putText(out, suffix);
  setU32(out, start, static_cast<std::uint32_t>(out.size() - start));
}

void putCountedText(std::vector<std::uint8_t>& out, const std::string& text, bool unicode) {
  putU16(out, static_cast<std::uint16_t>(text.size()));
  const std::string bytes = unicode ? ansiToUtf16le(text) : text;
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

bool writeShellLink(const ShortcutFields& fields, bool unicode, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  const struct {
    std::uint32_t flag;
    const std::string* text;
  } strings[] = {
      {0x10, &fields.workingFolder},
      {0x20, &fields.arguments},
      {0x40, &fields.iconFile},
  };
  if (fields.targetPath.find('\0') != std::string::npos) return false;
  std::uint32_t flags = unicode ? kIsUnicode : 0;
  if (!fields.targetPath.empty()) flags |= kHasLinkInfo;
  for (const auto& s : strings) {
    if (s.text->size() > 0xFFFF || s.text->find('\0') != std::string::npos) return false;
    if (!s.text->empty()) flags |= s.flag;
  }

  putU32(bytes, 0x4C);
  bytes.insert(bytes.end(), std::begin(kLinkClass), std::end(kLinkClass));
  putU32(bytes, flags);
  bytes.resize(0x38, 0);  // attributes, times and size of the target: not kept
  putU32(bytes, static_cast<std::uint32_t>(fields.iconIndex));
  putU32(bytes, fields.showCommand);
  bytes.resize(0x4C, 0);  // hot key, reserved
  if (flags & kHasLinkInfo) putLinkInfo(bytes, fields.targetPath);
  for (const auto& s : strings)
    if (flags & s.flag) putCountedText(bytes, *s.text, unicode);
  putU32(bytes, 0);
  return true;
}

}  // namespace tessary
