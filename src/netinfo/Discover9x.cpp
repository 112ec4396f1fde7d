// The Windows 95 family: the adapter is the first network card in the class
// key that is a real, present adapter; its TCP/IP settings are found through
// its hardware entry and the protocol bound to it.
#include <vector>

#include "netinfo/NetRegistry.h"
#include "netinfo/NetText.h"
#include "netinfo/NetworkDiscovery.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

constexpr const char* kNetClass = "System\\CurrentControlSet\\Services\\Class\\Net";
constexpr const char* kClasses = "System\\CurrentControlSet\\Services\\Class\\";
constexpr const char* kEnum = "Enum\\";
constexpr const char* kNetworkEnum = "Enum\\Network\\";
constexpr const char* kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";

// Adapters that are not network cards, by a part of their description.
constexpr const char* kNotCards[] = {
    "Dial-Up Adapter",
    "VPN",
    "Microsoft Virtual Private Networking Adapter",
    "Internet Connection Sharing",
};

bool isNotACard(const std::string& description) {
  for (const char* part : kNotCards)
    if (description.find(part) != std::string::npos) return true;
  return false;
}

bool isPresent(const std::string& description, const std::vector<std::string>& present) {
  for (const std::string& name : present)
    if (equalsNoCase(name, description)) return true;
  return false;
}

// Subkey name under the class key of the first usable adapter; empty when
// there is none.
std::string chooseAdapter(Platform& platform, NetRegistry& registry, OsKind kind) {
  std::vector<std::string> present;
  // Windows 95 lists no present devices; there the class key is trusted.
  bool checkPresence = kind != kOsWin95;
  if (checkPresence && platform.presentNetworkAdapters(present) != kErrorSuccess) present.clear();
  for (const std::string& name : registry.subkeys(kNetClass)) {
    std::string description = registry.text(std::string(kNetClass) + "\\" + name, "DriverDesc");
    if (isNotACard(description)) continue;
    if (checkPresence && !isPresent(description, present)) continue;
    return name;
  }
  return {};
}

// The "VEN_", "DEV_" and "REV_" parts of a PCI device identifier, each up
// to the next "&".
std::vector<std::string> pciParts(const std::string& deviceId) {
  std::vector<std::string> parts;
  for (std::string_view tag : {"VEN_", "DEV_", "REV_"}) {
    for (std::size_t at = 0; at + tag.size() <= deviceId.size(); ++at) {
      if (!startsWithNoCase(std::string_view(deviceId).substr(at), tag)) continue;
      parts.push_back(deviceId.substr(at, deviceId.find('&', at) - at));
      break;
    }
  }
  return parts;
}

bool containsNoCase(const std::string& text, const std::string& part) {
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at)
    if (startsWithNoCase(std::string_view(text).substr(at), part)) return true;
  return false;
}

// The device key under "Enum" that the identifier names: for a PCI device
// the key of its bus whose name holds every part; otherwise the identifier
// itself.
std::string deviceKey(NetRegistry& registry, const std::string& deviceId) {
  std::vector<std::string> parts = pciParts(deviceId);
  if (parts.empty()) return kEnum + deviceId;
  std::string bus = kEnum + deviceId.substr(0, deviceId.find('\\'));
  for (const std::string& name : registry.subkeys(bus)) {
    bool all = true;
    for (const std::string& part : parts) all = all && containsNoCase(name, part);
    if (all) return bus + "\\" + name;
  }
  return {};
}

// The hardware entry of the adapter: the instance of its device whose
// "Driver" names the adapter, else the device's first instance.
std::string hardwareEntry(NetRegistry& registry, const std::string& adapter) {
  const std::string adapterKey = std::string(kNetClass) + "\\" + adapter;
  std::string deviceId = registry.text(adapterKey, "MatchingDeviceId");
  if (deviceId.empty()) deviceId = registry.text(adapterKey + "\\Ndi", "DeviceID");
  if (deviceId.empty()) return {};
  std::string device = deviceKey(registry, deviceId);
  if (device.empty()) return {};
  std::vector<std::string> instances = registry.subkeys(device);
  if (instances.empty()) return {};
  for (const std::string& instance : instances)
    if (equalsNoCase(registry.text(device + "\\" + instance, "Driver"), "Net\\" + adapter))
      return device + "\\" + instance;
  return device + "\\" + instances.front();
}

// The class key holding the TCP/IP settings bound to the hardware entry.
std::string tcpSettingsKey(NetRegistry& registry, const std::string& hardware) {
  for (const std::string& binding : registry.valueNames(hardware + "\\Bindings")) {
    if (binding.find("MSTCP") == std::string::npos) continue;
    std::string driver = registry.text(kNetworkEnum + binding, "Driver");
    return driver.empty() ? std::string() : kClasses + driver;
  }
  return {};
}

}  // namespace

std::int32_t discover9x(Platform& platform, OsKind kind, NetworkInfo& info) {
  NetRegistry registry(platform);
  std::string adapter = chooseAdapter(platform, registry, kind);
  if (adapter.empty()) return kNetworkNoAdapter;

  std::string hardware = hardwareEntry(registry, adapter);
  std::string settings = hardware.empty() ? std::string() : tcpSettingsKey(registry, hardware);
  if (!settings.empty()) {
    info.ipAddress = registry.text(settings, "IPAddress");
    info.subnetMask = registry.text(settings, "IPMask");
    info.defaultGateway = registry.text(settings, "DefaultGateway");
    // On this family these two are the WINS servers.
    info.winsServers[0] = registry.text(settings, "NameServer1");
    info.winsServers[1] = registry.text(settings, "NameServer2");
    info.wins = info.winsServers[0].empty() ? 0 : 1;
  }

  if (!registry.keyExists(kMstcp)) return kNetworkNoTcpSettings;
  info.domain = registry.text(kMstcp, "Domain");
  info.hostName = registry.text(kMstcp, "HostName");
  if (info.hostName.empty()) info.hostName = platform.computerName();
  std::vector<std::string> servers = splitAtCommas(registry.text(kMstcp, "NameServer"), 3);
  for (std::size_t i = 0; i < servers.size(); ++i) info.nameServers[i] = servers[i];
  info.dnsEnabled = registry.number(kMstcp, "EnableDNS") != 0 ? 1 : 0;

  if (isNoAddress(info.ipAddress)) {
    // No static address: DHCP gave one, which only the driver knows.
    info.dhcp = 1;
    info.ipAddress.clear();
    info.subnetMask.clear();
    std::vector<TcpDriverInterface> interfaces;
    if (platform.tcpDriverInterfaces(interfaces) != kErrorSuccess) interfaces.clear();
    for (const TcpDriverInterface& entry : interfaces) {
      std::string address = dottedAddress(entry.address);
      // The driver lists its loopback interface too; it is no adapter.
      if (isNoAddress(address) || isLoopback(entry.type, entry.address)) continue;
      info.ipAddress = address;
      info.subnetMask = dottedAddress(entry.mask);
      break;
    }
  }
  return kNetworkFound;
}

}  // namespace tessary
