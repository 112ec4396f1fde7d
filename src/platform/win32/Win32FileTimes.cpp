// File times: setting them, and showing them in local time.
#include <windows.h>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

FILETIME toFileTime(FileTime time) {
  FILETIME result{};
  result.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
  result.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return result;
}

}  // namespace

WinError Win32Platform::setFileTimes(const std::string& path, FileTime created, FileTime lastWrite) {
  // GENERIC_WRITE: FILE_WRITE_ATTRIBUTES alone is refused by the 95 family.
  OwnedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const WinError error = GetLastError();
    *file.out() = nullptr;
    return error;
  }
  const FILETIME creation = toFileTime(created);
  const FILETIME written = toFileTime(lastWrite);
  return SetFileTime(file.get(), &creation, nullptr, &written) ? kErrorSuccess : GetLastError();
}

bool Win32Platform::fileTimeToLocalTime(FileTime time, LocalTime& local) {
  local = {};
  const FILETIME universal = toFileTime(time);
  FILETIME shifted{};
  SYSTEMTIME parts{};
  if (!FileTimeToLocalFileTime(&universal, &shifted) || !FileTimeToSystemTime(&shifted, &parts)) return false;
  local = LocalTime{parts.wYear, parts.wMonth, parts.wDayOfWeek, parts.wDay,
                    parts.wHour, parts.wMinute, parts.wSecond, parts.wMilliseconds};
  return true;
}

}  // namespace tessary
