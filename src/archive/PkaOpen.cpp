// Opening, validating and closing an archive.
#include <array>

#include "archive/PkaArchive.h"
#include "archive/PkaBytes.h"
#include "archive/PkaDirectory.h"
#include "archive/PkaErrno.h"
#include "archive/PkaFileIo.h"

namespace tessary {

namespace {

constexpr const char* kLabel = "PKAsetFileHandle";

void clearSlots(PkaArchive& archive) {
  for (PkaStreamSlot& slot : archive.slots) {
    slot.inUse = false;
    slot.cacheStart = kPkaCacheEmpty;
    slot.cacheFill = 0;
  }
}

// Reads the first 28 bytes at `position`; the last 8 are optional, since a
// new archive is just its 20-byte header.
int readHeaderBytes(PlatformFile& file, std::uint64_t position, std::array<std::uint8_t, kPkaHeaderReadSize>& bytes) {
  std::uint32_t done = 0;
  if (int result = pkaReadAtMost(file, position, bytes.data(), kPkaHeaderReadSize, done)) return result;
  return done >= kPkaHeaderSize ? 0 : -1;
}

int locateAndValidate(PkaArchive& archive) {
  std::array<std::uint8_t, kPkaHeaderReadSize> bytes{};
  if (int result = readHeaderBytes(*archive.file, 0, bytes)) return result;
  if (!pkaHasMagic(bytes.data(), "PKAF") && bytes[0] == 'M' && bytes[1] == 'Z') {
    std::uint16_t word = readLe16(bytes.data() + kPkaExeBaseWord);
    if (word == 0) return -1;  // an executable without a package
    archive.base = static_cast<std::uint32_t>(word) * kPkaBaseUnit;
    if (int result = readHeaderBytes(*archive.file, archive.base, bytes)) return result;
  }
  bool valid = pkaHasMagic(bytes.data(), "PKAF") && readLe32(bytes.data() + kPkaHeaderVersion) == kPkaFormatVersion &&
               readLe32(bytes.data() + kPkaHeaderOne) == 1;
  return valid ? 0 : -1;
}

}  // namespace

int PKAsetFileHandle(PkaArchive& archive, std::unique_ptr<PlatformFile> file) {
  clearSlots(archive);
  archive.base = 0;
  archive.file = std::move(file);
  if (!archive.file) return -1;
  int result = locateAndValidate(archive);
  if (result != 0) {
    archive.failedOperation = kLabel;
    archive.file.reset();
    archive.base = 0;
  }
  return result;
}

int PKAopenArchive(PkaArchive& archive, Platform& platform, const std::string& path, bool readOnly) {
  if (archive.isOpen()) PKAcloseArchive(archive);
  const unsigned share = kShareRead | kShareWrite;
  std::unique_ptr<PlatformFile> file;
  WinError error = kErrorInvalidParameter;
  if (!readOnly)
    error = platform.openFile(path, FileAccess::ReadWrite, share, FileDisposition::OpenExisting, file);
  // The running executable cannot be opened for writing: read it then.
  if (readOnly || error != kErrorSuccess || !file) {
    file.reset();
    error = platform.openFile(path, FileAccess::Read, share, FileDisposition::OpenExisting, file);
  }
  if (error != kErrorSuccess) return crtErrnoFromWinError(error);
  if (!file) return -1;
  return PKAsetFileHandle(archive, std::move(file));
}

int PKAcloseArchive(PkaArchive& archive) {
  if (!archive.isOpen()) return -1;
  int result = 0;
  for (int handle = 0; handle < kPkaSlotCount; ++handle) {
    if (!archive.slots[static_cast<std::size_t>(handle)].inUse) continue;
    int closed = PKAclose(archive, handle);
    if (closed != 0 && result == 0) result = closed;
  }
  clearSlots(archive);
  archive.file.reset();
  archive.base = 0;
  return result;
}

}  // namespace tessary
