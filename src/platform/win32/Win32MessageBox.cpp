// Message boxes of the runtime: no owner window, so they show even before
// (or without) any window of ours.
#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace tessary {

int Win32Platform::messageBox(const std::string& text, const std::string& caption, std::uint32_t style) {
  // 0 when the box could not be shown (no desktop, no memory): never an answer.
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

}  // namespace tessary
