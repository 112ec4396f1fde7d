// Reading a shell link's bytes: every offset, size and count is checked
// before it is used, so that a damaged file is refused, never read past.
#include <algorithm>
#include <string>
#include <string_view>

#include "platform/sim/AnsiUtf16.h"
#include "platform/sim/ShellLinkFile.h"

namespace tessary {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint8_t kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : std::uint32_t {
  kHasIdList = 0x01,
  kHasLinkInfo = 0x02,
  kHasName = 0x04,
  kHasRelativePath = 0x08,
  kHasWorkingDir = 0x10,
  kHasArguments = 0x20,
  kHasIconLocation = 0x40,
  kIsUnicode = 0x80,
  kForceNoLinkInfo = 0x100,
  kHasExpString = 0x200,
};

constexpr std::uint32_t kLinkInfoMinHeader = 0x1C;
constexpr std::uint32_t kEnvironmentSignature = 0xA0000001u;
constexpr std::size_t kEnvironmentBlockSize = 0x314;

using Bytes = std::span<const std::uint8_t>;

bool readU16(Bytes bytes, std::size_t at, std::uint16_t& value) {
  if (at > bytes.size() || bytes.size() - at < 2) return false;
  value = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
  return true;
}

bool readU32(Bytes bytes, std::size_t at, std::uint32_t& value) {
  if (at > bytes.size() || bytes.size() - at < 4) return false;
  value = std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 | std::uint32_t{bytes[at + 2]} << 16 |
          std::uint32_t{bytes[at + 3]} << 24;
  return true;
}

std::string untilZero(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string_view asChars(Bytes bytes) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A zero-terminated ANSI text starting at `at`, which must lie past the
// structure's own header (`lowest`); false when no zero comes before the end
// of `bytes`.
bool zeroTerminated(Bytes bytes, std::size_t at, std::size_t lowest, std::string& text) {
  if (at < lowest || at >= bytes.size()) return false;
  const std::string_view rest = asChars(bytes.subspan(at));
  const std::size_t end = rest.find('\0');
  if (end == std::string_view::npos) return false;
  text.assign(rest.substr(0, end));
  return true;
}

// The share name of a network link that starts at `at` inside the link info.
bool networkShareName(Bytes linkInfo, std::size_t at, std::string& name) {
  std::uint32_t size = 0;
  std::uint32_t nameOffset = 0;
  if (!readU32(linkInfo, at, size) || size < 0x14 || size > linkInfo.size() - at) return false;
  const Bytes link = linkInfo.subspan(at, size);
  return readU32(link, 8, nameOffset) && zeroTerminated(link, nameOffset, 0x14, name);
}

// The target the link info names.
bool linkInfoTarget(Bytes info, std::string& target) {
  std::uint32_t headerSize = 0, flags = 0, localOffset = 0, networkOffset = 0, suffixOffset = 0;
  if (!readU32(info, 4, headerSize) || headerSize < kLinkInfoMinHeader || headerSize > info.size()) return false;
  readU32(info, 8, flags);
  readU32(info, 16, localOffset);
  readU32(info, 20, networkOffset);
  readU32(info, 24, suffixOffset);
  std::string suffix;
  if ((flags & 3) != 0 && !zeroTerminated(info, suffixOffset, headerSize, suffix)) return false;
  if (flags & 1) {
    if (!zeroTerminated(info, localOffset, headerSize, target)) return false;
    target += suffix;
  } else if (flags & 2) {
    if (networkOffset < headerSize || !networkShareName(info, networkOffset, target)) return false;
    if (!suffix.empty()) target += '\\' + suffix;
  } else {
    target.clear();
  }
  return true;
}

// One counted text of the string data at `at`, moving `at` past it.
bool countedText(Bytes bytes, std::size_t& at, bool unicode, std::string& text) {
  std::uint16_t count = 0;
  if (!readU16(bytes, at, count)) return false;
  at += 2;
  const std::size_t length = unicode ? std::size_t{count} * 2 : count;
  if (length > bytes.size() - at) return false;
  const std::string_view raw = asChars(bytes.subspan(at, length));
  text = untilZero(unicode ? utf16leToAnsi(raw) : std::string(raw));
  at += length;
  return true;
}

// The target of an environment block, ANSI first, else its UTF-16 copy.
std::string environmentTarget(Bytes block) {
  std::string target = untilZero(asChars(block.subspan(8, 260)));
  if (target.empty()) target = untilZero(utf16leToAnsi(asChars(block.subspan(268, 520))));
  return target;
}

// Walks the extra blocks; false when one runs past the end.
bool extraBlocks(Bytes bytes, std::size_t at, std::string& environment) {
  for (;;) {
    std::uint32_t size = 0;
    std::uint32_t signature = 0;
    // Some writers leave out the closing block.
    if (!readU32(bytes, at, size) || size < 4) return true;
    if (size > bytes.size() - at) return false;
    const Bytes block = bytes.subspan(at, size);
    if (readU32(block, 4, signature) && signature == kEnvironmentSignature && size >= kEnvironmentBlockSize)
      environment = environmentTarget(block);
    at += size;
  }
}

WinError parse(Bytes bytes, ShortcutFields& fields) {
  std::uint32_t headerSize = 0, flags = 0, iconIndex = 0;
  if (!readU32(bytes, 0, headerSize) || headerSize != kHeaderSize || bytes.size() < kHeaderSize ||
      !std::equal(std::begin(kLinkClass), std::end(kLinkClass), bytes.begin() + 4))
    return kErrorInvalidData;
  readU32(bytes, 0x14, flags);
  readU32(bytes, 0x38, iconIndex);
  readU32(bytes, 0x3C, fields.showCommand);
  fields.iconIndex = static_cast<std::int32_t>(iconIndex);
  std::size_t at = kHeaderSize;

  if (flags & kHasIdList) {
    std::uint16_t size = 0;
    if (!readU16(bytes, at, size) || size > bytes.size() - at - 2) return kErrorInvalidData;
    at += 2 + std::size_t{size};
  }
  std::string infoTarget;
  if (flags & kHasLinkInfo) {
    std::uint32_t size = 0;
    if (!readU32(bytes, at, size) || size < kLinkInfoMinHeader || size > bytes.size() - at) return kErrorInvalidData;
    if (!linkInfoTarget(bytes.subspan(at, size), infoTarget)) return kErrorInvalidData;
    at += size;
  }
  const bool unicode = (flags & kIsUnicode) != 0;
  std::string ignored;
  const struct {
    LinkFlag flag;
    std::string* text;
  } strings[] = {
      {kHasName, &ignored},
      {kHasRelativePath, &ignored},
      {kHasWorkingDir, &fields.workingFolder},
      {kHasArguments, &fields.arguments},
      {kHasIconLocation, &fields.iconFile},
  };
  for (const auto& s : strings)
    if ((flags & s.flag) && !countedText(bytes, at, unicode, *s.text)) return kErrorInvalidData;
  std::string environment;
  if (!extraBlocks(bytes, at, environment)) return kErrorInvalidData;

  if ((flags & kHasExpString) && !environment.empty())
    fields.targetPath = environment;
  else if (!(flags & kForceNoLinkInfo))
    fields.targetPath = infoTarget;
  return kErrorSuccess;
}

}  // namespace

WinError parseShellLink(std::span<const std::uint8_t> bytes, ShortcutFields& fields) {
  fields = {};
  const WinError result = parse(bytes, fields);
  if (result != kErrorSuccess) fields = {};
  return result;
}

}  // namespace tessary
