// Owners for the component-object runtime: an interface pointer released by
// its owner, and the runtime started for the span of one call.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace tessary {

template <class Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_) pointer_->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;

  // For calls that hand out a new interface through a pointer.
  void** out() { return reinterpret_cast<void**>(&pointer_); }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

// Starts the runtime on this thread and stops it again when it started (a
// thread that runs it already only gets its count raised and lowered). A
// thread in the multi-threaded apartment refuses the start, but may create
// objects all the same.
class ComApartment {
 public:
  ComApartment() : result_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace tessary
