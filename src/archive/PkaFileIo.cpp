#include "archive/PkaFileIo.h"

#include "archive/PkaErrno.h"

namespace tessary {

namespace {

int seekTo(PlatformFile& file, std::uint64_t position) {
  std::uint64_t at = 0;
  if (position > static_cast<std::uint64_t>(INT64_MAX)) return kCrtEINVAL;
  WinError error = file.seek(static_cast<std::int64_t>(position), SeekOrigin::Begin, at);
  return error == kErrorSuccess ? 0 : crtErrnoFromWinError(error);
}

int noteFailure(PkaArchive& archive, int result, const char* label) {
  if (result != 0) archive.failedOperation = label;
  return result;
}

}  // namespace

int pkaReadAtMost(PlatformFile& file, std::uint64_t position, void* buffer, std::uint32_t count,
                  std::uint32_t& done) {
  done = 0;
  if (int result = seekTo(file, position)) return result;
  // The platform may hand back less than asked before the end; keep going.
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (done < count) {
    std::uint32_t got = 0;
    WinError error = file.read(out + done, count - done, got);
    if (error != kErrorSuccess) return crtErrnoFromWinError(error);
    if (got == 0) break;
    done += got;
  }
  return 0;
}

int pkaWriteAbsolute(PlatformFile& file, std::uint64_t position, const void* buffer, std::uint32_t count) {
  if (int result = seekTo(file, position)) return result;
  if (count == 0) {
    WinError error = file.setEndOfFile();
    return error == kErrorSuccess ? 0 : crtErrnoFromWinError(error);
  }
  std::uint32_t done = 0;
  WinError error = file.write(buffer, count, done);
  if (error != kErrorSuccess) return crtErrnoFromWinError(error);
  return done == count ? 0 : kCrtENOSPC;
}

int pkaFileSize(PlatformFile& file, std::uint64_t& size) {
  WinError error = file.size(size);
  return error == kErrorSuccess ? 0 : crtErrnoFromWinError(error);
}

int pkaReadAt(PkaArchive& archive, std::uint64_t offset, void* buffer, std::uint32_t count,
              const char* label) {
  if (!archive.file) return noteFailure(archive, -1, label);
  std::uint32_t done = 0;
  int result = pkaReadAtMost(*archive.file, archive.base + offset, buffer, count, done);
  if (result == 0 && done != count) result = -1;
  return noteFailure(archive, result, label);
}

int pkaWriteAt(PkaArchive& archive, std::uint64_t offset, const void* buffer, std::uint32_t count,
               const char* label) {
  if (!archive.file) return noteFailure(archive, -1, label);
  return noteFailure(archive, pkaWriteAbsolute(*archive.file, archive.base + offset, buffer, count), label);
}

int pkaFileEnd(PkaArchive& archive, std::uint64_t& end, const char* label) {
  if (!archive.file) return noteFailure(archive, -1, label);
  return noteFailure(archive, pkaFileSize(*archive.file, end), label);
}

}  // namespace tessary
