// Opening a package: the archive, then each stream in slot order, creating
// the ones a stub lacks.
#include <algorithm>
#include <vector>

#include "archive/PackageEngine.h"
#include "archive/index/FormatVersion.h"
#include "support/TextCompare.h"

namespace tessary {
namespace {
constexpr std::uint32_t kZeroPiece = 65535;
}  // namespace

PackageEngine::PackageEngine(Platform& platform) : platform_(platform), archive_(std::make_unique<PkaArchive>()) {
  streams_.fill(-1);
}

PackageEngine::~PackageEngine() {
  if (open_ && !closePackage()) abandonPackage();
}

bool PackageEngine::fail(PackageStatus status) {
  status_ = statusCode(status);
  return false;
}

bool PackageEngine::abandonWith(PackageStatus status) {
  status_ = statusCode(status);
  abandonPackage();
  return false;
}

int PackageEngine::openStream(PackageStream stream) {
  int& h = handle(stream);
  h = PKAopen(*archive_, kPackageStreams[static_cast<std::size_t>(stream)].name, 0);
  return h;
}

int PackageEngine::createStream(PackageStream stream) {
  const PackageStreamInfo& info = kPackageStreams[static_cast<std::size_t>(stream)];
  int& h = handle(stream);
  h = PKAcreat(*archive_, info.name, 0, info.type);
  return h;
}

bool PackageEngine::writeZeros(int h, std::uint32_t count) {
  const std::vector<std::uint8_t> zeros(std::min(count, kZeroPiece), 0);
  while (count > 0) {
    const std::uint32_t piece = std::min(count, kZeroPiece);
    if (PKAwrite(*archive_, h, zeros.data(), piece) != static_cast<int>(piece)) return false;
    count -= piece;
  }
  return true;
}

bool PackageEngine::openOptionsStream() {
  if (openStream(PackageStream::InstallOptions) >= 0) {
    loadInstallOptions();
    return true;
  }
  const int h = createStream(PackageStream::InstallOptions);
  if (h < 0) return abandonWith(PackageStatus::StreamNotCreated);
  if (!writeZeros(h, kInstallOptionsStreamSize)) return abandonWith(PackageStatus::WriteFailed);
  PackageIndex& index = index_->index();
  index.buildProfileFolder = context_.loggedOnProfileFolder;
  index.buildWindowsFolder = platform_.windowsFolder();
  options_.formatVersion = kFormatVersionWritten;
  return true;
}

bool PackageEngine::openRegistryStream() {
  if (openStream(PackageStream::Registry) >= 0) return true;
  const int h = createStream(PackageStream::Registry);
  if (h < 0) return abandonWith(PackageStatus::NotOpened);
  if (!writeZeros(h, kNewRegistryStreamSize)) return abandonWith(PackageStatus::WriteFailed);
  return true;
}

bool PackageEngine::openFileStream() {
  if (openStream(PackageStream::File) < 0 && createStream(PackageStream::File) < 0)
    return abandonWith(PackageStatus::NotOpened);
  // A package without a usable bitmap still opens.
  extractBitmap();
  status_ = statusCode(PackageStatus::Success);
  return true;
}

bool PackageEngine::openIndexStream() {
  if (openStream(PackageStream::RegFileIndex) >= 0) {
    if (loadIndex()) return true;
    abandonPackage();
    return false;
  }
  const int h = createStream(PackageStream::RegFileIndex);
  if (h < 0) return abandonWith(PackageStatus::StreamNotCreated);
  MemorySink words;
  writeRegFileIndexHeader(words, header_);
  if (PKAwrite(*archive_, h, words.bytes().data(), kRegFileIndexHeaderSize) != static_cast<int>(kRegFileIndexHeaderSize) ||
      !writeZeros(h, kNewIndexStreamFill))
    return abandonWith(PackageStatus::WriteFailed);
  return true;
}

void PackageEngine::openVariableStream() {
  // A read-only package without one opens all the same; saving or reading
  // variables then reports 10026.
  if (openStream(PackageStream::Variable) < 0) createStream(PackageStream::Variable);
}

bool PackageEngine::openPackage(const std::string& path, bool readOnly, const PackageOpenContext& context) {
  if (open_) return true;
  status_ = statusCode(PackageStatus::Success);
  context_ = context;
  if (PKAopenArchive(*archive_, platform_, path, readOnly) != 0) return fail(PackageStatus::NotOpened);
  open_ = true;
  index_ = std::make_unique<IndexObject>(platform_);

  if (!openOptionsStream()) return false;
  // Refused before any missing stream is added to a package we cannot run.
  if (options_.formatVersion > kFormatVersionNewest) return abandonWith(PackageStatus::VersionTooNew);
  if (!openRegistryStream() || !openFileStream() || !openIndexStream()) return false;
  if (hasVariablesStream(options_.formatVersion)) openVariableStream();

  if (streamHandle(PackageStream::Registry) < 0 || streamHandle(PackageStream::File) < 0)
    return abandonWith(PackageStatus::NotOpened);
  path_ = path;
  applyOpenVersionRules(options_.formatVersion);
  return true;
}

bool PackageEngine::reopenArchive() {
  const auto wasOpen = streams_;
  streams_.fill(-1);
  if (PKAopenArchive(*archive_, platform_, path_, false) != 0) return false;
  for (std::size_t i = 0; i < kPackageStreamCount; ++i) {
    if (wasOpen[i] >= 0) openStream(static_cast<PackageStream>(i));
  }
  return streamHandle(PackageStream::Registry) >= 0 && streamHandle(PackageStream::File) >= 0;
}

std::int64_t PackageEngine::streamLength(std::string_view name) {
  if (!open_) return -1;
  // The directory learns an open stream's length only when it closes.
  for (std::size_t i = 0; i < kPackageStreamCount; ++i) {
    if (streams_[i] >= 0 && equalsNoCase(name, kPackageStreams[i].name))
      return archive_->slots[static_cast<std::size_t>(streams_[i])].length;
  }
  const std::string text(name);
  const int h = PKAopen(*archive_, text.c_str(), 0);
  if (h < 0) return 0;
  const std::uint32_t length = archive_->slots[static_cast<std::size_t>(h)].length;
  PKAclose(*archive_, h);
  return length;
}

}  // namespace tessary
