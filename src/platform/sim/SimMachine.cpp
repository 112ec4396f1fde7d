#include "platform/sim/SimMachine.h"

#include <charconv>
#include <system_error>

#include "platform/sim/HostFiles.h"
#include "platform/sim/SimPrivileges.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

constexpr const char* kIniName = "machine.ini";
constexpr const char* kRegistryName = "registry.reg";

// Decimal, or hex after 0x.
bool parseNumber(std::string_view text, std::uint32_t& number) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  return ec == std::errc() && end == text.data() + text.size();
}

class MachineReader {
 public:
  MachineReader(const IniMap& ini, std::string& error) : ini_(ini), error_(error) {}

  bool fail(const std::string& message) {
    error_ = std::string(kIniName) + ": " + message;
    return false;
  }

  bool number(const char* key, bool required, std::uint32_t& out) {
    const IniEntry* entry = ini_.entry("os", key);
    if (!entry) return required ? fail(std::string("[os] ") + key + " is missing") : true;
    if (!parseNumber(entry->value, out))
      return fail(std::string("[os] ") + key + " is not a number: \"" + entry->value + "\"");
    return true;
  }

  bool os(OsVersion& version) {
    if (!number("platform", true, version.platformId) || !number("major", true, version.major) ||
        !number("minor", true, version.minor) || !number("build", false, version.build))
      return false;
    if (version.platformId != 1 && version.platformId != 2)
      return fail("[os] platform must be 1 (95 family) or 2 (NT family)");
    version.servicePack = ini_.value("os", "csd");
    return true;
  }

  bool privileges(std::set<std::string>& held) {
    for (const std::string& name : ini_.list("privileges", "held")) {
      std::string known = knownPrivilegeName(name);
      if (known.empty()) return fail("[privileges] held: unknown privilege \"" + name + "\"");
      held.insert(known);
    }
    return true;
  }

  bool faults(bool& comFails, std::set<std::string>& readOnly) {
    std::string com = ini_.value("faults", "comRuntime");
    if (!com.empty() && !equalsNoCase(com, "ok") && !equalsNoCase(com, "fail"))
      return fail("[faults] comRuntime must be fail or ok: \"" + com + "\"");
    comFails = equalsNoCase(com, "fail");
    for (const std::string& path : ini_.list("faults", "readonly")) {
      WindowsPath parsed;
      if (parseWindowsPath(path, parsed) != kErrorSuccess)
        return fail("[faults] readonly: not a full Windows path: \"" + path + "\"");
      readOnly.insert(foldCase(parsed.text()));
    }
    return true;
  }

 private:
  const IniMap& ini_;
  std::string& error_;
};

}  // namespace

bool SimMachine::load(const std::filesystem::path& folder, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    error = folder.generic_string() + ": not a machine folder";
    return false;
  }

  std::string text;
  if (!readHostFile(folder / kIniName, text, error)) return false;
  IniMap settings;
  std::string iniError;
  if (!settings.parse(text, iniError)) {
    error = std::string(kIniName) + ": " + iniError;
    return false;
  }
  MachineReader reader(settings, error);
  OsVersion os;
  std::set<std::string> held;
  bool comFails = false;
  std::set<std::string> readOnly;
  if (!reader.os(os) || !reader.privileges(held) || !reader.faults(comFails, readOnly)) return false;

  if (!readHostFile(folder / kRegistryName, text, error)) return false;
  RegistryTree registry;
  RegTextFormat format;
  std::string regError;
  if (!applyRegText(text, registry, regError, &format)) {
    error = std::string(kRegistryName) + ": " + regError;
    return false;
  }

  folder_ = folder;
  settings_ = std::move(settings);
  os_ = os;
  computerName_ = settings_.value("computer", "name");
  userName_ = settings_.value("session", "user");
  registry_ = std::move(registry);
  registryFormat_ = format;
  held_ = std::move(held);
  comRuntimeFails_ = comFails;
  readOnly_ = std::move(readOnly);
  return true;
}

bool SimMachine::saveRegistry(std::string& error) const {
  return replaceHostFile(folder_ / kRegistryName, writeRegText(registry_, registryFormat_), error);
}

bool SimMachine::isReadOnlyFault(const WindowsPath& path) const {
  return readOnly_.count(foldCase(path.text())) > 0;
}

}  // namespace tessary
