#include "netinfo/NetRegistry.h"

namespace tessary {

namespace {

bool isText(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

}  // namespace

bool NetRegistry::query(const std::string& key, const std::string& name, RegistryValue& value) {
  return platform_.regQueryValue(RegistryRoot::LocalMachine, key, name, value) == kErrorSuccess;
}

bool NetRegistry::keyExists(const std::string& key) {
  return platform_.regOpenKey(RegistryRoot::LocalMachine, key) == kErrorSuccess;
}

std::vector<std::string> NetRegistry::strings(const std::string& key, const std::string& name) {
  std::vector<std::string> out;
  RegistryValue value;
  if (!query(key, name, value) || !isText(value.type)) return out;
  std::string current;
  for (std::uint8_t byte : value.data) {
    if (byte != 0) {
      current += static_cast<char>(byte);
      continue;
    }
    if (current.empty()) break;
    out.push_back(std::move(current));
    current.clear();
    if (value.type != kRegMultiSz) break;
  }
  // Data without its terminating zero still counts.
  if (!current.empty()) out.push_back(std::move(current));
  return out;
}

std::string NetRegistry::text(const std::string& key, const std::string& name) {
  std::vector<std::string> all = strings(key, name);
  return all.empty() ? std::string() : all.front();
}

std::uint32_t NetRegistry::number(const std::string& key, const std::string& name) {
  RegistryValue value;
  if (!query(key, name, value)) return 0;
  if (value.type == kRegDword || value.type == kRegBinary) return registryDword(value.data);
  if (!isText(value.type)) return 0;
  std::uint32_t result = 0;
  for (std::uint8_t byte : value.data) {
    if (byte < '0' || byte > '9') break;
    result = result * 10 + (byte - '0');
  }
  return result;
}

std::vector<std::string> NetRegistry::subkeys(const std::string& key) {
  std::vector<std::string> names;
  if (platform_.regEnumKeys(RegistryRoot::LocalMachine, key, names) != kErrorSuccess) names.clear();
  return names;
}

std::vector<std::string> NetRegistry::valueNames(const std::string& key) {
  std::vector<RegistryValue> values;
  std::vector<std::string> names;
  if (platform_.regEnumValues(RegistryRoot::LocalMachine, key, values) != kErrorSuccess) return names;
  for (const RegistryValue& value : values) names.push_back(value.name);
  return names;
}

}  // namespace tessary
