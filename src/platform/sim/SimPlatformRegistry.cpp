// Registry calls on the simulated computer: the roots as the caller names
// them, led to where the tree keeps them.
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

struct RootRoute {
  RegistryRoot root;
  const char* name;  // as the caller's paths show it
  const char* tree;  // where the tree keeps it; null: its own root
};

const RootRoute kRoutes[] = {
    {RegistryRoot::ClassesRoot, "HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE\\Software\\Classes"},
    {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "HKEY_USERS"},  // plus the user's hive
    {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE", nullptr},
    {RegistryRoot::Users, "HKEY_USERS", nullptr},
    {RegistryRoot::CurrentConfig, "HKEY_CURRENT_CONFIG", nullptr},
    {RegistryRoot::DynData, "HKEY_DYN_DATA", nullptr},
};

const RootRoute* routeOf(RegistryRoot root) {
  for (const RootRoute& route : kRoutes)
    if (route.root == root) return &route;
  return nullptr;
}

std::string valueText(const std::string& name) { return name.empty() ? "@" : "\"" + name + "\""; }

// The names of a tree path: root first.
std::size_t depthOf(const std::string& treePath) {
  std::size_t depth = 1;
  for (char c : treePath) depth += c == '\\';
  return depth;
}

bool isHiveMount(const std::string& treePath) {
  std::size_t slash = treePath.find('\\');
  std::string root = treePath.substr(0, slash);
  return equalsNoCase(root, "HKEY_LOCAL_MACHINE") || equalsNoCase(root, "HKEY_USERS");
}

}  // namespace

WinError SimPlatform::resolveKey(RegistryRoot root, const std::string& subkey, std::string& treePath,
                                 std::string& shown) const {
  const RootRoute* route = routeOf(root);
  shown = route ? route->name : "HKEY_" + std::to_string(static_cast<std::uint32_t>(root));
  if (!route || (root == RegistryRoot::DynData && machine_.isNtFamily())) return kErrorInvalidHandle;
  // One trailing backslash is allowed; empty names are not.
  std::string_view rest = subkey;
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  if (!rest.empty()) {
    shown += '\\';
    shown += rest;
    std::size_t start = 0;
    for (;;) {
      std::size_t end = rest.find('\\', start);
      if ((end == std::string_view::npos ? rest.size() : end) == start) return kErrorBadPathname;
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }
  treePath = route->tree ? route->tree : route->name;
  if (root == RegistryRoot::CurrentUser) treePath += "\\" + machine_.currentUserHive();
  if (!rest.empty()) {
    treePath += '\\';
    treePath += rest;
  }
  return kErrorSuccess;
}

WinError SimPlatform::existingKey(RegistryRoot root, const std::string& subkey, RegistryKey*& key,
                                  std::string& shown) {
  key = nullptr;
  std::string treePath;
  if (WinError error = resolveKey(root, subkey, treePath, shown)) return error;
  key = machine_.registry().findKey(treePath);
  if (!key) return kErrorFileNotFound;
  if (machine_.isDeniedKey(treePath)) {
    key = nullptr;
    return kErrorAccessDenied;
  }
  return kErrorSuccess;
}

WinError SimPlatform::regOpenKey(RegistryRoot root, const std::string& subkey) {
  RegistryKey* key = nullptr;
  std::string shown;
  WinError result = existingKey(root, subkey, key, shown);
  if (result == kErrorAccessDenied) record("reg open " + shown, result);
  return result;
}

WinError SimPlatform::regCreateKey(RegistryRoot root, const std::string& subkey, bool& created) {
  created = false;
  std::string treePath, shown;
  WinError result = resolveKey(root, subkey, treePath, shown);
  RegistryTree& tree = machine_.registry();
  if (!result && machine_.isDeniedKey(treePath)) result = kErrorAccessDenied;
  if (!result && !tree.findKey(treePath)) {
    // The NT family keeps hives below these roots and makes no key beside them.
    std::size_t slash = treePath.find('\\');
    std::string child = treePath.substr(0, treePath.find('\\', slash + 1));
    if (machine_.isNtFamily() && slash != std::string::npos && isHiveMount(treePath) && !tree.findKey(child)) {
      result = kErrorAccessDenied;
    } else if (!tree.createKey(treePath)) {
      result = kErrorAccessDenied;
    } else {
      created = true;
    }
  }
  if (created || result) record("reg create " + shown, result);
  return result;
}

WinError SimPlatform::regDeleteKey(RegistryRoot root, const std::string& subkey) {
  RegistryKey* key = nullptr;
  std::string shown, treePath;
  WinError result = existingKey(root, subkey, key, shown);
  if (!result) resolveKey(root, subkey, treePath, shown);
  if (!result) {
    bool isRoot = subkey.empty() || subkey == "\\";
    bool hiveRoot = machine_.isNtFamily() && isHiveMount(treePath) && depthOf(treePath) <= 2;
    if (isRoot || hiveRoot || (machine_.isNtFamily() && !key->subkeys().empty())) {
      result = kErrorAccessDenied;
    } else if (!machine_.registry().deleteKey(treePath)) {
      result = kErrorAccessDenied;
    }
  }
  record("reg delete key " + shown, result);
  return result;
}

WinError SimPlatform::regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                                    RegistryValue& value) {
  value = RegistryValue();
  RegistryKey* key = nullptr;
  std::string shown;
  WinError result = existingKey(root, subkey, key, shown);
  if (result == kErrorAccessDenied) record("reg open " + shown, result);
  if (result) return result;
  const RegistryValue* found = key->value(name);
  if (!found) return kErrorFileNotFound;
  value = *found;
  return kErrorSuccess;
}

WinError SimPlatform::regSetValue(RegistryRoot root, const std::string& subkey, const RegistryValue& value) {
  RegistryKey* key = nullptr;
  std::string shown;
  WinError result = existingKey(root, subkey, key, shown);
  if (!result) key->setValue(value.name, value.type, value.data);
  record("reg set " + shown + ' ' + valueText(value.name), result);
  return result;
}

WinError SimPlatform::regDeleteValue(RegistryRoot root, const std::string& subkey, const std::string& name) {
  RegistryKey* key = nullptr;
  std::string shown;
  WinError result = existingKey(root, subkey, key, shown);
  if (!result && !key->deleteValue(name)) result = kErrorFileNotFound;
  record("reg delete value " + shown + ' ' + valueText(name), result);
  return result;
}

WinError SimPlatform::regEnumKeys(RegistryRoot root, const std::string& subkey, std::vector<std::string>& names) {
  names.clear();
  RegistryKey* key = nullptr;
  std::string shown;
  WinError result = existingKey(root, subkey, key, shown);
  if (result == kErrorAccessDenied) record("reg open " + shown, result);
  if (result) return result;
  for (const auto& [folded, child] : key->subkeys()) names.push_back(child->name());
  return kErrorSuccess;
}

WinError SimPlatform::regEnumValues(RegistryRoot root, const std::string& subkey,
                                    std::vector<RegistryValue>& values) {
  values.clear();
  RegistryKey* key = nullptr;
  std::string shown;
  WinError result = existingKey(root, subkey, key, shown);
  if (result == kErrorAccessDenied) record("reg open " + shown, result);
  if (result) return result;
  for (const auto& [folded, value] : key->values()) values.push_back(value);
  return kErrorSuccess;
}

}  // namespace tessary
