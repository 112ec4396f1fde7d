#include "archive/IndexObject.h"

#include <memory>

#include "archive/FileByteStream.h"

namespace tessary {

bool IndexObject::readFile(const std::string& path) {
  std::unique_ptr<PlatformFile> file;
  std::uint64_t size = 0;
  if (platform_.openFile(path, FileAccess::Read, kShareRead, FileDisposition::OpenExisting, file) != kErrorSuccess ||
      !file || file->size(size) != kErrorSuccess) {
    log_.append(indexMessageText(IndexMessage::OpenFailed, path));
    return false;
  }
  FileByteSource source(*file, size);
  return readIndex(source, index_, path, this);
}

bool IndexObject::writeFile(const std::string& path) {
  std::unique_ptr<PlatformFile> file;
  if (platform_.openFile(path, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file) != kErrorSuccess ||
      !file) {
    log_.append(indexMessageText(IndexMessage::SaveFailed, path));
    return false;
  }
  FileByteSink sink(*file);
  if (!writeIndex(sink, index_, path, this)) return false;
  if (sink.flush()) return true;
  log_.append(indexMessageText(IndexMessage::LoadFailed, path));
  return false;
}

}  // namespace tessary
