// Phases 21 to 23: the passes (directly, or inside the progress dialog),
// the completion and the cancel note.
#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "control/Passes.h"
#include "fileops/RestartRegistration.h"
#include "support/FillFields.h"

namespace tessary {

namespace {

constexpr int kFullPercent = 100;

// Minimized runs show how far they are in the notification icon's tip.
class TipProgress final : public ProgressView {
 public:
  explicit TipProgress(Platform& platform) : platform_(platform) {}
  void fileProgress(int percent, const std::string&) override { update(Str::kTipFiles, percent); }
  void registryProgress(int percent, const std::string&) override { update(Str::kTipRegistry, percent); }

 private:
  void update(Str word, int percent) {
    std::string tip = text(word) + fillFields(text(Str::kTipPercent), {std::to_string(percent)});
    platform_.notificationIcon(NotificationIconAction::Update, tip);
  }
  Platform& platform_;
};

class SilentProgress final : public ProgressView {
 public:
  void fileProgress(int, const std::string&) override {}
  void registryProgress(int, const std::string&) override {}
};

// The passes in their order. False when a program phase failed.
bool runPasses(InstallApp& app, ProgressView& view) {
  RunState& state = app.state();
  const bool simulate = app.options().simulate != 0;
  const std::string complete = text(Str::kProgressComplete);
  if (state.runsAsUndoPackage) {
    runRegistryPass(app, view);
    view.registryProgress(kFullPercent, complete);
    if (state.cancelled) return true;
    view.fileProgress(kFullPercent, complete);
    runFilePass(app, view);
    runShortcutFixUp(app);
    return true;
  }
  if (!simulate && !runPhasePrograms(app, ProgramPhase::Pre)) return false;
  runFilePass(app, view);
  view.fileProgress(kFullPercent, complete);
  if (!simulate && !runPhasePrograms(app, ProgramPhase::Mid)) return false;
  if (state.cancelled) return true;
  runRegistryPass(app, view);
  view.registryProgress(kFullPercent, complete);
  if (!simulate && !runPhasePrograms(app, ProgramPhase::Post)) return false;
  runShortcutFixUp(app);
  return true;
}

// The sequence's side of the progress dialog.
class DialogPasses final : public ProgressDialogHandler {
 public:
  explicit DialogPasses(InstallApp& app) : app_(app) {}

  void begin(ProgressView& view) override {
    if (!runPasses(app_, view)) app_.state().programFailed = 1;
  }

  bool exitRequested(bool started) override {
    RunState& state = app_.state();
    if (!started) {
      app_.setExitCode(kExitStartDialogClosed);
      return true;
    }
    if (app_.options().quiet) return true;
    if (app_.messageBox(text(Str::kExitQuestion), kMbYesNo | kMbIconQuestion) != kIdYes)
      return false;
    state.cancelRequested = 1;
    state.cancelled = 1;
    app_.setExitCode(kExitCancelled);
    return true;
  }

 private:
  InstallApp& app_;
};

std::string dialogDescription(const std::string& description) {
  if (description.empty()) return text(Str::kDefaultDescription);
  std::string doubled;
  for (char c : description) {
    doubled += c;
    if (c == '&') doubled += '&';
  }
  return doubled;
}

}  // namespace

Step InstallApp::runPassesPhase() {
  if (options_.minimized) {
    TipProgress tip(platform_);
    platform_.notificationIcon(NotificationIconAction::Show, text(Str::kTipInitial));
    const bool programsHeld = runPasses(*this, tip);
    platform_.notificationIcon(NotificationIconAction::Remove, "");
    // The runner has set the code and said why.
    if (!programsHeld) return Step::End;
    return Step::Continue;
  }
  ProgressDialogRequest request;
  request.title = state_.packageTitle.empty() ? text(Str::kDefaultTitle) : state_.packageTitle;
  request.description = dialogDescription(state_.packageDescription);
  request.quiet = options_.quiet != 0;
  DialogPasses passes(*this);
  const int closed = platform_.progressDialog(request, passes);
  if (closed == kDialogNotShown) return runPassesWithoutWindow();
  if (closed != kIdOk) {
    state_.cancelRequested = 1;
    state_.skipCompletion = 1;
  }
  if (state_.programFailed) state_.skipCompletion = 1;
  return Step::Continue;
}

// No desktop to show the window on (a service or a login script's session):
// a quiet run needs no one to press Begin, so it goes on; any other run
// cannot be confirmed and must not report success.
Step InstallApp::runPassesWithoutWindow() {
  if (!options_.quiet) {
    log_.logLine(text(Str::kNoProgressWindow));
    setExitCode(kExitUndefined);
    return Step::End;
  }
  log_.logLine(text(Str::kNoProgressWindowQuiet));
  SilentProgress silent;
  if (!runPasses(*this, silent)) state_.skipCompletion = 1;
  return Step::Continue;
}

Step InstallApp::completeRun() {
  if (state_.skipCompletion) return Step::Continue;
  if (options_.simulate) log_.logLine(text(Str::kInstallComplete));
  if (!options_.quiet && !state_.runsAsUndoPackage && state_.errorsRecorded) log_.say(Str::kErrorsSeeLog);
  // The package's own option, or work the passes left to the next start.
  if (engine_->options().rebootNeeded) state_.restartPending = 1;
  if (options_.simulate && state_.restartPending) log_.logLine(text(Str::kRebootNeededNote));
  log_.logLine(text(Str::kExitComplete));
  log_.close();
  if (PackageEngine* undo = engine_->undoPackage(); undo != nullptr && undo->isOpen() && !undo->closePackage()) {
    undo->abandonPackage();
    platform_.deleteFile(state_.undoPackagePath);
  }
  // The running package was opened from the running program, which the
  // system keeps from being written: there is nothing to save into it.
  engine_->abandonPackage();
  if (options_.simulate) return Step::End;
  if (state_.runsAsUndoPackage) {
    const RestartRun restart{platform_, false, state_.os.isWin9x != 0, state_.restartPending};
    DeletePathAtRestart(restart, state_.ownExecutablePath, false);
  }
  return Step::Continue;
}

Step InstallApp::noteCancel() {
  if (state_.cancelled) {
    log_.logLine(text(Str::kCancelledNote));
    state_.cancelled = 0;
  }
  state_.exitCodeText = exitCodeText(state_.exitCode);
  return Step::Continue;
}

}  // namespace tessary
