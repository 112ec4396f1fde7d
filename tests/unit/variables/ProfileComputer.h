// A computer with users on it, for the tests of variables and profiles: a
// registry (HKEY_LOCAL_MACHINE, HKEY_USERS with the hives that are loaded),
// hive files that load and unload, profile folders, accounts with their
// SIDs, domain controllers, the desktop's user, an environment and INI
// values. Every hive load and unload is written to the journal.
#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/NullPlatform.h"
#include "platform/sim/RegistryTree.h"
#include "support/TextCompare.h"

namespace tessary::test {

inline std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// A SID with authority `authority` and the given sub-authorities.
inline std::vector<std::uint8_t> makeSid(std::uint64_t authority, std::initializer_list<std::uint32_t> subs) {
  std::vector<std::uint8_t> sid{1, static_cast<std::uint8_t>(subs.size())};
  for (int shift = 40; shift >= 0; shift -= 8) sid.push_back(static_cast<std::uint8_t>(authority >> shift));
  for (std::uint32_t sub : subs)
    for (int shift = 0; shift < 32; shift += 8) sid.push_back(static_cast<std::uint8_t>(sub >> shift));
  return sid;
}

inline std::vector<std::uint8_t> textBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// Sets a value below `key`, creating the subkeys of `path` ("A\B", or "").
inline void setValueAt(RegistryKey& key, const std::string& path, const std::string& name, std::uint32_t type,
                       std::vector<std::uint8_t> data) {
  RegistryKey* at = &key;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    at = &at->createSubkey(path.substr(start, end - start));
    start = end + 1;
  }
  at->setValue(name, type, std::move(data));
}

class ProfileComputer : public NullPlatform {
 public:
  struct Account {
    std::string server;  // "" = this computer, else the controller that knows it
    std::string domain;
    std::string name;
    std::vector<std::uint8_t> sid;
    std::uint32_t type = kAccountUser;
  };

  OsVersion os;
  std::string computer = "WORKPC";
  std::string windows = "C:\\WINDOWS";
  RegistryTree registry;
  std::string currentUserHive = ".DEFAULT";  // what HKEY_CURRENT_USER is
  std::map<std::string, std::unique_ptr<RegistryKey>> hiveFiles;  // by upper-cased path
  std::set<std::string> filesInUse;    // upper-cased hive paths: 32
  std::set<std::string> badHiveFiles;  // upper-cased: 1010
  std::set<std::string> deniedHives;   // upper-cased hive names: 5
  std::set<std::string> folders;       // upper-cased
  std::set<std::string> files;         // upper-cased
  std::map<std::string, std::string> shortNames;  // upper-cased long path -> short path
  std::vector<Account> accounts;
  std::map<std::string, std::string> controllers;  // upper-cased domain -> "\\DC", "" = no answer
  WinError desktopError = kErrorInvalidWindowHandle;
  std::vector<std::uint8_t> desktopSid;
  WinError userNameError = kErrorSuccess;
  std::string runningUser = "SYSTEM";
  std::map<std::string, std::string> environment;  // upper-cased names
  std::map<std::string, std::string> iniValues;    // "FILE|SECTION|KEY", upper-cased
  std::vector<std::string> journal;

  // --- building ---

  void setNt(std::uint32_t major, std::uint32_t minor) { os = {2, major, minor, 2600, ""}; }
  void set9x(std::uint32_t minor) { os = {1, 4, minor, 1998, ""}; }

  void setString(const std::string& keyPath, const std::string& name, const std::string& text,
                 std::uint32_t type = kRegSz) {
    registry.createKey(keyPath)->setValue(name, type, textBytes(text));
  }
  void setData(const std::string& keyPath, const std::string& name, std::uint32_t type,
               std::vector<std::uint8_t> data) {
    registry.createKey(keyPath)->setValue(name, type, std::move(data));
  }
  // A hive file's root key, made on first use.
  RegistryKey& hiveFile(const std::string& path) {
    auto& slot = hiveFiles[upper(path)];
    if (!slot) slot = std::make_unique<RegistryKey>(std::string());
    return *slot;
  }
  void addFolder(const std::string& path) { folders.insert(upper(path)); }
  void addFile(const std::string& path) { files.insert(upper(path)); }
  void setEnv(const std::string& name, const std::string& value) { environment[upper(name)] = value; }
  bool loaded(const std::string& hive) const {
    return registry.findKey("HKEY_USERS\\" + hive) != nullptr;
  }

  // --- the platform ---

  bool osVersion(OsVersion& version) override {
    version = os;
    return true;
  }
  std::string windowsFolder() override { return windows; }
  std::string systemFolder() override { return windows + (os.platformId == 2 ? "\\system32" : "\\SYSTEM"); }
  std::string computerName() override { return computer; }
  WinError userName(std::string& name) override {
    name = userNameError == kErrorSuccess ? runningUser : std::string();
    return userNameError;
  }
  bool environmentVariable(const std::string& name, std::string& value) override {
    auto found = environment.find(upper(name));
    value = found == environment.end() ? std::string() : found->second;
    return found != environment.end();
  }
  std::string expandEnvironment(const std::string& text) override {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t open = text.find('%', at);
      std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
      if (close == std::string::npos) break;
      result += text.substr(at, open - at);
      auto found = environment.find(upper(text.substr(open + 1, close - open - 1)));
      if (found != environment.end()) {
        result += found->second;
        at = close + 1;
      } else {
        result += text.substr(open, close - open);
        at = close;
      }
    }
    return result + text.substr(std::min(at, text.size()));
  }
  std::string privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& defaultText) override {
    auto found = iniValues.find(upper(file + "|" + section + "|" + key));
    return found == iniValues.end() ? defaultText : found->second;
  }

  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override {
    attributes = 0;
    if (folders.count(upper(path))) attributes = kAttrDirectory;
    else if (files.count(upper(path)) || hiveFiles.count(upper(path))) attributes = kAttrArchive;
    else return kErrorFileNotFound;
    return kErrorSuccess;
  }
  WinError shortPathName(const std::string& path, std::string& shortPath) override {
    auto found = shortNames.find(upper(path));
    if (found != shortNames.end()) shortPath = found->second;
    else if (folders.count(upper(path)) || files.count(upper(path))) shortPath = path;
    else return kErrorFileNotFound;
    return kErrorSuccess;
  }
  WinError findFiles(const std::string& pattern, std::vector<FoundFile>& found) override {
    found.clear();
    if (!files.count(upper(pattern))) return kErrorFileNotFound;
    found.push_back({pattern.substr(pattern.rfind('\\') + 1), {}, kAttrArchive, 1, 0});
    return kErrorSuccess;
  }

  WinError regOpenKey(RegistryRoot root, const std::string& subkey) override {
    if (deniedHives.count(upper(hiveOf(root, subkey)))) return kErrorAccessDenied;
    return find(root, subkey) ? kErrorSuccess : kErrorFileNotFound;
  }
  WinError regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                         RegistryValue& value) override {
    const RegistryKey* key = find(root, subkey);
    const RegistryValue* found = key ? key->value(name) : nullptr;
    if (!found || deniedHives.count(upper(hiveOf(root, subkey)))) return kErrorFileNotFound;
    value = *found;
    return kErrorSuccess;
  }
  WinError regEnumKeys(RegistryRoot root, const std::string& subkey, std::vector<std::string>& names) override {
    names.clear();
    const RegistryKey* key = find(root, subkey);
    if (!key) return kErrorFileNotFound;
    for (const auto& [folded, child] : key->subkeys()) names.push_back(child->name());
    return kErrorSuccess;
  }
  WinError regLoadHive(RegistryRoot root, const std::string& name, const std::string& file) override {
    WinError result = loadHive(root, name, file);
    journal.push_back("load " + name + " " + file + (result ? " -> " + std::to_string(result) : ""));
    return result;
  }
  WinError regUnloadHive(RegistryRoot root, const std::string& name) override {
    WinError result = kErrorAccessDenied;
    auto from = loadedFrom_.find(upper(name));
    if (root == RegistryRoot::Users && from != loadedFrom_.end()) {
      hiveFiles[from->second] = registry.findKey("HKEY_USERS")->takeSubkey(name);
      loadedFrom_.erase(from);
      result = kErrorSuccess;
    }
    journal.push_back("unload " + name + (result ? " -> " + std::to_string(result) : ""));
    return result;
  }

  WinError desktopUserSid(std::vector<std::uint8_t>& sid) override {
    sid = desktopError == kErrorSuccess ? desktopSid : std::vector<std::uint8_t>();
    return desktopError;
  }
  WinError lookupAccountSid(const std::vector<std::uint8_t>& sid, std::string& account, std::string& domain,
                            std::uint32_t& type) override {
    for (const Account& a : accounts)
      if (a.sid == sid) {
        account = a.name;
        domain = a.domain;
        type = a.type;
        return kErrorSuccess;
      }
    return kErrorNoneMapped;
  }
  WinError lookupAccountName(const std::string& server, const std::string& account,
                             std::vector<std::uint8_t>& sid, std::string& domain, std::uint32_t& type) override {
    journal.push_back("lookup " + (server.empty() ? std::string("local") : server) + " " + account);
    const std::size_t slash = account.find('\\');
    const std::string wantedDomain = slash == std::string::npos ? std::string() : account.substr(0, slash);
    const std::string wantedName = slash == std::string::npos ? account : account.substr(slash + 1);
    for (const Account& a : accounts) {
      if (!equalsNoCase(a.server, server) || !equalsNoCase(a.name, wantedName)) continue;
      if (!wantedDomain.empty() && !equalsNoCase(a.domain, wantedDomain)) continue;
      sid = a.sid;
      domain = a.domain;
      type = a.type;
      return kErrorSuccess;
    }
    return kErrorNoneMapped;
  }
  WinError domainControllerName(const std::string& domain, std::string& controller) override {
    journal.push_back("dc " + domain);
    auto found = controllers.find(upper(domain));
    controller = found == controllers.end() ? std::string() : found->second;
    return controller.empty() ? kErrorDcNotFound : kErrorSuccess;
  }

 private:
  std::map<std::string, std::string> loadedFrom_;  // upper-cased hive name -> upper-cased file

  std::string rootPath(RegistryRoot root) const {
    switch (root) {
      case RegistryRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
      case RegistryRoot::Users: return "HKEY_USERS";
      case RegistryRoot::CurrentUser: return "HKEY_USERS\\" + currentUserHive;
      default: return {};
    }
  }
  std::string hiveOf(RegistryRoot root, const std::string& subkey) const {
    return root == RegistryRoot::Users ? subkey.substr(0, subkey.find('\\')) : std::string();
  }
  const RegistryKey* find(RegistryRoot root, const std::string& subkey) {
    std::string path = rootPath(root);
    if (path.empty()) return nullptr;
    if (!subkey.empty()) path += "\\" + subkey;
    if (registry.findKey(path) == nullptr && subkey.empty()) registry.createKey(path);
    return registry.findKey(path);
  }
  WinError loadHive(RegistryRoot root, const std::string& name, const std::string& file) {
    if (root != RegistryRoot::Users) return kErrorInvalidParameter;
    if (deniedHives.count(upper(name))) return kErrorAccessDenied;
    if (loaded(name) || filesInUse.count(upper(file))) return kErrorSharingViolation;
    if (badHiveFiles.count(upper(file))) return kErrorBadKey;
    auto found = hiveFiles.find(upper(file));
    if (found == hiveFiles.end() || !found->second) return kErrorFileNotFound;
    registry.createKey("HKEY_USERS")->adoptSubkey(name, std::move(found->second));
    hiveFiles.erase(found);
    loadedFrom_[upper(name)] = upper(file);
    return kErrorSuccess;
  }
};

}  // namespace tessary::test
