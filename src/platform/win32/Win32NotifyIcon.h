// The notification-area icon of minimized runs.
#pragma once

#include <windows.h>

#include <string>

#include "platform/PlatformUi.h"

namespace tessary {

class Win32NotifyIcon {
 public:
  Win32NotifyIcon() = default;
  ~Win32NotifyIcon();
  Win32NotifyIcon(const Win32NotifyIcon&) = delete;
  Win32NotifyIcon& operator=(const Win32NotifyIcon&) = delete;

  // `window` carries the icon; nullptr uses a hidden window of our own.
  void act(NotificationIconAction action, const std::string& tip, HWND window);
  // Removes the icon when `window` carries it, before that window goes.
  void windowClosing(HWND window);

  bool shown() const { return shownOn_ != nullptr; }
  unsigned updates() const { return updates_; }
  bool alternateImage() const { return alternate_; }

 private:
  bool show(const std::string& tip, HWND window);
  void update(const std::string& tip);
  void remove();
  bool call(DWORD command, HWND window, const std::string& tip);
  HWND hiddenWindow();

  HWND shownOn_ = nullptr;
  HWND hidden_ = nullptr;
  unsigned updates_ = 0;
  bool alternate_ = false;
  // Shells before version 5 take the old structure with its 64-character tip.
  bool oldShell_ = false;
};

}  // namespace tessary
