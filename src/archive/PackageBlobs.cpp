// Whole files kept in "File" outside the file tree: the background bitmap
// and the undo stub, and the room new blocks need.
#include <algorithm>
#include <vector>

#include "archive/PackageEngine.h"
#include "archive/TempFiles.h"

namespace tessary {
namespace {

constexpr std::uint32_t kPiece = 65535;
constexpr std::uint64_t kRoomNeededExtra = 20;
constexpr std::uint64_t kRoomGrowExtra = 65555;
constexpr const char* kBitmapPrefix = "~nu";

}  // namespace

bool PackageEngine::makeRoomInFile(std::uint32_t bytes) {
  if (streamHandle(PackageStream::RegFileIndex) < 0) return true;
  const int h = streamHandle(PackageStream::File);
  if (h < 0) return fail(PackageStatus::NotOpen);
  // Twice the size: a compressed block can turn out larger than its source.
  const std::uint64_t used = header_.fileUsed;
  // A used length past the stream's end comes from a damaged index; growing
  // to it would write up to 4 GB for nothing.
  if (used > archive_->slots[static_cast<std::size_t>(h)].length) return fail(PackageStatus::WriteFailed);
  if (archive_->slots[static_cast<std::size_t>(h)].length >= used + 2ull * bytes + kRoomNeededExtra) return true;
  const std::uint64_t target = used + 2ull * bytes + kRoomGrowExtra;
  if (target > 0xFFFFFFFFu || WriteAt(*archive_, h, static_cast<std::uint32_t>(target)) != 0)
    return fail(PackageStatus::WriteFailed);
  return true;
}

std::int64_t PackageEngine::storeFileBlob(const std::string& path, std::uint32_t& length) {
  length = 0;
  std::int32_t offset = -1;
  return storeBlob(path, offset, length) ? offset : -1;
}

bool PackageEngine::storeBlob(const std::string& source, std::int32_t& offset, std::uint32_t& length) {
  offset = -1;
  length = 0;
  if (source.empty()) return true;
  const int h = streamHandle(PackageStream::File);
  if (!open_ || h < 0) return fail(PackageStatus::NotOpen);

  std::unique_ptr<PlatformFile> file;
  std::uint64_t size = 0;
  if (platform_.openFile(source, FileAccess::Read, kShareRead, FileDisposition::OpenExisting, file) != kErrorSuccess ||
      !file || file->size(size) != kErrorSuccess)
    return fail(PackageStatus::SourceNotOpened);
  // Offsets in the options are signed 32-bit numbers.
  if (size > 0x7FFFFFFFu || header_.fileUsed > 0x7FFFFFFFu - size) return fail(PackageStatus::WriteFailed);
  if (!makeRoomInFile(static_cast<std::uint32_t>(size))) return false;
  const auto start = static_cast<std::int32_t>(header_.fileUsed);
  if (PKAlseek(*archive_, h, start, 0) != start) return fail(PackageStatus::WriteFailed);

  std::vector<std::uint8_t> buffer(kPiece);
  std::uint32_t stored = 0;
  while (stored < size) {
    const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(size - stored, kPiece));
    std::uint32_t got = 0;
    if (file->read(buffer.data(), want, got) != kErrorSuccess || got == 0) return fail(PackageStatus::WriteFailed);
    if (PKAwrite(*archive_, h, buffer.data(), got) != static_cast<int>(got)) return fail(PackageStatus::WriteFailed);
    stored += got;
    header_.fileUsed += got;
  }
  offset = start;
  length = stored;
  return true;
}

bool PackageEngine::copyBlobToFile(std::int32_t offset, std::uint32_t length, const std::string& path) {
  const int h = streamHandle(PackageStream::File);
  if (!open_ || h < 0 || offset < 0 || PKAlseek(*archive_, h, offset, 0) != offset) return false;
  std::unique_ptr<PlatformFile> file;
  if (platform_.openFile(path, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file) != kErrorSuccess ||
      !file)
    return false;
  std::vector<std::uint8_t> buffer(kPiece);
  bool ok = true;
  while (ok && length > 0) {
    const std::uint32_t want = std::min(length, kPiece);
    std::uint32_t wrote = 0;
    // A blob that runs past the end of "File" is damaged: no partial copy.
    ok = PKAread(*archive_, h, buffer.data(), want) == static_cast<int>(want) &&
         file->write(buffer.data(), want, wrote) == kErrorSuccess && wrote == want;
    length -= want;
  }
  if (ok) return true;
  file.reset();
  platform_.deleteFile(path);
  return false;
}

std::string PackageEngine::extractBitmap() {
  if (options_.bitmapLength == 0 || options_.bitmapOffset < 0) {
    status_ = statusCode(PackageStatus::NoBitmap);
    return bitmapSource_;
  }
  deleteBitmapFile();
  const std::string folder = ensureCorvaneTempFolder(platform_);
  const std::string temp = folder.empty() ? std::string() : createTemporaryFile(platform_, folder, kBitmapPrefix);
  if (temp.empty() || !copyBlobToFile(options_.bitmapOffset, options_.bitmapLength, temp)) {
    if (!temp.empty()) platform_.deleteFile(temp);  // made empty by the name search
    status_ = statusCode(PackageStatus::NoBitmap);
    return {};
  }
  bitmapPath_ = temp;
  return bitmapPath_;
}

void PackageEngine::deleteBitmapFile() {
  if (bitmapPath_.empty()) return;
  platform_.deleteFile(bitmapPath_);
  bitmapPath_.clear();
}

bool PackageEngine::extractUndoStub(const std::string& path) {
  if (options_.undoStubOffset < 0 || options_.undoStubLength == 0 ||
      !copyBlobToFile(options_.undoStubOffset, options_.undoStubLength, path)) {
    return fail(PackageStatus::UndoStubFailed);
  }
  return true;
}

}  // namespace tessary
