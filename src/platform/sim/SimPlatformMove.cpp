// MoveFileEx on the simulated computer: moves now, or at the next start.
#include <system_error>

#include "platform/sim/SimPlatform.h"

namespace tessary {

namespace {

constexpr const char* kSessionManager = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingValue = "PendingFileRenameOperations";

void appendString(std::vector<std::uint8_t>& data, const std::string& text) {
  data.insert(data.end(), text.begin(), text.end());
  data.push_back(0);
}

std::uintmax_t sizeOf(const std::filesystem::path& host) {
  std::error_code ec;
  std::uintmax_t size = std::filesystem::file_size(host, ec);
  return ec ? 0 : size;
}

}  // namespace

WinError SimPlatform::moveFile(const std::string& from, const std::string& to, std::uint32_t flags) {
  std::string shown;
  WinError result = kErrorSuccess;
  try {
    result = (flags & kMoveDelayUntilReboot) ? moveAtReboot(from, to, flags, shown)
                                             : moveNow(from, to, flags, shown);
  } catch (const std::exception&) {
    result = kErrorAccessDenied;
  }
  record(std::move(shown), result);
  return result;
}

// Recorded as the system's session manager reads it at the next start:
// pairs of "\??\source" and "\??\target" ('!' first when the target may be
// replaced), an empty target for a delete.
WinError SimPlatform::moveAtReboot(const std::string& from, const std::string& to, std::uint32_t flags,
                                   std::string& shown) {
  shown = (to.empty() ? "delete at reboot " + from : "move at reboot " + from + ' ' + to);
  if (!machine_.isNtFamily()) return kErrorCallNotImplemented;
  if (flags & kMoveCopyAllowed) return kErrorInvalidParameter;
  std::string source, target;
  if (WinError error = fullPathName(from, source)) return error;
  if (!to.empty())
    if (WinError error = fullPathName(to, target)) return error;
  shown = to.empty() ? "delete at reboot " + source : "move at reboot " + source + ' ' + target;

  RegistryKey* key = machine_.registry().createKey(kSessionManager);
  std::vector<std::uint8_t> data;
  if (const RegistryValue* existing = key->value(kPendingValue)) {
    data = existing->data;
    // Drop the list's closing zero; the strings keep theirs.
    if (data.size() >= 2 && data[data.size() - 1] == 0 && data[data.size() - 2] == 0) data.pop_back();
  }
  appendString(data, "\\??\\" + source);
  appendString(data, target.empty() ? std::string() : ((flags & kMoveReplaceExisting) ? "!" : "") + ("\\??\\" + target));
  data.push_back(0);
  key->setValue(kPendingValue, kRegMultiSz, std::move(data));
  return kErrorSuccess;
}

WinError SimPlatform::moveNow(const std::string& from, const std::string& to, std::uint32_t flags,
                              std::string& shown) {
  shown = "move " + from + ' ' + to;
  WindowsPath source, target;
  HostLocation sourceAt, targetAt;
  if (WinError error = locate(from, source, sourceAt)) return error;
  if (WinError error = locate(to, target, targetAt)) return error;
  shown = "move " + source.text() + ' ' + target.text();
  if (!sourceAt.exists) return kErrorFileNotFound;
  if (source.names.empty() || target.names.empty()) return kErrorAccessDenied;

  bool sameEntry = targetAt.exists && targetAt.host == sourceAt.host;
  if (targetAt.exists && !sameEntry) {
    if (!(flags & kMoveReplaceExisting)) return kErrorAlreadyExists;
    if (sourceAt.isDirectory || targetAt.isDirectory) return kErrorAccessDenied;
    if (machine_.isReadOnlyFault(target)) return kErrorAccessDenied;
    std::error_code ec;
    auto status = std::filesystem::status(targetAt.host, ec);
    if (!ec && (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
      return kErrorAccessDenied;
    if (WinError busy = checkNotInUse(target, targetAt)) return busy;
  }
  if (WinError busy = checkNotInUse(source, sourceAt)) return busy;
  std::string sourceKey = sourceAt.host.generic_string();
  if (sourceAt.isDirectory && state_->openFiles.countBelow(sourceKey) > 0) return kErrorAccessDenied;

  bool crossesDrives = source.drive != target.drive;
  if (crossesDrives && (sourceAt.isDirectory || !(flags & kMoveCopyAllowed))) return kErrorNotSameDevice;

  std::uintmax_t size = sourceAt.isDirectory ? 0 : sizeOf(sourceAt.host);
  std::uintmax_t replaced = targetAt.exists && !sameEntry ? sizeOf(targetAt.host) : 0;
  if (crossesDrives && size > replaced && size - replaced > state_->space.available(target.drive))
    return kErrorDiskFull;

  // The new name is spelt as the caller spelt it, as Windows does.
  std::filesystem::path destination = targetAt.host.parent_path() / target.names.back();
  std::error_code ec;
  if (targetAt.exists && !sameEntry) {
    std::filesystem::remove(targetAt.host, ec);
    if (ec) return kErrorAccessDenied;
    state_->space.change(target.drive, -static_cast<std::int64_t>(replaced));
  }
  if (crossesDrives) {
    std::filesystem::copy_file(sourceAt.host, destination, ec);
    if (ec) return kErrorAccessDenied;
    state_->space.change(target.drive, static_cast<std::int64_t>(size));
    std::filesystem::remove(sourceAt.host, ec);
    state_->space.change(source.drive, -static_cast<std::int64_t>(size));
  } else {
    std::filesystem::rename(sourceAt.host, destination, ec);
    if (ec) return kErrorAccessDenied;
  }
  std::string error;
  attributes_.move(source.text(), target.text(), error);
  return kErrorSuccess;
}

}  // namespace tessary
