#include "platform/sim/SimMachine.h"

#include <system_error>

#include "platform/sim/HostFiles.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

constexpr const char* kIniName = "machine.ini";
constexpr const char* kRegistryName = "registry.reg";
constexpr std::string_view kClassesRoot = "HKEY_CLASSES_ROOT";
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";

std::string hiveOfCurrentUser(const SimSettings& settings, const RegistryTree& registry) {
  if (settings.user.empty()) return ".DEFAULT";
  if (settings.os.platformId == 2) {
    const SimAccount* account = findAccount(settings, settings.user);
    return account && !account->sid.empty() ? account->sid : ".DEFAULT";
  }
  return registry.findKey("HKEY_USERS\\" + settings.user) ? settings.user : ".DEFAULT";
}

// Keys the file wrote under a root that leads elsewhere go where it leads.
void moveRoot(RegistryTree& registry, std::string_view root, const std::string& target) {
  std::unique_ptr<RegistryKey> keys = registry.top().takeSubkey(root);
  if (keys) registry.createKey(target)->mergeFrom(std::move(*keys));
}

// "HKEY_CURRENT_USER\X" -> "HKEY_USERS\<hive>\X", and the classes likewise.
std::string treeFormOf(const std::string& folded, const std::string& hive) {
  auto replaced = [&](std::string_view root, const std::string& with) -> std::string {
    if (folded.compare(0, root.size(), root) != 0) return std::string();
    if (folded.size() != root.size() && folded[root.size()] != '\\') return std::string();
    return foldCase(with) + folded.substr(root.size());
  };
  std::string mapped = replaced(kClassesRoot, "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES");
  if (mapped.empty()) mapped = replaced(kCurrentUser, "HKEY_USERS\\" + hive);
  return mapped.empty() ? folded : mapped;
}

}  // namespace

bool SimMachine::load(const std::filesystem::path& folder, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    error = folder.generic_string() + ": not a machine folder";
    return false;
  }

  std::string text;
  if (!readHostFile(folder / kIniName, text, error)) return false;
  IniMap ini;
  std::string iniError;
  if (!ini.parse(text, iniError)) {
    error = std::string(kIniName) + ": " + iniError;
    return false;
  }
  SimSettings config;
  if (!readSimSettings(ini, config, error)) return false;

  if (!readHostFile(folder / kRegistryName, text, error)) return false;
  RegistryTree registry;
  RegTextFormat format;
  std::string regError;
  if (!applyRegText(text, registry, regError, &format)) {
    error = std::string(kRegistryName) + ": " + regError;
    return false;
  }
  std::string hive = hiveOfCurrentUser(config, registry);
  moveRoot(registry, kClassesRoot, "HKEY_LOCAL_MACHINE\\Software\\Classes");
  moveRoot(registry, kCurrentUser, "HKEY_USERS\\" + hive);

  std::set<std::string> denied;
  for (const std::string& path : config.deniedKeys) denied.insert(treeFormOf(path, hive));

  folder_ = folder;
  ini_ = std::move(ini);
  config_ = std::move(config);
  currentUserHive_ = std::move(hive);
  deniedKeys_ = std::move(denied);
  registry_ = std::move(registry);
  registryFormat_ = format;
  return true;
}

bool SimMachine::saveRegistry(std::string& error) const {
  return replaceHostFile(folder_ / kRegistryName, writeRegText(registry_, registryFormat_), error);
}

std::string SimMachine::loggedOnHiveFile() const {
  const SimAccount* account = config_.user.empty() ? nullptr : findAccount(config_, config_.user);
  if (!account || account->profile.empty()) return std::string();
  std::string file = account->profile;
  if (file.back() != '\\') file += '\\';
  return file + (isNtFamily() ? "NTUSER.DAT" : "USER.DAT");
}

bool SimMachine::isReadOnlyFault(const WindowsPath& path) const {
  return config_.readOnly.count(foldCase(path.text())) > 0;
}

bool SimMachine::isLockedFault(const WindowsPath& path) const {
  return config_.locked.count(foldCase(path.text())) > 0;
}

bool SimMachine::isDeniedFolder(const WindowsPath& path) const {
  return config_.deniedFolders.count(foldCase(path.text())) > 0;
}

bool SimMachine::isInDeniedFolder(const WindowsPath& path) const {
  if (path.names.empty()) return false;
  WindowsPath parent = path;
  parent.names.pop_back();
  return isDeniedFolder(parent);
}

bool SimMachine::isDeniedKey(const std::string& treePath) const {
  return deniedKeys_.count(foldCase(treePath)) > 0;
}

void SimMachine::setKeyDenied(const std::string& treePath, bool denied) {
  if (denied)
    deniedKeys_.insert(foldCase(treePath));
  else
    deniedKeys_.erase(foldCase(treePath));
}

bool SimMachine::lacksFunction(const std::string& name) const {
  return config_.missingFunctions.count(foldCase(name)) > 0;
}

}  // namespace tessary
