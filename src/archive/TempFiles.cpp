#include "archive/TempFiles.h"

#include <memory>

#include "support/RunLogPlace.h"

namespace tessary {
namespace {

constexpr std::uint32_t kUniqueNumbers = 0xFFFF;

char hexDigit(unsigned value) { return "0123456789ABCDEF"[value & 0xF]; }

std::string hexText(std::uint32_t value) {
  std::string text;
  do {
    text.insert(text.begin(), hexDigit(value));
    value >>= 4;
  } while (value != 0);
  return text;
}

}  // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += name;
  return path;
}

std::string ensureCorvaneTempFolder(Platform& platform) {
  std::string folder = runTempFolder(platform);
  return ensureFolder(platform, folder) ? folder : std::string();
}

WinError createTemporaryFile(Platform& platform, std::string_view folder, std::string_view prefix,
                             std::string& path) {
  // Start where the clock points, as the platform does, so that runs rarely
  // meet each other's names.
  const LocalTime now = platform.localTime();
  std::uint32_t number = (now.second * 1000u + now.milliseconds + now.minute * 60000u) % kUniqueNumbers;
  const std::string stem = joinPath(folder, prefix.substr(0, 3));
  path.clear();
  WinError error = kErrorFileExists;
  for (std::uint32_t tries = 0; tries < kUniqueNumbers; ++tries) {
    number = number % kUniqueNumbers + 1;
    std::string candidate = stem + hexText(number) + ".tmp";
    std::unique_ptr<PlatformFile> file;
    error = platform.openFile(candidate, FileAccess::Write, kShareNone, FileDisposition::CreateNew, file);
    if (error == kErrorSuccess && file) {
      path = std::move(candidate);
      return kErrorSuccess;
    }
    if (error != kErrorFileExists && error != kErrorAlreadyExists) return error;
  }
  return error;
}

std::string createTemporaryFile(Platform& platform, std::string_view folder, std::string_view prefix) {
  std::string path;
  createTemporaryFile(platform, folder, prefix, path);
  return path;
}

}  // namespace tessary
