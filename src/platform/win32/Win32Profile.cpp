// Values of INI files through the system's profile functions.
#include <windows.h>

#include <vector>

#include "platform/win32/Win32Platform.h"

namespace tessary {

std::string Win32Platform::privateProfileString(const std::string& file, const std::string& section,
                                                const std::string& key, const std::string& defaultText) {
  // A value that fills the buffer to its last byte may have been cut off.
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                                  buffer.data(), size, file.c_str());
    if (length + 1 < size || size >= (1u << 20)) return std::string(buffer.data(), length < size ? length : 0);
    buffer.assign(std::size_t{size} * 4, '\0');
  }
}

}  // namespace tessary
