#include "archive/index/PackageIndex.h"
#include "archive/index/TreeSerial.h"

namespace tessary {
namespace {

bool writeHeaderWord(ByteSink& sink, std::uint32_t value) {
  std::uint8_t b[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                       static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return sink.write(b, 4);
}

ArchiveFault writePass(ByteSink& sink, const PackageIndex& index, IndexObserver* observer) {
  ObjectArchiveWriter archive(sink);
  if (!index.registryTree || !index.fileTree) return ArchiveFault::Unstorable;
  archive.string(index.reservedText);
  archive.string(index.buildProfileFolder);
  archive.string(index.buildWindowsFolder);
  if (index.version >= kIndexVersionNew) archive.f32(index.version);
  if (writeTree(archive, *index.registryTree, index.version, observer)) {
    writeTree(archive, *index.fileTree, index.version, observer);
  }
  return archive.fault();
}

}  // namespace

bool writeRegFileIndexHeader(ByteSink& sink, const RegFileIndexHeader& header) {
  return writeHeaderWord(sink, header.indexLength) && writeHeaderWord(sink, header.registryUsed) &&
         writeHeaderWord(sink, header.fileUsed);
}

bool writeIndex(ByteSink& sink, const PackageIndex& index, std::string_view sourceName, IndexObserver* observer,
                ArchiveFault* fault) {
  ArchiveFault result = writePass(sink, index, observer);
  if (fault) *fault = result;
  if (result == ArchiveFault::None) return true;
  if (observer) observer->diagnostic(indexMessageText(IndexMessage::LoadFailed, sourceName));
  return false;
}

bool writeRegFileIndex(ByteSink& sink, PackageIndex& index, std::string_view sourceName, IndexObserver* observer,
                       ArchiveFault* fault) {
  MemorySink staged;
  if (!writeIndex(staged, index, sourceName, observer, fault)) return false;
  if (staged.bytes().size() > 0xFFFFFFFFu) {
    if (fault) *fault = ArchiveFault::Unstorable;
    if (observer) observer->diagnostic(indexMessageText(IndexMessage::LoadFailed, sourceName));
    return false;
  }
  index.header.indexLength = static_cast<std::uint32_t>(staged.bytes().size());
  if (writeRegFileIndexHeader(sink, index.header) && sink.write(staged.bytes().data(), staged.bytes().size())) {
    return true;
  }
  if (fault) *fault = ArchiveFault::WriteFailed;
  if (observer) observer->diagnostic(indexMessageText(IndexMessage::LoadFailed, sourceName));
  return false;
}

}  // namespace tessary
