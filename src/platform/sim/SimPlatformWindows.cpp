// The runtime's own windows on the simulated computer: the background
// window, the progress dialog and the notification icon, written to
// transcript.txt; the progress dialog's buttons are pressed by [ui] answers.
#include <algorithm>

#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimText.h"
#include "platform/sim/SimTranscript.h"

namespace tessary {

namespace {

const char* layoutWord(std::uint32_t layout) {
  switch (layout) {
    case 1: return "tile";
    case 2: return "stretch";
    default: return "once";
  }
}

// The last report of one pass: "40% Copying x.dll", or "none".
struct PassReport {
  bool reported = false;
  int percent = 0;
  std::string text;

  std::string shown() const {
    return reported ? std::to_string(percent) + "%" + (text.empty() ? "" : " " + text) : "none";
  }
};

class RecordingView final : public ProgressView {
 public:
  void fileProgress(int percent, const std::string& text) override { note(files, percent, text); }
  void registryProgress(int percent, const std::string& text) override { note(registry, percent, text); }

  PassReport files;
  PassReport registry;

 private:
  static void note(PassReport& report, int percent, const std::string& text) {
    report.reported = true;
    report.percent = percent;
    report.text = text;
  }
};

}  // namespace

struct SimPlatform::RunningProgress {
  ProgressDialogHandler* handler = nullptr;
  bool quiet = false;
  bool cancelled = false;  // an exit accepted during the passes
};

void SimPlatform::createBackgroundWindow(const BackgroundWindowRequest& request) {
  if (background_.shown) destroyBackgroundWindow();
  background_.shown = true;
  background_.title = request.title;
  transcribe("window: " + request.title + "\r\nbitmap: " + (request.bitmapPath.empty() ? "none" : request.bitmapPath) +
             "\r\nlayout: " + layoutWord(request.bitmapLayout) + " (" + std::to_string(request.bitmapLayout) +
             ")\r\nshown: " + (request.visible ? "visible" : "hidden") + "\r\n\r\n");
  record("background window \"" + request.title + "\"");
}

void SimPlatform::destroyBackgroundWindow() {
  if (!background_.shown) return;
  background_.shown = false;
  transcribe("window closed: " + background_.title + "\r\n\r\n");
  record("background window closed");
}

int SimPlatform::progressDialog(const ProgressDialogRequest& request, ProgressDialogHandler& handler) {
  transcribe("dialog: " + request.title + "\r\n" + transcriptField("text", request.description) +
             "quiet: " + (request.quiet ? "yes" : "no") + "\r\n\r\n");
  std::string word;
  if (equalsNoCase(trimBlanks(peekAnswer()), "no-window")) {
    nextAnswer(word);
    transcribe("dialog not shown: no window can be created\r\n\r\n");
    record("progress dialog \"" + request.title + "\" not shown");
    return kDialogNotShown;
  }
  RunningProgress running;
  running.handler = &handler;
  running.quiet = request.quiet;
  RecordingView view;
  bool closedBeforeBegin = false;
  if (request.quiet) {
    transcribe("pressed: begin (quiet timer)\r\n\r\n");
  } else {
    if (equalsNoCase(trimBlanks(peekAnswer()), "exit")) {
      nextAnswer(word);
      transcribe("pressed: exit\r\n\r\n");
      record("exit pressed");
      closedBeforeBegin = handler.exitRequested(false);
    } else {
      nextAnswer(word);  // any other answer presses Begin
    }
    if (!closedBeforeBegin) transcribe("pressed: begin\r\n\r\n");
  }
  if (!closedBeforeBegin) {
    RunningProgress* outer = progress_;
    progress_ = &running;
    handler.begin(view);
    progress_ = outer;
  }
  bool cancelled = closedBeforeBegin || running.cancelled;
  const char* answer = cancelled ? "cancel" : "ok";
  transcribe("dialog closed: " + request.title + "\r\nfile: " + view.files.shown() +
             "\r\nregistry: " + view.registry.shown() + "\r\nanswer: " + answer + "\r\n\r\n");
  record("progress dialog \"" + request.title + "\" -> " + answer);
  return cancelled ? kIdCancel : kIdOk;
}

// While the passes of a progress dialog run, an `exit-during` answer next
// in line presses its Exit button. Buttons are disabled in quiet mode; an
// accepted exit closes the dialog, after which nothing can be pressed.
void SimPlatform::processPendingMessages() {
  record("messages");
  if (pumping_ || !progress_ || progress_->quiet || progress_->cancelled) return;
  if (!equalsNoCase(trimBlanks(peekAnswer()), "exit-during")) return;
  std::string word;
  nextAnswer(word);
  transcribe("pressed: exit (during the passes)\r\n\r\n");
  record("exit pressed during the passes");
  RunningProgress* running = progress_;
  pumping_ = true;
  bool accepted = running->handler->exitRequested(true);
  pumping_ = false;
  if (accepted) running->cancelled = true;
}

void SimPlatform::notificationIcon(NotificationIconAction action, const std::string& tip) {
  std::string kept = tip.substr(0, std::min<std::size_t>(tip.size(), 127));
  switch (action) {
    case NotificationIconAction::Show:
      icon_.shown = true;
      icon_.tip = kept;
      transcribe(transcriptField("notification icon", kept) + "\r\n");
      record("notification icon show");
      break;
    case NotificationIconAction::Update:
      ++icon_.updates;
      icon_.tip = kept;
      break;
    case NotificationIconAction::Remove:
      if (!icon_.shown) return;
      transcribe("notification icon removed\r\nupdates: " + std::to_string(icon_.updates) + "\r\n" +
                 transcriptField("last tip", icon_.tip) + "\r\n");
      record("notification icon remove (" + std::to_string(icon_.updates) + " updates)");
      icon_ = IconState{};
      break;
  }
}

}  // namespace tessary
