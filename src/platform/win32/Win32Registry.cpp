// Registry keys, values and hives.
#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

// The predefined keys are sign-extended handles on 64-bit builds, so they
// are named rather than cast from RegistryRoot's numbers.
struct RootKey {
  RegistryRoot root;
  HKEY key;
};
const RootKey kRootKeys[] = {
    {RegistryRoot::ClassesRoot, HKEY_CLASSES_ROOT},   {RegistryRoot::CurrentUser, HKEY_CURRENT_USER},
    {RegistryRoot::LocalMachine, HKEY_LOCAL_MACHINE}, {RegistryRoot::Users, HKEY_USERS},
    {RegistryRoot::PerformanceData, HKEY_PERFORMANCE_DATA}, {RegistryRoot::CurrentConfig, HKEY_CURRENT_CONFIG},
    {RegistryRoot::DynData, HKEY_DYN_DATA},
};

HKEY predefinedKey(RegistryRoot root) {
  for (const RootKey& entry : kRootKeys) {
    if (entry.root == root) return entry.key;
  }
  return nullptr;
}

// Growth limits for buffers the registry asks to enlarge. Key names are at
// most 255 bytes, value names 16383; data is cut off at 64 MB.
constexpr DWORD kNameLimit = 32768;
constexpr DWORD kDataLimit = 64u << 20;

class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  LONG open(RegistryRoot root, const std::string& subkey, REGSAM access) {
    HKEY parent = predefinedKey(root);
    if (!parent) return ERROR_BADKEY;
    return RegOpenKeyExA(parent, subkey.c_str(), 0, access, &key_);
  }
  LONG create(RegistryRoot root, const std::string& subkey, REGSAM access, DWORD& disposition) {
    HKEY parent = predefinedKey(root);
    if (!parent) return ERROR_BADKEY;
    return RegCreateKeyExA(parent, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           &key_, &disposition);
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// RegQueryValueEx into `data`, grown while the registry asks for more.
LONG queryValue(HKEY key, const char* name, DWORD& type, std::vector<std::uint8_t>& data) {
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return status;
  size = size ? size : 256;
  for (;;) {
    data.assign(size, 0);
    DWORD got = size;
    status = RegQueryValueExA(key, name, nullptr, &type, data.data(), &got);
    if (status == ERROR_SUCCESS) {
      data.resize(got < size ? got : size);
      return status;
    }
    if (status != ERROR_MORE_DATA || size >= kDataLimit) {
      data.clear();
      return status;
    }
    // Performance data answers ERROR_MORE_DATA without a size.
    size = got > size ? got : size * 2;
  }
}

}  // namespace

WinError Win32Platform::regOpenKey(RegistryRoot root, const std::string& subkey) {
  OpenKey key;
  return key.open(root, subkey, KEY_READ);
}

WinError Win32Platform::regCreateKey(RegistryRoot root, const std::string& subkey, bool& created) {
  created = false;
  OpenKey key;
  DWORD disposition = 0;
  const LONG status = key.create(root, subkey, KEY_WRITE, disposition);
  created = status == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
  return status;
}

WinError Win32Platform::regDeleteKey(RegistryRoot root, const std::string& subkey) {
  HKEY parent = predefinedKey(root);
  if (!parent) return ERROR_BADKEY;
  return RegDeleteKeyA(parent, subkey.c_str());
}

WinError Win32Platform::regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                                      RegistryValue& value) {
  value = RegistryValue{};
  OpenKey key;
  LONG status = key.open(root, subkey, KEY_QUERY_VALUE);
  if (status != ERROR_SUCCESS) return status;
  DWORD type = REG_NONE;
  status = queryValue(key.get(), name.c_str(), type, value.data);
  if (status != ERROR_SUCCESS) return status;
  value.name = name;
  value.type = type;
  return kErrorSuccess;
}

WinError Win32Platform::regSetValue(RegistryRoot root, const std::string& subkey, const RegistryValue& value) {
  OpenKey key;
  const LONG status = key.open(root, subkey, KEY_SET_VALUE);
  if (status != ERROR_SUCCESS) return status;
  return RegSetValueExA(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                        static_cast<DWORD>(value.data.size()));
}

WinError Win32Platform::regDeleteValue(RegistryRoot root, const std::string& subkey, const std::string& name) {
  OpenKey key;
  const LONG status = key.open(root, subkey, KEY_SET_VALUE);
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteValueA(key.get(), name.c_str());
}

WinError Win32Platform::regEnumKeys(RegistryRoot root, const std::string& subkey,
                                    std::vector<std::string>& names) {
  names.clear();
  OpenKey key;
  const LONG status = key.open(root, subkey, KEY_ENUMERATE_SUB_KEYS);
  if (status != ERROR_SUCCESS) return status;
  std::vector<char> name(256);
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG answer = RegEnumKeyExA(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (answer == ERROR_NO_MORE_ITEMS) return kErrorSuccess;
    if (answer == ERROR_MORE_DATA && name.size() < kNameLimit) {
      name.resize(name.size() * 2);
      continue;
    }
    if (answer != ERROR_SUCCESS) {
      names.clear();
      return answer;
    }
    names.emplace_back(name.data(), length < name.size() ? length : name.size());
    ++index;
  }
}

WinError Win32Platform::regEnumValues(RegistryRoot root, const std::string& subkey,
                                      std::vector<RegistryValue>& values) {
  values.clear();
  OpenKey key;
  const LONG status = key.open(root, subkey, KEY_QUERY_VALUE);
  if (status != ERROR_SUCCESS) return status;
  std::vector<char> name(256);
  std::vector<std::uint8_t> data(1024);
  for (DWORD index = 0;;) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG answer =
        RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (answer == ERROR_NO_MORE_ITEMS) return kErrorSuccess;
    if (answer == ERROR_MORE_DATA && (name.size() < kNameLimit || data.size() < kDataLimit)) {
      // Either the name or the data did not fit; the data size may be known.
      if (name.size() < kNameLimit) name.resize(name.size() * 2);
      if (data.size() < kDataLimit) data.resize(dataSize > data.size() ? dataSize : data.size() * 2);
      continue;
    }
    if (answer != ERROR_SUCCESS) {
      values.clear();
      return answer;
    }
    RegistryValue value;
    value.name.assign(name.data(), nameLength < name.size() ? nameLength : name.size());
    value.type = type;
    value.data.assign(data.begin(), data.begin() + (dataSize < data.size() ? dataSize : data.size()));
    values.push_back(std::move(value));
    ++index;
  }
}

WinError Win32Platform::regLoadHive(RegistryRoot root, const std::string& name, const std::string& file) {
  if (root != RegistryRoot::Users && root != RegistryRoot::LocalMachine) return kErrorInvalidParameter;
  return RegLoadKeyA(predefinedKey(root), name.c_str(), file.c_str());
}

WinError Win32Platform::regUnloadHive(RegistryRoot root, const std::string& name) {
  if (root != RegistryRoot::Users && root != RegistryRoot::LocalMachine) return kErrorInvalidParameter;
  return RegUnLoadKeyA(predefinedKey(root), name.c_str());
}

}  // namespace tessary
