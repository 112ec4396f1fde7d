#include "platform/win32/Win32RuntimeFunctions.h"

#include <windows.h>

#include <string>

#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

enum class Load : std::uint8_t { AtStart, WhenNeeded, Never };

struct LibraryRule {
  const char* name;
  Load onNt;
  Load on95;
};

enum Library : std::uint8_t { Advapi32, Netapi32, Kernel32, Iphlpapi, Ntdll, Psapi, Wsock32, Setupapi };

// The 95 family has no use for the NT-only libraries; IPHLPAPI (98, ME),
// WSOCK32 and SETUPAPI may be there or not.
constexpr LibraryRule kLibraries[] = {
    {"ADVAPI32.DLL", Load::AtStart, Load::Never},
    {"NETAPI32.DLL", Load::AtStart, Load::Never},
    {"KERNEL32.DLL", Load::AtStart, Load::WhenNeeded},
    {"IPHLPAPI.DLL", Load::AtStart, Load::WhenNeeded},
    {"NTDLL.DLL", Load::AtStart, Load::Never},
    {"PSAPI.DLL", Load::AtStart, Load::Never},
    {"WSOCK32.DLL", Load::WhenNeeded, Load::WhenNeeded},
    {"SETUPAPI.DLL", Load::WhenNeeded, Load::WhenNeeded},
};
static_assert(std::size(kLibraries) == Win32RuntimeFunctions::kLibraryCount);

struct FunctionEntry {
  Library library;
  const char* name;
};

// In the order of RuntimeFunction.
constexpr FunctionEntry kFunctions[] = {
    {Netapi32, "NetGetDCName"},
    {Netapi32, "NetApiBufferFree"},
    {Advapi32, "SetNamedSecurityInfoA"},
    {Advapi32, "GetNamedSecurityInfoA"},
    {Advapi32, "BuildExplicitAccessWithNameA"},
    {Advapi32, "SetEntriesInAclA"},
    {Iphlpapi, "GetIpAddrTable"},
    {Iphlpapi, "GetIfTable"},
    {Kernel32, "GetDiskFreeSpaceExA"},
    {Wsock32, "WsControl"},
    {Wsock32, "WSAStartup"},
    {Wsock32, "WSACleanup"},
    {Setupapi, "SetupDiGetClassDevsA"},
    {Setupapi, "SetupDiEnumDeviceInfo"},
    {Setupapi, "SetupDiGetDeviceRegistryPropertyA"},
    {Setupapi, "SetupDiDestroyDeviceInfoList"},
    {Advapi32, "OpenSCManagerA"},
    {Advapi32, "CloseServiceHandle"},
};
static_assert(std::size(kFunctions) == static_cast<std::size_t>(RuntimeFunction::Count));

// Only from the system folder: a library of the same name next to a
// downloaded package must never be picked up.
HMODULE loadSystemLibrary(const char* name) {
  std::string path;
  if (!fetchText([](char* buffer, std::uint32_t size) { return GetSystemDirectoryA(buffer, size); },
                 path))
    return nullptr;
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return LoadLibraryA(path.c_str());
}

}  // namespace

Win32RuntimeFunctions::Win32RuntimeFunctions(bool ntFamily) : ntFamily_(ntFamily) {
  for (std::size_t i = 0; i < kLibraryCount; ++i) {
    if ((ntFamily_ ? kLibraries[i].onNt : kLibraries[i].on95) == Load::AtStart) library(i);
  }
}

Win32RuntimeFunctions::~Win32RuntimeFunctions() {
  for (Module module : modules_) {
    if (module) FreeLibrary(static_cast<HMODULE>(module));
  }
}

Win32RuntimeFunctions::Module Win32RuntimeFunctions::library(std::size_t index) {
  if (!libraryTried_[index]) {
    libraryTried_[index] = true;
    const LibraryRule& rule = kLibraries[index];
    if ((ntFamily_ ? rule.onNt : rule.on95) != Load::Never) modules_[index] = loadSystemLibrary(rule.name);
  }
  return modules_[index];
}

Win32RuntimeFunctions::AnyFunction Win32RuntimeFunctions::find(RuntimeFunction function) {
  const auto index = static_cast<std::size_t>(function);
  if (index >= functions_.size()) return nullptr;
  if (!functionTried_[index]) {
    functionTried_[index] = true;
    if (Module module = library(kFunctions[index].library))
      functions_[index] = reinterpret_cast<AnyFunction>(GetProcAddress(static_cast<HMODULE>(module), kFunctions[index].name));
  }
  return functions_[index];
}

}  // namespace tessary
