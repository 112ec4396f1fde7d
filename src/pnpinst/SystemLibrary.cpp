#include "pnpinst/SystemLibrary.h"

#include "pnpinst/HeapText.h"

namespace tessary {

SystemLibrary::SystemLibrary(std::string_view fileName) {
  // The first call answers the size with its terminating zero.
  const UINT needed = GetSystemDirectoryA(nullptr, 0);
  if (needed == 0) return;
  HeapText path(std::size_t{needed} + 1 + fileName.size());
  if (!path.get()) return;
  const UINT length = GetSystemDirectoryA(path.room(), needed);
  if (length == 0 || length >= needed || !path.adopt(length)) return;
  if (!path.view().ends_with('\\') && !path.append("\\")) return;
  if (!path.append(fileName)) return;
  module_ = LoadLibraryA(path.get());
}

SystemLibrary::~SystemLibrary() {
  if (module_) FreeLibrary(module_);
}

}  // namespace tessary
