// The index goes between "RegFileIndex" and the index object through a
// temporary file "idx....tmp" in the platform's temporary folder.
#include <algorithm>
#include <vector>

#include "archive/ArchiveStreamIo.h"
#include "archive/PackageEngine.h"
#include "archive/TempFiles.h"

namespace tessary {
namespace {

constexpr std::uint32_t kPiece = 65535;
constexpr const char* kIndexPrefix = "idx";

// The rest of the stream from its position into the file.
bool copyStreamToFile(PkaArchive& archive, int h, PlatformFile& file) {
  std::vector<std::uint8_t> buffer(kPiece);
  while (true) {
    const int got = PKAread(archive, h, buffer.data(), kPiece);
    if (got == 0) return true;
    if (got < 0) return false;
    std::uint32_t wrote = 0;
    if (file.write(buffer.data(), static_cast<std::uint32_t>(got), wrote) != kErrorSuccess ||
        wrote != static_cast<std::uint32_t>(got))
      return false;
  }
}

// `size` bytes of the file from its start into the stream at its position.
bool copyFileToStream(PlatformFile& file, std::uint64_t size, PkaArchive& archive, int h) {
  std::vector<std::uint8_t> buffer(kPiece);
  std::uint64_t at = 0;
  if (file.seek(0, SeekOrigin::Begin, at) != kErrorSuccess) return false;
  while (size > 0) {
    const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, kPiece));
    std::uint32_t got = 0;
    if (file.read(buffer.data(), want, got) != kErrorSuccess || got != want) return false;
    if (PKAwrite(archive, h, buffer.data(), got) != static_cast<int>(got)) return false;
    size -= got;
  }
  return true;
}

}  // namespace

bool PackageEngine::loadIndex() {
  const int h = streamHandle(PackageStream::RegFileIndex);
  if (h < 0 || !index_) return fail(PackageStatus::NotOpen);
  PKAlseek(*archive_, h, 0, 0);
  ArchiveStreamSource source(*archive_, h);
  if (!readRegFileIndexHeader(source, header_)) {
    index_->note(indexMessageText(IndexMessage::LoadFailed, kPackageStreams[3].name));
    return fail(PackageStatus::NotOpened);
  }

  const std::string temp = createTemporaryFile(platform_, platform_.temporaryPath(), kIndexPrefix);
  if (temp.empty()) return fail(PackageStatus::IndexTempFile);
  TemporaryFileGuard removeTemp(platform_, temp);
  {
    std::unique_ptr<PlatformFile> file;
    if (platform_.openFile(temp, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file) != kErrorSuccess ||
        !file || !copyStreamToFile(*archive_, h, *file))
      return fail(PackageStatus::IndexTempFile);
  }
  // An index that cannot be read must not open as an empty package: saving
  // that would overwrite the stored trees.
  if (!index_->readFile(temp)) return fail(PackageStatus::NotOpened);
  return true;
}

bool PackageEngine::saveIndex() {
  if (!index_) return fail(PackageStatus::NotOpen);
  int h = streamHandle(PackageStream::RegFileIndex);
  if (h < 0 && (h = createStream(PackageStream::RegFileIndex)) < 0) return fail(PackageStatus::StreamNotCreated);

  const std::string temp = createTemporaryFile(platform_, platform_.temporaryPath(), kIndexPrefix);
  if (temp.empty()) return fail(PackageStatus::IndexNotSaved);
  TemporaryFileGuard removeTemp(platform_, temp);
  if (!index_->writeFile(temp)) return fail(PackageStatus::IndexNotSaved);

  std::unique_ptr<PlatformFile> file;
  std::uint64_t size = 0;
  if (platform_.openFile(temp, FileAccess::Read, kShareRead, FileDisposition::OpenExisting, file) != kErrorSuccess ||
      !file || file->size(size) != kErrorSuccess || size > 0xFFFFFFFFu - kNewIndexStreamFill)
    return fail(PackageStatus::IndexNotSaved);
  const auto n = static_cast<std::uint32_t>(size);
  if (archive_->slots[static_cast<std::size_t>(h)].length < std::uint64_t{n} + kRegFileIndexHeaderSize &&
      WriteAt(*archive_, h, n + kNewIndexStreamFill) != 0)
    return fail(PackageStatus::IndexNotSaved);

  header_.indexLength = n;
  MemorySink words;
  writeRegFileIndexHeader(words, header_);
  if (PKAlseek(*archive_, h, 0, 0) != 0 ||
      PKAwrite(*archive_, h, words.bytes().data(), kRegFileIndexHeaderSize) != static_cast<int>(kRegFileIndexHeaderSize) ||
      !copyFileToStream(*file, size, *archive_, h))
    return fail(PackageStatus::IndexNotSaved);
  return true;
}

}  // namespace tessary
