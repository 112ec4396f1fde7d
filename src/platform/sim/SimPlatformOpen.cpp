#include <fstream>
#include <system_error>

#include "platform/sim/SimFile.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

const char* accessText(FileAccess access) {
  switch (access) {
    case FileAccess::Read: return "r";
    case FileAccess::Write: return "w";
    case FileAccess::ReadWrite: return "rw";
  }
  return "?";
}

bool isHostReadOnly(const std::filesystem::path& host) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(host, ec);
  return !ec && (status.permissions() & std::filesystem::perms::owner_write) ==
                    std::filesystem::perms::none;
}

bool createEmptyHostFile(const std::filesystem::path& host) {
  std::ofstream out(host, std::ios::binary | std::ios::app);
  return static_cast<bool>(out);
}

// The ANSI entry points convert a path into a buffer of MAX_PATH characters.
constexpr std::size_t kMaxPathText = 259;

}  // namespace

WinError SimPlatform::locate(const std::string& path, WindowsPath& parsed, HostLocation& location) const {
  parsed = WindowsPath();
  if (path.size() > kMaxPathText) return kErrorFilenameExcedRange;
  if (WinError error = parseWindowsPath(path, parsed)) {
    parsed = WindowsPath();
    return error;
  }
  return locateOnHost(machine_.drivesFolder(), parsed, location);
}

bool SimPlatform::isRunningImage(const WindowsPath& parsed) const {
  WindowsPath program;
  if (exePath_.empty() || parseWindowsPath(exePath_, program) != kErrorSuccess) return false;
  if (program.drive != parsed.drive || program.names.size() != parsed.names.size()) return false;
  for (std::size_t i = 0; i < program.names.size(); ++i)
    if (foldCase(program.names[i]) != foldCase(parsed.names[i])) return false;
  return true;
}

WinError SimPlatform::checkNotInUse(const WindowsPath& parsed, const HostLocation& location) const {
  if (machine_.isLockedFault(parsed)) return kErrorSharingViolation;
  if (isRunningImage(parsed)) return kErrorAccessDenied;
  if (!state_->openFiles.allowsDelete(location.host.generic_string())) return kErrorSharingViolation;
  return kErrorSuccess;
}

WinError SimPlatform::openFile(const std::string& path, FileAccess access, unsigned share,
                               FileDisposition disposition, std::unique_ptr<PlatformFile>& file) {
  file.reset();
  std::string journalPath = path;
  WinError result = kErrorSuccess;
  try {
    result = openChecked(path, access, share, disposition, file, journalPath);
  } catch (const std::exception&) {
    file.reset();
    result = kErrorAccessDenied;
  }
  std::string line = "open " + journalPath + ' ' + accessText(access);
  if (result != kErrorSuccess) line += " -> " + std::to_string(result);
  state_->journal.push_back(std::move(line));
  return result;
}

WinError SimPlatform::openChecked(const std::string& path, FileAccess access, unsigned share,
                                  FileDisposition disposition,
                                  std::unique_ptr<PlatformFile>& file, std::string& journalPath) {
  bool writes = access != FileAccess::Read;
  if (access > FileAccess::ReadWrite || (share & ~7u) != 0 ||
      disposition < FileDisposition::CreateNew || disposition > FileDisposition::TruncateExisting)
    return kErrorInvalidParameter;
  if (disposition == FileDisposition::TruncateExisting && !writes) return kErrorInvalidParameter;

  if (path.size() > kMaxPathText) return kErrorFilenameExcedRange;
  WindowsPath parsed;
  if (WinError error = parseWindowsPath(path, parsed)) return error;
  journalPath = parsed.text();
  HostLocation location;
  if (WinError error = locateOnHost(machine_.drivesFolder(), parsed, location)) return error;

  if (location.isDirectory)
    return disposition == FileDisposition::CreateNew ? kErrorFileExists : kErrorAccessDenied;
  if (location.exists) {
    if (disposition == FileDisposition::CreateNew) return kErrorFileExists;
    bool replaces = disposition == FileDisposition::CreateAlways ||
                    disposition == FileDisposition::TruncateExisting;
    if ((writes || replaces) &&
        (isHostReadOnly(location.host) || machine_.isReadOnlyFault(parsed)))
      return kErrorAccessDenied;
  } else if (disposition == FileDisposition::OpenExisting ||
             disposition == FileDisposition::TruncateExisting) {
    return kErrorFileNotFound;
  }

  std::string key = location.host.generic_string();
  if (location.exists && machine_.isLockedFault(parsed)) return kErrorSharingViolation;
  if (location.exists && writes && isRunningImage(parsed)) return kErrorSharingViolation;
  if (WinError error = state_->openFiles.check(key, access, share)) return error;

  if (!location.exists) {
    if (machine_.isInDeniedFolder(parsed) || !createEmptyHostFile(location.host)) return kErrorAccessDenied;
  } else if (disposition == FileDisposition::CreateAlways ||
             disposition == FileDisposition::TruncateExisting) {
    std::error_code ec;
    std::uintmax_t old = std::filesystem::file_size(location.host, ec);
    if (ec) return kErrorAccessDenied;
    std::filesystem::resize_file(location.host, 0, ec);
    if (ec) return kErrorAccessDenied;
    state_->space.change(parsed.drive, -static_cast<std::int64_t>(old));
  }

  std::ios::openmode mode = std::ios::binary | std::ios::in;
  if (writes) mode |= std::ios::out;
  std::fstream stream(location.host, mode);
  if (!stream.is_open()) return kErrorAccessDenied;

  std::uint64_t id = state_->openFiles.add(key, access, share);
  file = std::make_unique<SimFile>(state_, id, journalPath, location.host, std::move(stream), access);
  return kErrorSuccess;
}

}  // namespace tessary
