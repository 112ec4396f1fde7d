// Messages to another process's top-level window, found by its title.
#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace tessary {

WinError Win32Platform::sendCopyData(const std::string& title, std::uint32_t id,
                                     const std::vector<std::uint8_t>& data, std::intptr_t& answer) {
  answer = 0;
  HWND window = FindWindowA(nullptr, title.c_str());
  if (!window) return ERROR_INVALID_WINDOW_HANDLE;
  COPYDATASTRUCT copy{};
  copy.dwData = id;
  copy.cbData = static_cast<DWORD>(data.size());
  // The receiver only reads the block; the message copies it into its process.
  copy.lpData = const_cast<std::uint8_t*>(data.data());
  answer = static_cast<std::intptr_t>(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)));
  return kErrorSuccess;
}

WinError Win32Platform::postWindowMessage(const std::string& title, std::uint32_t message) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (!window) return ERROR_INVALID_WINDOW_HANDLE;
  if (!PostMessageA(window, message, 0, 0)) return GetLastError();
  return kErrorSuccess;
}

}  // namespace tessary
