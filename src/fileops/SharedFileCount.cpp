#include "fileops/SharedFileCount.h"

#include <cstdint>

#include "support/RegistryRead.h"

namespace tessary {
namespace {

constexpr const char* kSharedDlls = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

}  // namespace

bool IsSharedFileReferenced(Platform& platform, const std::string& path) {
  RegistryValue value;
  if (!readValue(platform, kSharedDlls, path, value)) return false;
  return static_cast<std::int32_t>(registryDword(value.data)) > 0;
}

}  // namespace tessary
