// The full-screen window behind the dialogs, with its bitmap and palette.
#pragma once

#include <windows.h>

#include "platform/PlatformUi.h"

namespace tessary {

// A GDI object deleted by its owner.
template <class Object>
class OwnedGdiObject {
 public:
  OwnedGdiObject() = default;
  explicit OwnedGdiObject(Object object) : object_(object) {}
  ~OwnedGdiObject() {
    if (object_) DeleteObject(object_);
  }
  OwnedGdiObject(const OwnedGdiObject&) = delete;
  OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;
  Object get() const { return object_; }

 private:
  Object object_ = nullptr;
};

class Win32BackgroundWindow {
 public:
  // Check window() for success: no window when the system refused one.
  explicit Win32BackgroundWindow(const BackgroundWindowRequest& request);
  ~Win32BackgroundWindow();
  Win32BackgroundWindow(const Win32BackgroundWindow&) = delete;
  Win32BackgroundWindow& operator=(const Win32BackgroundWindow&) = delete;

  HWND window() const { return window_; }
  bool hasBitmap() const { return bitmap_.get() != nullptr; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  // Selects and realises our palette in `dc`; true when colours changed.
  bool realizePalette(HDC dc);

  OwnedGdiObject<HBITMAP> bitmap_;
  OwnedGdiObject<HPALETTE> palette_;
  std::uint32_t layout_ = 0;
  HWND window_ = nullptr;
};

}  // namespace tessary
