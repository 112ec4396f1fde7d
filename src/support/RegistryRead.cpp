#include "support/RegistryRead.h"

#include "support/RegistryPath.h"

namespace tessary {

bool readValue(Platform& platform, std::string_view fullKeyPath, const std::string& valueName,
               RegistryValue& value) {
  value = RegistryValue{};
  const KeyPath path = splitKeyPath(fullKeyPath);
  if (!path.root) return false;
  RegistryValue read;
  if (platform.regQueryValue(*path.root, path.subkey, valueName, read) != kErrorSuccess) return false;
  value = std::move(read);
  value.name = valueName;
  return true;
}

std::string readString(Platform& platform, std::string_view fullKeyPath, const std::string& valueName) {
  RegistryValue value;
  if (!readValue(platform, fullKeyPath, valueName, value)) return {};
  if (value.type != kRegSz && value.type != kRegExpandSz && value.type != kRegMultiSz) return {};
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}

}  // namespace tessary
