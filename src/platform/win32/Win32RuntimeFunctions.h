// Functions that older systems lack, looked up by name at run time so that
// the program starts without them. A missing one makes its call answer 120.
#pragma once

#include <array>
#include <cstdint>

namespace tessary {

enum class RuntimeFunction : std::uint8_t {
  NetGetDCName,
  NetApiBufferFree,
  SetNamedSecurityInfoA,
  GetNamedSecurityInfoA,
  BuildExplicitAccessWithNameA,
  SetEntriesInAclA,
  GetIpAddrTable,
  GetIfTable,
  GetDiskFreeSpaceExA,
  WsControl,
  WSAStartup,
  WSACleanup,
  SetupDiGetClassDevsA,
  SetupDiEnumDeviceInfo,
  SetupDiGetDeviceRegistryPropertyA,
  SetupDiDestroyDeviceInfoList,
  OpenSCManagerA,
  CloseServiceHandle,
  Count
};

// Owns the libraries it loads. On the NT family the usual ones are loaded
// when the table is made; everything else, and everything on the 95 family,
// when first needed. Each function is looked up once and kept.
class Win32RuntimeFunctions {
 public:
  explicit Win32RuntimeFunctions(bool ntFamily);
  ~Win32RuntimeFunctions();
  Win32RuntimeFunctions(const Win32RuntimeFunctions&) = delete;
  Win32RuntimeFunctions& operator=(const Win32RuntimeFunctions&) = delete;

  // The function, or nullptr when this system lacks it.
  template <class FunctionPointer>
  FunctionPointer get(RuntimeFunction function) {
    return reinterpret_cast<FunctionPointer>(find(function));
  }

  static constexpr std::size_t kLibraryCount = 8;

 private:
  using AnyFunction = void (*)();
  // Module handles, kept as plain pointers so that this header stays free of
  // the system's headers.
  using Module = void*;

  AnyFunction find(RuntimeFunction function);
  Module library(std::size_t index);

  bool ntFamily_;
  std::array<Module, kLibraryCount> modules_{};
  std::array<bool, kLibraryCount> libraryTried_{};
  std::array<AnyFunction, static_cast<std::size_t>(RuntimeFunction::Count)> functions_{};
  std::array<bool, static_cast<std::size_t>(RuntimeFunction::Count)> functionTried_{};
};

}  // namespace tessary
