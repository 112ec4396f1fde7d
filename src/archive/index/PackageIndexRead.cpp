#include "archive/index/PackageIndex.h"
#include "archive/index/TreeSerial.h"

namespace tessary {
namespace {

bool readHeaderWord(ByteSource& source, std::uint32_t& value) {
  std::uint8_t b[4];
  if (source.read(b, 4) != 4) return false;
  value = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
          (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  return true;
}

enum class VersionFloat { Read, Absent };

// One pass over the index with a fresh class table. `noFloat` is set when
// the four bytes after the strings are no version: only 3.0 and later store
// the float, so anything else is the start of the registry tree.
ArchiveFault readPass(ByteSource& source, VersionFloat versionFloat, PackageIndex& out, IndexObserver* observer,
                      bool& noFloat) {
  ObjectArchiveReader archive(source);
  archive.string(out.reservedText);
  archive.string(out.buildProfileFolder);
  archive.string(out.buildWindowsFolder);
  out.version = kIndexVersionOldest;
  if (versionFloat == VersionFloat::Read) {
    float stored = 0.0f;
    if (!archive.f32(stored)) return archive.fault();
    if (!(stored >= kIndexVersionNew)) {
      noFloat = true;
      return archive.fault();
    }
    out.version = stored;
  }
  out.registryTree = readTree(archive, out.version, observer);
  if (out.registryTree) out.fileTree = readTree(archive, out.version, observer);
  return archive.fault();
}

}  // namespace

bool readRegFileIndexHeader(ByteSource& source, RegFileIndexHeader& header) {
  RegFileIndexHeader read;
  if (!readHeaderWord(source, read.indexLength) || !readHeaderWord(source, read.registryUsed) ||
      !readHeaderWord(source, read.fileUsed)) {
    return false;
  }
  header = read;
  return true;
}

bool readIndex(ByteSource& source, PackageIndex& index, std::string_view sourceName, IndexObserver* observer,
               ArchiveFault* fault) {
  const std::uint64_t start = source.position();
  PackageIndex read;
  bool noFloat = false;
  ArchiveFault result = readPass(source, VersionFloat::Read, read, observer, noFloat);
  if (noFloat || result == ArchiveFault::UnknownClassIndex) {
    // Only these start again: a damaged 3.0 index followed by the stream's
    // zero fill would too often read as a 1.0 one of nonsense.
    read = PackageIndex{};
    result = source.seek(start) ? readPass(source, VersionFloat::Absent, read, observer, noFloat)
                                : ArchiveFault::Truncated;
  }
  if (fault) *fault = result;
  if (result != ArchiveFault::None) {
    if (observer) observer->diagnostic(indexMessageText(IndexMessage::LoadFailed, sourceName));
    return false;
  }
  read.header = index.header;
  index = std::move(read);
  return true;
}

bool readRegFileIndex(ByteSource& source, PackageIndex& index, std::string_view sourceName,
                      IndexObserver* observer, ArchiveFault* fault) {
  RegFileIndexHeader header;
  if (!readRegFileIndexHeader(source, header)) {
    if (fault) *fault = ArchiveFault::Truncated;
    if (observer) observer->diagnostic(indexMessageText(IndexMessage::LoadFailed, sourceName));
    return false;
  }
  if (!readIndex(source, index, sourceName, observer, fault)) return false;
  index.header = header;
  return true;
}

}  // namespace tessary
