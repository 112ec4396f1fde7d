// Attributes, folders and deletes on the simulated computer.
#include <system_error>

#include "platform/sim/SimPlatform.h"

namespace tessary {

namespace {

// CreateDirectory keeps room for an 8.3 name below the new folder.
constexpr std::size_t kMaxFolderText = 248;

std::string hexBits(std::uint32_t bits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(bits >> shift) & 0xF];
  return text;
}

bool hostReadOnly(const std::filesystem::path& host) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(host, ec);
  return !ec && (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

bool setHostReadOnly(const std::filesystem::path& host, bool readOnly) {
  using std::filesystem::perms;
  std::error_code ec;
  const perms write = perms::owner_write | perms::group_write | perms::others_write;
  if (readOnly) {
    std::filesystem::permissions(host, write, std::filesystem::perm_options::remove, ec);
  } else {
    std::filesystem::permissions(host, perms::owner_write, std::filesystem::perm_options::add, ec);
  }
  return !ec;
}

}  // namespace

std::uint32_t SimPlatform::attributesOf(const std::string& windowsPath, const std::filesystem::path& host,
                                        bool isDirectory) const {
  std::uint32_t bits = attributes_.bits(windowsPath, isDirectory);
  if (isDirectory) bits |= kAttrDirectory;
  if (hostReadOnly(host)) bits |= kAttrReadOnly;
  return bits == 0 ? static_cast<std::uint32_t>(kAttrNormal) : bits;
}

WinError SimPlatform::fileAttributes(const std::string& path, std::uint32_t& attributes) {
  attributes = 0;
  WindowsPath parsed;
  HostLocation location;
  if (WinError error = locate(path, parsed, location)) return error;
  if (!location.exists) return kErrorFileNotFound;
  attributes = attributesOf(parsed.text(), location.host, location.isDirectory);
  return kErrorSuccess;
}

WinError SimPlatform::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  WindowsPath parsed;
  HostLocation location;
  WinError result = locate(path, parsed, location);
  if (!result && !location.exists) result = kErrorFileNotFound;
  if (!result) {
    std::string error;
    if (!setHostReadOnly(location.host, attributes & kAttrReadOnly) ||
        !attributes_.set(parsed.text(), location.isDirectory, attributes, error))
      result = kErrorAccessDenied;
  }
  record("attributes " + (parsed.drive ? parsed.text() : path) + ' ' + hexBits(attributes), result);
  return result;
}

WinError SimPlatform::createFolder(const std::string& path) {
  WindowsPath parsed;
  HostLocation location;
  WinError result = path.size() > kMaxFolderText ? kErrorFilenameExcedRange : locate(path, parsed, location);
  if (!result && location.exists) result = kErrorAlreadyExists;
  if (!result && (machine_.isDeniedFolder(parsed) || machine_.isInDeniedFolder(parsed))) result = kErrorAccessDenied;
  if (!result) {
    std::error_code ec;
    if (!std::filesystem::create_directory(location.host, ec)) result = kErrorAccessDenied;
  }
  record("mkdir " + (parsed.drive ? parsed.text() : path), result);
  return result;
}

WinError SimPlatform::removeFolder(const std::string& path) {
  WindowsPath parsed;
  HostLocation location;
  WinError result = locate(path, parsed, location);
  if (!result) {
    std::error_code ec;
    if (!location.exists) {
      result = kErrorFileNotFound;
    } else if (!location.isDirectory) {
      result = kErrorDirectory;
    } else if (parsed.names.empty() || hostReadOnly(location.host)) {
      result = kErrorAccessDenied;
    } else if (!std::filesystem::is_empty(location.host, ec) || ec) {
      result = ec ? kErrorAccessDenied : kErrorDirNotEmpty;
    } else if (machine_.isLockedFault(parsed)) {
      result = kErrorSharingViolation;
    } else if (!std::filesystem::remove(location.host, ec)) {
      result = kErrorAccessDenied;
    } else {
      std::string error;
      attributes_.forget(parsed.text(), error);
    }
  }
  record("rmdir " + (parsed.drive ? parsed.text() : path), result);
  return result;
}

WinError SimPlatform::deleteFile(const std::string& path) {
  WindowsPath parsed;
  HostLocation location;
  WinError result = locate(path, parsed, location);
  if (!result) {
    std::error_code ec;
    std::uintmax_t size = 0;
    if (!location.exists) {
      result = kErrorFileNotFound;
    } else if (location.isDirectory || hostReadOnly(location.host) || machine_.isReadOnlyFault(parsed)) {
      result = kErrorAccessDenied;
    } else if (WinError busy = checkNotInUse(parsed, location)) {
      result = busy;
    } else if (size = std::filesystem::file_size(location.host, ec), ec ||
               !std::filesystem::remove(location.host, ec)) {
      result = kErrorAccessDenied;
    } else {
      state_->space.change(parsed.drive, -static_cast<std::int64_t>(size));
      std::string error;
      attributes_.forget(parsed.text(), error);
    }
  }
  record("delete " + (parsed.drive ? parsed.text() : path), result);
  return result;
}

}  // namespace tessary
