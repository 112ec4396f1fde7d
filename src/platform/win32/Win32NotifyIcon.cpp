#include "platform/win32/Win32NotifyIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ProgramIcon.h"

namespace tessary {
namespace {

constexpr UINT kIconId = 101;
constexpr unsigned kUpdatesPerImage = 10;

}  // namespace

Win32NotifyIcon::~Win32NotifyIcon() {
  remove();
  if (hidden_) DestroyWindow(hidden_);
}

HWND Win32NotifyIcon::hiddenWindow() {
  if (!hidden_)
    hidden_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
  return hidden_;
}

bool Win32NotifyIcon::call(DWORD command, HWND window, const std::string& tip) {
  NOTIFYICONDATAA data{};
  data.cbSize = oldShell_ ? NOTIFYICONDATAA_V1_SIZE : NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = window;
  data.uID = kIconId;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = programIcon(alternate_ ? IconImage::Alternate : IconImage::Program, true);
  const std::size_t room = (oldShell_ ? 64 : sizeof(data.szTip)) - 1;
  const std::size_t length = std::min(tip.size(), room);
  std::memcpy(data.szTip, tip.data(), length);
  data.szTip[length] = '\0';
  return Shell_NotifyIconA(command, &data) != FALSE;
}

bool Win32NotifyIcon::show(const std::string& tip, HWND window) {
  if (!window) window = hiddenWindow();
  if (!window) return false;
  if (shownOn_ && shownOn_ != window) remove();
  if (call(NIM_MODIFY, window, tip)) {
    shownOn_ = window;
    return true;
  }
  call(NIM_DELETE, window, tip);
  if (!call(NIM_ADD, window, tip)) {
    if (oldShell_) return false;
    oldShell_ = true;
    if (!call(NIM_ADD, window, tip)) return false;
  }
  shownOn_ = window;
  return true;
}

void Win32NotifyIcon::update(const std::string& tip) {
  if (updates_++ % kUpdatesPerImage == 0) alternate_ = !alternate_;
  if (shownOn_) call(NIM_MODIFY, shownOn_, tip);
}

void Win32NotifyIcon::remove() {
  if (!shownOn_) return;
  call(NIM_DELETE, shownOn_, std::string());
  shownOn_ = nullptr;
}

void Win32NotifyIcon::act(NotificationIconAction action, const std::string& tip, HWND window) {
  switch (action) {
    case NotificationIconAction::Show:
      show(tip, window);
      break;
    case NotificationIconAction::Update:
      update(tip);
      break;
    case NotificationIconAction::Remove:
      remove();
      break;
  }
}

void Win32NotifyIcon::windowClosing(HWND window) {
  if (window && shownOn_ == window) remove();
}

void Win32Platform::notificationIcon(NotificationIconAction action, const std::string& tip) {
  if (!notifyIcon_) notifyIcon_ = std::make_unique<Win32NotifyIcon>();
  notifyIcon_->act(action, tip, static_cast<HWND>(dialogOwner()));
}

}  // namespace tessary
