#include "archive/index/FileBlockHeader.h"

#include <array>

#include "archive/index/RawRecord.h"

namespace tessary {
namespace {

using TextField = std::array<std::uint8_t, kShortcutTextSize>;

std::string fieldText(const TextField& field) {
  std::size_t n = 0;
  while (n < field.size() && field[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(field.data()), n);
}

bool fitsField(std::string_view text) { return text.size() < kShortcutTextSize && isRawText(text); }

void writeField(RawWriter& raw, std::string_view text) {
  TextField field{};
  for (std::size_t i = 0; i < text.size(); ++i) field[i] = static_cast<std::uint8_t>(text[i]);
  raw.bytes(field.data(), field.size());
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool isShortcutName(std::string_view name) {
  constexpr std::string_view kExtension = ".lnk";
  if (name.size() < kExtension.size()) return false;
  std::string_view tail = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (lower(tail[i]) != kExtension[i]) return false;
  }
  return true;
}

std::uint32_t fileBlockHeaderLength(std::string_view name, bool isFolder, float formatVersion) {
  return !isFolder && formatVersion >= 3.0f && isShortcutName(name) ? kShortcutBlockHeaderSize
                                                                       : kFileBlockHeaderSize;
}

bool readFileBlockHeader(ByteSource& source, std::uint32_t headerLength, FileBlockHeader& header) {
  if (headerLength != kFileBlockHeaderSize && headerLength != kShortcutBlockHeaderSize) return false;
  RawReader raw(source);
  FileBlockHeader read;
  raw.u32(read.fileSize);
  raw.u32(read.writeTime);
  raw.u32(read.versionHigh);
  raw.u32(read.versionLow);
  raw.u32(read.overwriteOverride);
  raw.u32(read.reserved);
  if (headerLength == kShortcutBlockHeaderSize) {
    ShortcutDetails& s = read.shortcut.emplace();
    for (std::string* text : {&s.targetPath, &s.arguments, &s.workingFolder, &s.iconFile}) {
      TextField field{};
      raw.bytes(field.data(), field.size());
      *text = fieldText(field);
    }
    raw.u32(s.showCommand);
    raw.u32(s.iconIndex);
  }
  if (raw.ranShort()) return false;
  header = std::move(read);
  return true;
}

bool writeFileBlockHeader(ByteSink& sink, const FileBlockHeader& header) {
  const ShortcutDetails* s = header.shortcut ? &*header.shortcut : nullptr;
  if (s && !(fitsField(s->targetPath) && fitsField(s->arguments) && fitsField(s->workingFolder) &&
             fitsField(s->iconFile))) {
    return false;
  }
  RawWriter raw(sink);
  raw.u32(header.fileSize);
  raw.u32(header.writeTime);
  raw.u32(header.versionHigh);
  raw.u32(header.versionLow);
  raw.u32(header.overwriteOverride);
  raw.u32(header.reserved);
  if (s) {
    for (const std::string* text : {&s->targetPath, &s->arguments, &s->workingFolder, &s->iconFile}) {
      writeField(raw, *text);
    }
    raw.u32(s->showCommand);
    raw.u32(s->iconIndex);
  }
  return raw.ok();
}

}  // namespace tessary
