// Drives a modal dialog from inside its own message loop: a thread timer
// looks for the dialog by title and acts on it once it shows. A dialog that
// is still open after the time limit is ended with kTimedOut, so that no
// test ever waits for a click.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tessary {

class DialogDriver {
 public:
  static constexpr INT_PTR kTimedOut = -2;

  // `act` is called on every tick while the dialog is open until it returns
  // true (it may run a sequence of steps).
  DialogDriver(std::string title, std::function<bool(HWND)> act, DWORD limitMs = 8000)
      : title_(std::move(title)), act_(std::move(act)), deadline_(GetTickCount() + limitMs) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &DialogDriver::tick);
  }
  ~DialogDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool done() const { return done_; }
  bool timedOut() const { return timedOut_; }
  // The dialog as last seen.
  HWND dialog() const { return dialog_; }

 private:
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = current_;
    if (!self) return;
    HWND dialog = FindWindowA(nullptr, self->title_.c_str());
    if (dialog) self->dialog_ = dialog;
    if (static_cast<LONG>(GetTickCount() - self->deadline_) > 0) {
      if (dialog && !self->timedOut_) {
        self->timedOut_ = true;
        EndDialog(dialog, kTimedOut);
      }
      return;
    }
    // A step may pump messages itself; one step at a time.
    if (!dialog || self->done_ || self->busy_ || !IsWindowVisible(dialog)) return;
    self->busy_ = true;
    self->done_ = self->act_(dialog);
    self->busy_ = false;
  }

  static inline DialogDriver* current_ = nullptr;
  std::string title_;
  std::function<bool(HWND)> act_;
  DWORD deadline_;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
  bool done_ = false;
  bool busy_ = false;
  bool timedOut_ = false;
};

inline std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

inline void pressButton(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace tessary
