#include "fileops/UndoRecorder.h"

#include <algorithm>

#include "archive/ArchiveStreamIo.h"
#include "archive/BlockCodec.h"
#include "fileops/OverwriteDecision.h"
#include "fileops/TargetPath.h"

namespace tessary {
namespace {

constexpr std::uint32_t kTextSpecialOverride = 3;  // restored whole, never merged

std::string withoutTrailingBackslash(std::string path) {
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}

// Where the first level of a path ends: after "C:" or "\\server\share".
std::size_t firstLevelEnd(const std::string& path) {
  if (path.rfind("\\\\", 0) == 0) {
    std::size_t slash = path.find('\\', 2);
    if (slash != std::string::npos) slash = path.find('\\', slash + 1);
    return slash == std::string::npos ? path.size() : slash;
  }
  const std::size_t slash = path.find('\\');
  return slash == std::string::npos ? path.size() : slash;
}

// The block holds texts of at most 259 bytes without a zero.
std::string shortcutText(const std::string& text) {
  return text.substr(0, std::min<std::size_t>(text.find('\0'), kShortcutTextSize - 1));
}

ShortcutDetails readShortcutDetails(Platform& platform, const std::string& path) {
  ShortcutFields fields;
  if (platform.readShortcut(path, fields) != kErrorSuccess) return {};
  return {shortcutText(fields.targetPath), shortcutText(fields.arguments), shortcutText(fields.workingFolder),
          shortcutText(fields.iconFile),   fields.showCommand,              static_cast<std::uint32_t>(fields.iconIndex)};
}

std::unique_ptr<CTree> folderNode(const std::string& path, std::uint32_t flags) {
  auto node = std::make_unique<CTree>(path);
  node->attributes = kAttrDirectory;
  node->flags = flags;
  return node;
}

}  // namespace

CTree* UndoRecorder::find(const std::string& path) const {
  auto found = entries_.find(lowerAscii(path));
  return found == entries_.end() ? nullptr : found->second;
}

CTree* UndoRecorder::add(CTree& parent, std::unique_ptr<CTree> node) {
  const std::string key = lowerAscii(node->name);
  parent.leaf = 0;
  CTree* added = parent.addChild(std::move(node));
  entries_.emplace(key, added);
  return added;
}

CTree* UndoRecorder::FindOrCreateUndoFolder(const std::string& folderPath) {
  IndexObject* index = undo_.indexObject();
  if (!undo_.isOpen() || index == nullptr) return nullptr;
  const std::string path = withoutTrailingBackslash(folderPath);
  if (path.empty()) return nullptr;
  if (CTree* known = find(path)) return known;
  CTree* node = index->index().fileTree.get();
  std::size_t end = firstLevelEnd(path);
  for (;;) {
    const std::string level = path.substr(0, end);
    CTree* next = find(level);
    node = next ? next : add(*node, folderNode(level, 0));
    if (end >= path.size()) return node;
    end = path.find('\\', end + 1);
    if (end == std::string::npos) end = path.size();
  }
}

bool UndoRecorder::writeHeader(const FileBlockHeader& header, std::uint32_t& written) {
  const int stream = undo_.streamHandle(PackageStream::File);
  const auto start = static_cast<std::int32_t>(undo_.usedLengths().fileUsed);
  if (stream < 0 || PKAlseek(undo_.archive(), stream, start, 0) != start) return false;
  ArchiveStreamSink sink(undo_.archive(), stream);
  if (!writeFileBlockHeader(sink, header)) return false;
  written = header.shortcut ? kShortcutBlockHeaderSize : kFileBlockHeaderSize;
  undo_.usedLengths().fileUsed += written;
  return true;
}

CTree* UndoRecorder::RecordExistingFile(CTree& folderEntry, const std::string& path, std::uint32_t flags) {
  const TargetParts parts = splitTarget(path);
  const std::string name = folderEntry.name + "\\" + parts.name;
  if (CTree* known = find(name)) return known;

  Platform& platform = undo_.platform();
  std::vector<FoundFile> found;
  if (platform.findFiles(path, found) != kErrorSuccess || found.size() != 1 ||
      (found.front().attributes & kAttrDirectory) || found.front().size > 0x7FFFFFFFu)
    return nullptr;
  // Read in place and sharing everything, so that a file in use is still saved.
  std::unique_ptr<PlatformFile> source;
  if (platform.openFile(path, FileAccess::Read, kShareRead | kShareWrite | kShareDelete, FileDisposition::OpenExisting,
                        source) != kErrorSuccess)
    return nullptr;

  FileBlockHeader header;
  header.fileSize = static_cast<std::uint32_t>(found.front().size);
  header.writeTime = secondsSince1970(found.front().lastWrite);
  platform.fileVersion(path, header.versionHigh, header.versionLow);
  header.overwriteOverride = isTextSpecial(path) ? kTextSpecialOverride : 0;
  const float version = undo_.indexObject()->index().version;
  // A shortcut the shell cannot read is still saved, with an empty block.
  if (fileBlockHeaderLength(parts.name, false, version) == kShortcutBlockHeaderSize)
    header.shortcut = readShortcutDetails(platform, path);

  const std::uint32_t start = undo_.usedLengths().fileUsed;
  auto node = std::make_unique<CTree>(name);
  node->flags = flags | kTreeFlagUndoWritten;
  node->attributes = found.front().attributes & 0xFF;
  node->dataOffset = static_cast<std::int32_t>(start);
  std::uint32_t written = 0;
  bool stored = undo_.makeRoomInFile(kShortcutBlockHeaderSize + header.fileSize) && writeHeader(header, written);
  node->dataSize = written;
  stored = stored && compressFileToStream(*source, *node, undo_.archive(), undo_.streamHandle(PackageStream::File),
                                          undo_.usedLengths().fileUsed);
  if (!stored) {
    undo_.usedLengths().fileUsed = start;
    undo_.setStatus(statusCode(PackageStatus::WriteFailed));
    return nullptr;
  }
  return add(folderEntry, std::move(node));
}

CTree* UndoRecorder::RecordNewFile(CTree& folderEntry, const std::string& path, const FileBlockHeader& packageHeader,
                                   std::uint32_t attributes) {
  const std::string name = folderEntry.name + "\\" + splitTarget(path).name;
  if (CTree* known = find(name)) return known;
  FileBlockHeader header;
  header.fileSize = packageHeader.fileSize;
  header.writeTime = packageHeader.writeTime;
  header.versionHigh = packageHeader.versionHigh;
  header.versionLow = packageHeader.versionLow;
  const std::uint32_t start = undo_.usedLengths().fileUsed;
  std::uint32_t written = 0;
  if (!undo_.makeRoomInFile(kFileBlockHeaderSize) || !writeHeader(header, written)) {
    undo_.usedLengths().fileUsed = start;
    undo_.setStatus(statusCode(PackageStatus::WriteFailed));
    return nullptr;
  }
  auto node = std::make_unique<CTree>(name);
  node->flags = kTreeFlagUndoWritten | kTreeFlagDelete;
  node->attributes = attributes;
  node->dataOffset = static_cast<std::int32_t>(start);
  node->dataSize = written;
  return add(folderEntry, std::move(node));
}

CTree* UndoRecorder::RecordCreatedFolder(CTree& parentEntry, const std::string& folderPath, std::uint32_t flags) {
  const std::string path = withoutTrailingBackslash(folderPath);
  if (CTree* known = find(path)) {
    known->flags |= flags;
    return known;
  }
  return add(parentEntry, folderNode(path, flags));
}

}  // namespace tessary
