#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "platform/win32/Win32BackgroundWindow.h"
#include "platform/win32/Win32File.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32NotifyIcon.h"
#include "platform/win32/Win32RuntimeFunctions.h"

namespace tessary {

namespace {

bool runsOnNtFamily() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

Win32Platform::Win32Platform()
    : ntFamily_(runsOnNtFamily()), functions_(std::make_unique<Win32RuntimeFunctions>(ntFamily_)) {}

Win32Platform::~Win32Platform() {
  releaseNamedMutex();
  // The icon leaves the notification area before the window that carries it.
  notifyIcon_.reset();
  background_.reset();
}

std::string Win32Platform::ownExecutablePath() {
  // The buffer grows until the name fits; older systems truncate silently.
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size() - 1) return std::string(buffer.data(), length);
    if (buffer.size() > 32768) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Platform::rawCommandLine() {
  const char* line = GetCommandLineA();
  return line ? std::string(line) : std::string();
}

bool Win32Platform::initializeComponentRuntime() {
  return SUCCEEDED(CoInitialize(nullptr));
}

void Win32Platform::uninitializeComponentRuntime() { CoUninitialize(); }

WinError Win32Platform::openFile(const std::string& path, FileAccess access, unsigned share,
                                 FileDisposition disposition,
                                 std::unique_ptr<PlatformFile>& file) {
  file.reset();
  DWORD desired = access == FileAccess::Read    ? GENERIC_READ
                  : access == FileAccess::Write ? GENERIC_WRITE
                                                : GENERIC_READ | GENERIC_WRITE;
  // FILE_SHARE_DELETE is refused by the 95 family.
  if (!ntFamily_) share &= ~kShareDelete;
  HANDLE handle = CreateFileA(path.c_str(), desired, share, nullptr,
                              static_cast<DWORD>(disposition), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError();
  file = std::make_unique<Win32File>(handle);
  return kErrorSuccess;
}

WinError Win32Platform::setPrivilege(const std::string& name, bool enable) {
  OwnedHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.out()))
    return GetLastError();
  WinError result = kErrorSuccess;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  if (!LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) {
    result = GetLastError();
  } else if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof(privileges), nullptr,
                                    nullptr)) {
    result = GetLastError();
  } else {
    // Success with ERROR_NOT_ALL_ASSIGNED means the token lacks the privilege.
    result = GetLastError();
  }
  return result;
}

}  // namespace tessary
