// Extraction: a folder chain made level by level, or a data block written
// to its target through the codec in pieces.
#include "archive/ArchiveStreamIo.h"
#include "archive/BlockCodec.h"
#include "fileops/FileInstaller.h"
#include "fileops/FileStatus.h"
#include "fileops/TargetPath.h"

namespace tessary {
namespace {

// Windows' limit for a path, its terminating zero included.
constexpr std::size_t kMaxPath = 260;

// Passes writes on and keeps the first failure, so that a full disk can be
// told apart from a damaged block.
class WatchedFile final : public PlatformFile {
 public:
  explicit WatchedFile(PlatformFile& file) : file_(file) {}
  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
    return file_.read(buffer, count, done);
  }
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
    const WinError error = file_.write(buffer, count, done);
    if (error != kErrorSuccess || done != count) writeFailed = true;
    return error;
  }
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override {
    return file_.seek(offset, origin, position);
  }
  WinError size(std::uint64_t& bytes) override { return file_.size(bytes); }
  WinError setEndOfFile() override { return file_.setEndOfFile(); }

  bool writeFailed = false;

 private:
  PlatformFile& file_;
};

constexpr WinError kWriteProtect = 19;

bool inUseOrReadOnly(WinError error) {
  return error == kErrorSharingViolation || error == kErrorAccessDenied || error == kErrorLockViolation ||
         error == kWriteProtect;
}

}  // namespace

std::int32_t FileInstaller::ExtractFileEntry(CTree& entry, const std::string& path) {
  const std::string& where = path.empty() ? target(entry) : path;
  result_ = entry.dataOffset == -1 ? createFolderChain(entry, where) : writeFile(entry, where);
  return result_;
}

bool FileInstaller::readHeader(const CTree& entry, FileBlockHeader& header) {
  const int stream = run_.package.streamHandle(PackageStream::File);
  IndexObject* index = run_.package.indexObject();
  const std::uint32_t length =
      fileBlockHeaderLength(entry.name, false, index != nullptr ? index->index().version : 0.0f);
  const std::uint64_t end = static_cast<std::uint64_t>(static_cast<std::uint32_t>(entry.dataOffset)) + entry.dataSize;
  if (!run_.package.isOpen() || stream < 0 || entry.dataOffset < 0 || entry.dataSize < length ||
      end > run_.package.usedLengths().fileUsed ||
      PKAlseek(run_.package.archive(), stream, entry.dataOffset, 0) != entry.dataOffset) {
    result_ = kFileResultNoEntry;
    return false;
  }
  ArchiveStreamSource source(run_.package.archive(), stream);
  if (!readFileBlockHeader(source, length, header)) {
    result_ = kFileResultNoEntry;
    return false;
  }
  return true;
}

std::int32_t FileInstaller::createFolderChain(const CTree& entry, const std::string& path) {
  const std::string chain = path.empty() || path.back() == '\\' ? path : path + "\\";
  std::size_t from = 1;
  if (chain.rfind("\\\\", 0) == 0) {
    // Never the server or the share: start after the fourth backslash.
    std::size_t slash = 1;
    for (int count = 2; count < 4 && slash != std::string::npos; ++count) slash = chain.find('\\', slash + 1);
    if (slash == std::string::npos) return kFileResultSuccess;
    from = slash + 1;
  }
  for (std::size_t at = chain.find('\\', from); at != std::string::npos; at = chain.find('\\', at + 1)) {
    if (at == 0 || chain[at - 1] == ':') continue;
    const std::string level = chain.substr(0, at);
    const WinError made = run_.platform.createFolder(level);
    if (made == kErrorAlreadyExists) continue;
    if (made != kErrorSuccess) return kFileResultNoFolder;
    const std::uint32_t attributes = entry.attributes & ~static_cast<std::uint32_t>(kAttrDirectory);
    if (attributes != 0) run_.platform.setFileAttributes(level, attributes);
    if (run_.undo != nullptr && !run_.undoRun && !run_.simulate && !run_.repair)
      if (CTree* parent = run_.undo->FindOrCreateUndoFolder(parentFolder(level)))
        run_.undo->RecordCreatedFolder(*parent, level, kTreeFlagDelete);
  }
  return kFileResultSuccess;
}

std::int32_t FileInstaller::writeFile(const CTree& entry, const std::string& path) {
  FileBlockHeader header;
  if (!readHeader(entry, header)) return result_;
  if (path.size() >= kMaxPath) return kFileResultNoFolder;

  std::uint32_t attributes = 0;
  if (run_.platform.fileAttributes(path, attributes) == kErrorSuccess &&
      (attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)))
    run_.platform.setFileAttributes(path, kAttrNormal);
  std::unique_ptr<PlatformFile> file;
  const WinError opened =
      run_.platform.openFile(path, FileAccess::Write, kShareRead, FileDisposition::CreateAlways, file);
  if (opened != kErrorSuccess) return inUseOrReadOnly(opened) ? kFileResultCannotOpen : kFileResultNoFolder;

  IndexObject* index = run_.package.indexObject();
  const std::uint32_t headerLength = fileBlockHeaderLength(entry.name, false, index->index().version);
  const std::int32_t contentStart = entry.dataOffset + static_cast<std::int32_t>(headerLength);
  WatchedFile watched(*file);
  const int stream = run_.package.streamHandle(PackageStream::File);
  const bool written = PKAlseek(run_.package.archive(), stream, contentStart, 0) == contentStart &&
                       expandBlockToFile(entry, header, run_.package.archive(), stream, watched);
  file.reset();
  if (!written) {
    // No part of a file is left to pass for the whole of it.
    run_.platform.deleteFile(path);
    return watched.writeFailed ? kFileResultWriteFailed : kFileResultDamaged;
  }
  const FileTime time = fileTimeFromSeconds(header.writeTime);
  run_.platform.setFileTimes(path, time, time);
  const std::uint32_t given = entry.attributes & ~static_cast<std::uint32_t>(kAttrDirectory);
  run_.platform.setFileAttributes(path, given == 0 ? static_cast<std::uint32_t>(kAttrNormal) : given);
  return kFileResultSuccess;
}

}  // namespace tessary
