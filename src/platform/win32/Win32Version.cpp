// The fixed file version of a version resource.
#include <windows.h>

#include <vector>

#include "platform/win32/Win32Platform.h"

namespace tessary {

bool Win32Platform::fileVersion(const std::string& path, std::uint32_t& high, std::uint32_t& low) {
  high = low = 0;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return false;
  void* root = nullptr;
  UINT rootSize = 0;
  if (!VerQueryValueA(block.data(), "\\", &root, &rootSize) || !root || rootSize < sizeof(VS_FIXEDFILEINFO))
    return false;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
  if (fixed->dwSignature != 0xFEEF04BDu) return false;
  high = fixed->dwFileVersionMS;
  low = fixed->dwFileVersionLS;
  return true;
}

}  // namespace tessary
