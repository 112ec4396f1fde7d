// A computer described by its local-machine registry and its network
// tables, for the network discovery. Key paths and value names are
// case-blind, as in Windows; subkeys and values keep the order written.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/NullPlatform.h"
#include "support/TextCompare.h"

namespace tessary::test {

class NetPlatform final : public NullPlatform {
 public:
  struct Key {
    std::vector<std::string> subkeys;
    std::vector<RegistryValue> values;
  };

  OsVersion version;
  bool versionAnswers = true;
  std::string computer = "PC01";
  std::vector<NetInterfaceRow> interfaces;
  WinError interfacesError = kErrorSuccess;
  std::vector<IpAddressRow> addresses;
  WinError addressesError = kErrorSuccess;
  std::vector<TcpDriverInterface> driverInterfaces;
  WinError driverError = kErrorSuccess;
  std::vector<std::string> presentAdapters;
  WinError presentError = kErrorSuccess;
  std::vector<std::string> tableCalls;  // which network tables were read

  void setOs(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    version = {platformId, major, minor, 0, ""};
  }

  // Creates `path` and its parents.
  Key& key(const std::string& path) {
    std::string parent;
    std::size_t start = 0;
    while (true) {
      std::size_t slash = path.find('\\', start);
      std::string name = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
      std::string full = parent.empty() ? name : parent + "\\" + name;
      if (!keys_.count(fold(full))) {
        keys_[fold(full)];
        keys_[fold(parent)].subkeys.push_back(name);
      }
      parent = full;
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    return keys_[fold(path)];
  }
  void text(const std::string& path, const std::string& name, const std::string& value) {
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    set(path, {name, kRegSz, data});
  }
  void strings(const std::string& path, const std::string& name, const std::vector<std::string>& values) {
    std::vector<std::uint8_t> data;
    for (const std::string& value : values) {
      data.insert(data.end(), value.begin(), value.end());
      data.push_back(0);
    }
    data.push_back(0);
    set(path, {name, kRegMultiSz, data});
  }
  void number(const std::string& path, const std::string& name, std::uint32_t value) {
    set(path, {name,
               kRegDword,
               {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                std::uint8_t(value >> 24)}});
  }

  WinError regOpenKey(RegistryRoot root, const std::string& subkey) override {
    return find(root, subkey) ? kErrorSuccess : kErrorFileNotFound;
  }
  WinError regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                         RegistryValue& value) override {
    const Key* found = find(root, subkey);
    if (!found) return kErrorFileNotFound;
    for (const RegistryValue& candidate : found->values)
      if (equalsNoCase(candidate.name, name)) {
        value = candidate;
        return kErrorSuccess;
      }
    return kErrorFileNotFound;
  }
  WinError regEnumKeys(RegistryRoot root, const std::string& subkey,
                       std::vector<std::string>& names) override {
    names.clear();
    const Key* found = find(root, subkey);
    if (!found) return kErrorFileNotFound;
    names = found->subkeys;
    return kErrorSuccess;
  }
  WinError regEnumValues(RegistryRoot root, const std::string& subkey,
                         std::vector<RegistryValue>& values) override {
    values.clear();
    const Key* found = find(root, subkey);
    if (!found) return kErrorFileNotFound;
    values = found->values;
    return kErrorSuccess;
  }

  bool osVersion(OsVersion& answer) override {
    answer = version;
    return versionAnswers;
  }
  std::string computerName() override { return computer; }
  WinError interfaceTable(std::vector<NetInterfaceRow>& rows) override {
    tableCalls.push_back("if");
    rows = interfacesError ? std::vector<NetInterfaceRow>{} : interfaces;
    return interfacesError;
  }
  WinError ipAddressTable(std::vector<IpAddressRow>& rows) override {
    tableCalls.push_back("ip");
    rows = addressesError ? std::vector<IpAddressRow>{} : addresses;
    return addressesError;
  }
  WinError tcpDriverInterfaces(std::vector<TcpDriverInterface>& list) override {
    tableCalls.push_back("driver");
    list = driverError ? std::vector<TcpDriverInterface>{} : driverInterfaces;
    return driverError;
  }
  WinError presentNetworkAdapters(std::vector<std::string>& descriptions) override {
    tableCalls.push_back("present");
    descriptions = presentError ? std::vector<std::string>{} : presentAdapters;
    return presentError;
  }

 private:
  static std::string fold(const std::string& path) {
    std::string out = path;
    for (char& c : out) c = foldCase(c);
    return out;
  }
  const Key* find(RegistryRoot root, const std::string& subkey) const {
    if (root != RegistryRoot::LocalMachine) return nullptr;
    auto found = keys_.find(fold(subkey));
    return found == keys_.end() ? nullptr : &found->second;
  }
  void set(const std::string& path, const RegistryValue& value) {
    Key& target = key(path);
    for (RegistryValue& existing : target.values)
      if (equalsNoCase(existing.name, value.name)) {
        existing = value;
        return;
      }
    target.values.push_back(value);
  }

  std::map<std::string, Key> keys_{{"", {}}};
};

// An address in the tables' network order from its four octets.
constexpr std::uint32_t ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return std::uint32_t{a} | std::uint32_t{b} << 8 | std::uint32_t{c} << 16 | std::uint32_t{d} << 24;
}

}  // namespace tessary::test
