// Attributes, folders, deleting, moving and path forms.
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

WinError lastErrorUnless(BOOL ok) { return ok ? kErrorSuccess : lastFailure(); }

}  // namespace

WinError Win32Platform::fileAttributes(const std::string& path, std::uint32_t& attributes) {
  const DWORD answer = GetFileAttributesA(path.c_str());
  if (answer == INVALID_FILE_ATTRIBUTES) {
    attributes = 0;
    return lastFailure();
  }
  attributes = answer;
  return kErrorSuccess;
}

WinError Win32Platform::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  return lastErrorUnless(SetFileAttributesA(path.c_str(), attributes));
}

WinError Win32Platform::createFolder(const std::string& path) {
  return lastErrorUnless(CreateDirectoryA(path.c_str(), nullptr));
}

WinError Win32Platform::removeFolder(const std::string& path) {
  return lastErrorUnless(RemoveDirectoryA(path.c_str()));
}

WinError Win32Platform::deleteFile(const std::string& path) {
  return lastErrorUnless(DeleteFileA(path.c_str()));
}

WinError Win32Platform::moveFile(const std::string& from, const std::string& to, std::uint32_t flags) {
  const char* target = to.empty() ? nullptr : to.c_str();
  if (MoveFileExA(from.c_str(), target, flags)) return kErrorSuccess;
  const WinError error = lastFailure();
  // The 95 family answers 120 to every MoveFileEx. A plain move does the
  // same when nothing waits for the next start. A restart-time move keeps the
  // 120, as the interface promises: that family records such moves in
  // wininit.ini, which the layer above edits.
  if (error != ERROR_CALL_NOT_IMPLEMENTED || (flags & kMoveDelayUntilReboot) || !target) return error;
  if (MoveFileA(from.c_str(), target)) return kErrorSuccess;
  const WinError plainError = lastFailure();
  if (!(flags & kMoveReplaceExisting) || (plainError != ERROR_ALREADY_EXISTS && plainError != ERROR_FILE_EXISTS))
    return plainError;
  // Never delete the target when the source cannot be moved afterwards.
  if (GetFileAttributesA(from.c_str()) == INVALID_FILE_ATTRIBUTES) return lastFailure();
  if (!DeleteFileA(target)) return lastFailure();
  return lastErrorUnless(MoveFileA(from.c_str(), target));
}

WinError Win32Platform::fullPathName(const std::string& path, std::string& full) {
  const bool ok = fetchText(
      [&](char* buffer, std::uint32_t size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); },
      full);
  return ok ? kErrorSuccess : lastFailure();
}

WinError Win32Platform::shortPathName(const std::string& path, std::string& shortPath) {
  const bool ok = fetchText(
      [&](char* buffer, std::uint32_t size) { return GetShortPathNameA(path.c_str(), buffer, size); },
      shortPath);
  return ok ? kErrorSuccess : lastFailure();
}

}  // namespace tessary
