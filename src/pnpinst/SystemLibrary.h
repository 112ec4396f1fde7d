// A library of the system folder, loaded at run time so that pnpinst still
// starts (and fails quietly) on systems that lack it. Freed by its owner.
#pragma once

#include <windows.h>

#include <string_view>

namespace tessary {

class SystemLibrary {
 public:
  // `fileName` is a bare name such as "newdev.dll"; it is looked for in the
  // system folder only, never in the current or program folder.
  explicit SystemLibrary(std::string_view fileName);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  // The exported function, or nullptr when the library or the name is missing.
  template <class FunctionPointer>
  FunctionPointer function(const char* name) const {
    if (!module_) return nullptr;
    return reinterpret_cast<FunctionPointer>(
        reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_ = nullptr;
};

}  // namespace tessary
