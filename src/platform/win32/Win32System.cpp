// Facts of the running system: version, names, environment, clock, messages.
#include <windows.h>

#include <cstring>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Text.h"

namespace tessary {

bool Win32Platform::osVersion(OsVersion& version) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);  // the 148-byte basic structure
  if (!GetVersionExA(&info)) return false;
  version.platformId = info.dwPlatformId;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;
  version.servicePack = boundedText(info.szCSDVersion);
  return true;
}

std::string Win32Platform::computerName() {
  std::vector<char> buffer(MAX_COMPUTERNAME_LENGTH + 1);
  for (int round = 0; round < 3; ++round) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (GetComputerNameA(buffer.data(), &size)) return std::string(buffer.data(), size < buffer.size() ? size : 0);
    if (GetLastError() != ERROR_BUFFER_OVERFLOW || size <= buffer.size()) break;
    buffer.resize(size);
  }
  return {};
}

WinError Win32Platform::userName(std::string& name) {
  name.clear();
  std::vector<char> buffer(257);  // the longest user name and its zero
  for (int round = 0; round < 3; ++round) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (GetUserNameA(buffer.data(), &size)) {
      // The count includes the zero.
      name = boundedText(buffer.data(), buffer.size());
      return kErrorSuccess;
    }
    const WinError error = lastFailure();
    if (error != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return error;
    buffer.resize(size);
  }
  return kErrorInsufficientBuffer;
}

std::string Win32Platform::expandEnvironment(const std::string& text) {
  // The answer counts the zero, and the ANSI form may need one byte more.
  std::vector<char> buffer(text.size() + 260);
  for (int round = 0; round < 4; ++round) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD answer = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size);
    if (answer == 0) return text;
    if (answer < size) return boundedText(buffer.data(), buffer.size());
    buffer.assign(std::size_t{answer} + 2, '\0');
  }
  return text;
}

bool Win32Platform::environmentVariable(const std::string& name, std::string& value) {
  value.clear();
  std::vector<char> buffer(260);
  for (int round = 0; round < 4; ++round) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    SetLastError(NO_ERROR);
    const DWORD answer = GetEnvironmentVariableA(name.c_str(), buffer.data(), size);
    // 0 with no error is a variable set to the empty text.
    if (answer == 0) return GetLastError() == NO_ERROR;
    if (answer < size) {
      value.assign(buffer.data(), answer);
      return true;
    }
    buffer.assign(std::size_t{answer} + 1, '\0');
  }
  return false;
}

LocalTime Win32Platform::localTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return LocalTime{now.wYear,   now.wMonth,  now.wDayOfWeek, now.wDay,
                   now.wHour,   now.wMinute, now.wSecond,    now.wMilliseconds};
}

std::uint64_t Win32Platform::totalPhysicalMemory() {
  // GlobalMemoryStatusEx is missing before 2000; more than 4 GB shows as
  // the most the old call can say, which is all the callers compare against.
  MEMORYSTATUS status{};
  status.dwLength = sizeof(status);
  GlobalMemoryStatus(&status);
  return status.dwTotalPhys;
}

void Win32Platform::processPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Belongs to the outer message loop: put it back and stop here.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    // The progress dialog's keys (Tab, Escape, Enter) work while passes run.
    if (activeDialog_ && IsDialogMessageA(static_cast<HWND>(activeDialog_), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace tessary
