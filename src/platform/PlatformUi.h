// What the runtime's own windows show and report: the background window,
// the progress dialog and the notification-area icon. The platform draws
// them; the install sequence decides what happens when the user acts.
#pragma once

#include <cstdint>
#include <string>

namespace tessary {

// The full-screen window behind the dialogs.
struct BackgroundWindowRequest {
  std::string title = "TessaryPackageBackgroundWindow";
  // A device-independent bitmap file; empty = none.
  std::string bitmapPath;
  // 1 tiles the bitmap, 2 stretches it, anything else draws it once.
  std::uint32_t bitmapLayout = 0;
  // False creates it hidden (minimized runs).
  bool visible = true;
};

struct ProgressDialogRequest {
  std::string title;        // "Tessary" when the package has none
  std::string description;  // shown as it stands ("&" already doubled)
  // Buttons disabled; the passes start by themselves after one second.
  bool quiet = false;
};

// Where the passes report how far they are.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  // `percent` is 0..100 (the caller clamps it).
  virtual void fileProgress(int percent, const std::string& text) = 0;
  virtual void registryProgress(int percent, const std::string& text) = 0;
};

// The install sequence's side of the progress dialog.
class ProgressDialogHandler {
 public:
  virtual ~ProgressDialogHandler() = default;
  // Begin was pressed (or the quiet timer fired): runs the passes and
  // returns when they end. The dialog then closes with OK unless an exit
  // was accepted meanwhile.
  virtual void begin(ProgressView& view) = 0;
  // Exit, the close box or Escape. `started` tells whether begin has been
  // called. True closes the dialog with Cancel.
  virtual bool exitRequested(bool started) = 0;
};

enum class NotificationIconAction : std::uint8_t { Show, Update, Remove };

// What another instance's hold on the single-instance mutex leaves us.
enum class MutexTake : std::uint8_t {
  Taken,         // created by this process, or taken over after its owner ended
  HeldElsewhere, // another running instance owns it
  Failed,        // it could not be created
};

// The buttons of the file-replace question.
enum ReplaceAnswer : int { kReplaceYes = 1, kReplaceNo = 2, kReplaceYesToAll = 3 };

}  // namespace tessary
