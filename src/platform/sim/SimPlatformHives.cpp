// RegLoadKey and RegUnLoadKey on the simulated computer: hive files are
// regedit text files on its drives (docs/simulated-computer.md).
#include <system_error>

#include "platform/sim/HostFiles.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

constexpr std::string_view kHiveRoot = "HKEY_CURRENT_USER";
constexpr std::string_view kUsersRoot = "HKEY_USERS";

const char* hiveRootName(RegistryRoot root) {
  if (root == RegistryRoot::Users) return "HKEY_USERS";
  if (root == RegistryRoot::LocalMachine) return "HKEY_LOCAL_MACHINE";
  return nullptr;
}

bool validHiveName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

// The name after "HKEY_USERS\" in `path`, or empty.
std::string usersChild(const std::string& path) {
  if (path.size() <= kUsersRoot.size() + 1 || path.compare(0, kUsersRoot.size(), kUsersRoot) != 0 ||
      path[kUsersRoot.size()] != '\\')
    return std::string();
  std::string rest = path.substr(kUsersRoot.size() + 1);
  return rest.substr(0, rest.find('\\'));
}

// Which root form the file's keys use: "" for HKEY_CURRENT_USER, else the
// one NAME of HKEY_USERS\NAME. False with a message when they mix or stray.
bool hiveForm(const RegTextDocument& document, std::string& usersName, std::string& problem) {
  bool userForm = false;
  usersName.clear();
  for (const RegEdit& edit : document.edits) {
    const std::string& path = edit.keyPath;
    bool underUser = path.compare(0, kHiveRoot.size(), kHiveRoot) == 0 &&
                     (path.size() == kHiveRoot.size() || path[kHiveRoot.size()] == '\\');
    std::string child = usersChild(path);
    bool ok = true;
    if (underUser) {
      ok = usersName.empty();
      userForm = true;
    } else if (path == kUsersRoot) {
      ok = !userForm;
    } else if (!child.empty()) {
      ok = !userForm && (usersName.empty() || equalsNoCase(usersName, child));
      if (usersName.empty()) usersName = child;
    } else {
      ok = false;
    }
    if (!ok) {
      problem = "key [" + path + "] is not under HKEY_CURRENT_USER (nor one HKEY_USERS\\NAME)";
      return false;
    }
  }
  return true;
}

}  // namespace

WinError SimPlatform::regLoadHive(RegistryRoot root, const std::string& name, const std::string& file) {
  std::string problem;
  WinError result = kErrorSuccess;
  try {
    result = loadHiveChecked(root, name, file, problem);
  } catch (const std::exception& e) {
    result = kErrorAccessDenied;
    problem = e.what();
  }
  const char* rootName = hiveRootName(root);
  std::string line = "hive load " + std::string(rootName ? rootName : "?") + '\\' + name + ' ' + file;
  if (result) line += " -> " + std::to_string(result);
  if (!problem.empty()) line += " (" + problem + ")";
  record(std::move(line));
  return result;
}

WinError SimPlatform::loadHiveChecked(RegistryRoot root, const std::string& name, const std::string& file,
                                      std::string& problem) {
  const char* rootName = hiveRootName(root);
  if (!rootName || !validHiveName(name)) return kErrorInvalidParameter;
  if (machine_.isNtFamily() && !privilegeEnabled("SeRestorePrivilege")) return kErrorPrivilegeNotHeld;

  std::string full;
  if (WinError error = fullPathName(file, full)) return error;
  WindowsPath parsed;
  HostLocation location;
  if (WinError error = locate(full, parsed, location)) return error;
  if (!location.exists) return kErrorFileNotFound;
  if (location.isDirectory) return kErrorAccessDenied;

  std::string keyPath = std::string(rootName) + '\\' + name;
  std::string fileText = parsed.text();
  if (machine_.registry().findKey(keyPath)) return kErrorSharingViolation;
  for (const auto& [folded, hive] : loadedHives_)
    if (equalsNoCase(hive.file, fileText)) return kErrorSharingViolation;
  std::string loggedOn = machine_.loggedOnHiveFile();
  WindowsPath loggedOnPath;
  if (!loggedOn.empty() && parseWindowsPath(loggedOn, loggedOnPath) == kErrorSuccess &&
      equalsNoCase(loggedOnPath.text(), fileText))
    return kErrorSharingViolation;
  if (WinError busy = checkNotInUse(parsed, location)) return busy;
  if (state_->openFiles.count(location.host.generic_string()) > 0) return kErrorSharingViolation;

  std::string bytes, readError;
  if (!readHostFile(location.host, bytes, readError)) return kErrorAccessDenied;
  RegTextDocument document;
  RegTextError parseError;
  if (!parseRegText(bytes, document, parseError)) {
    problem = parseError.text();
    return kErrorBadDb;
  }
  std::string usersName;
  if (!hiveForm(document, usersName, problem)) return kErrorBadDb;

  RegistryTree loaded;
  applyRegEdits(document.edits, loaded);
  std::unique_ptr<RegistryKey> hive;
  if (usersName.empty()) {
    hive = loaded.top().takeSubkey(kHiveRoot);
  } else if (RegistryKey* users = loaded.findKey(kUsersRoot)) {
    hive = users->takeSubkey(usersName);
  }
  if (!hive) hive = std::make_unique<RegistryKey>(name);
  machine_.registry().createKey(rootName)->adoptSubkey(name, std::move(hive));
  loadedHives_[foldCase(keyPath)] = LoadedHive{name, fileText, document.format, usersName};
  return kErrorSuccess;
}

WinError SimPlatform::regUnloadHive(RegistryRoot root, const std::string& name) {
  WinError result = kErrorSuccess;
  try {
    result = unloadHiveChecked(root, name);
  } catch (const std::exception&) {
    result = kErrorAccessDenied;
  }
  const char* rootName = hiveRootName(root);
  record("hive unload " + std::string(rootName ? rootName : "?") + '\\' + name, result);
  return result;
}

WinError SimPlatform::unloadHiveChecked(RegistryRoot root, const std::string& name) {
  const char* rootName = hiveRootName(root);
  if (!rootName || !validHiveName(name)) return kErrorInvalidParameter;
  if (machine_.isNtFamily() && !privilegeEnabled("SeRestorePrivilege")) return kErrorPrivilegeNotHeld;
  std::string keyPath = std::string(rootName) + '\\' + name;
  auto found = loadedHives_.find(foldCase(keyPath));
  if (found == loadedHives_.end())
    return machine_.registry().findKey(keyPath) ? kErrorAccessDenied : kErrorFileNotFound;
  const LoadedHive& hive = found->second;

  WindowsPath parsed;
  HostLocation location;
  if (WinError error = locate(hive.file, parsed, location)) return error;

  RegistryKey* parent = machine_.registry().findKey(rootName);
  std::unique_ptr<RegistryKey> keys = parent ? parent->takeSubkey(name) : nullptr;
  if (!keys) keys = std::make_unique<RegistryKey>(name);
  RegistryTree file;
  if (hive.usersName.empty()) {
    file.top().adoptSubkey(std::string(kHiveRoot), std::move(keys));
  } else {
    file.top().createSubkey(kUsersRoot).adoptSubkey(hive.usersName, std::move(keys));
  }
  std::string text = writeRegText(file, hive.format);
  std::error_code ec;
  std::uintmax_t oldSize = location.exists ? std::filesystem::file_size(location.host, ec) : 0;
  if (ec) oldSize = 0;
  std::string error;
  if (!replaceHostFile(location.host, text, error)) {
    // Still loaded: the keys go back where they were.
    RegistryKey* back = hive.usersName.empty() ? file.top().subkey(kHiveRoot)
                                               : file.findKey(std::string(kUsersRoot) + '\\' + hive.usersName);
    RegistryKey* owner = hive.usersName.empty() ? &file.top() : file.findKey(kUsersRoot);
    if (back && owner) machine_.registry().createKey(rootName)->adoptSubkey(hive.name, owner->takeSubkey(back->name()));
    return kErrorAccessDenied;
  }
  state_->space.change(parsed.drive, static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(oldSize));
  loadedHives_.erase(found);
  return kErrorSuccess;
}

}  // namespace tessary
