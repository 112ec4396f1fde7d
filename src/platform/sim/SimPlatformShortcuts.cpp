// Shortcuts on the simulated computer: ".lnk" files in the shell-link
// format, read and written through the computer's own file calls, so that
// sharing, read-only files and full drives answer as they do for any file.
#include "platform/sim/ShellLinkFile.h"
#include "platform/sim/SimPlatform.h"

namespace tessary {
namespace {

// Far more than any shortcut holds; a larger file is no shortcut.
constexpr std::uint64_t kMaxShortcutBytes = 1u << 20;

}  // namespace

WinError SimPlatform::readShortcut(const std::string& path, ShortcutFields& fields) {
  fields = {};
  std::unique_ptr<PlatformFile> file;
  WinError result = openFile(path, FileAccess::Read, kShareRead | kShareWrite, FileDisposition::OpenExisting, file);
  if (result) return result;
  std::uint64_t size = 0;
  if ((result = file->size(size))) return result;
  if (size > kMaxShortcutBytes) return kErrorInvalidData;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::uint32_t done = 0;
  if ((result = file->read(bytes.data(), static_cast<std::uint32_t>(bytes.size()), done))) return result;
  bytes.resize(done);
  return parseShellLink(bytes, fields);
}

WinError SimPlatform::saveShortcut(const std::string& path, const ShortcutFields& fields) {
  std::vector<std::uint8_t> bytes;
  // The 95 family keeps the texts in ANSI, the NT family in UTF-16.
  if (!writeShellLink(fields, machine_.isNtFamily(), bytes)) return kErrorInvalidParameter;
  std::unique_ptr<PlatformFile> file;
  WinError result = openFile(path, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file);
  if (result) return result;
  std::uint32_t done = 0;
  result = file->write(bytes.data(), static_cast<std::uint32_t>(bytes.size()), done);
  if (!result && done != bytes.size()) result = kErrorDiskFull;
  if (result) {
    // A cut shortcut would only be refused when read.
    file.reset();
    deleteFile(path);
  }
  return result;
}

}  // namespace tessary

namespace tessary {

WinError SimPlatform::fixUpShortcut(const std::string& path, const ShortcutFields* fields, bool save) {
  ShortcutFields object;
  const WinError loaded = readShortcut(path, object);
  if (fields != nullptr) object = *fields;
  if (save && (loaded == kErrorSuccess || fields != nullptr)) saveShortcut(path, object);
  return loaded;
}

}  // namespace tessary
