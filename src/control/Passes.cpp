// The passes this runtime can carry out so far. Entries it cannot carry out
// are named in the log and counted as errors, so that no package that
// needs them ends as a silent success.
#include "control/Passes.h"

#include <optional>

#include "control/InstallApp.h"
#include "fileops/FileInstaller.h"
#include "fileops/UndoRecorder.h"
#include "registry/PackageRegistryRecords.h"
#include "registry/RegistryPass.h"
#include "registry/RegistryUndoRecorder.h"
#include "support/FillFields.h"

namespace tessary {

namespace {

constexpr Str kProgramPhaseWords[] = {Str::kPassPreWord, Str::kPassMidWord, Str::kPassPostWord};

void reportUnavailable(InstallApp& app, Str word) {
  app.log().logLine(fillFields(text(Str::kPassNotAvailable), {text(word)}));
  app.state().errorsRecorded = 1;
}

bool hasEntries(const CTree* tree) { return tree != nullptr && !tree->children.empty(); }

// Windows stay responsive, and a confirmed Exit stops the pass.
bool goOn(InstallApp& app) {
  app.platform().processPendingMessages();
  return app.state().cancelled == 0;
}

}  // namespace

bool runPhasePrograms(InstallApp& app, ProgramPhase phase) {
  const InstallOptions& options = app.packageOptions();
  const std::vector<ProgramEntry>* lists[] = {&options.preInstall, &options.midInstall, &options.postInstall};
  const auto index = static_cast<std::size_t>(phase);
  if (!lists[index]->empty()) reportUnavailable(app, kProgramPhaseWords[index]);
  return true;
}

void runFilePass(InstallApp& app, ProgressView& view) {
  if (app.options().installScope == kScopeRegistryOnly) return;
  app.log().logLine(text(app.options().simulate ? Str::kSimFileBanner : Str::kFileBanner));
  if (!goOn(app)) return;
  IndexObject* index = app.engine().indexObject();
  if (index == nullptr || !hasEntries(index->index().fileTree.get())) return;
  RunState& state = app.state();
  PackageEngine* undoPackage = state.undoEnabled ? app.engine().undoPackage() : nullptr;
  std::optional<UndoRecorder> recorder;
  if (undoPackage != nullptr) recorder.emplace(*undoPackage);
  const RunOptions& options = app.options();
  FilePassRun run{app.platform(),       app.log(),
                  app.engine(),         app.users(),
                  view,                 recorder ? &*recorder : nullptr,
                  app.packageOptions().overwriteType,
                  options.quiet != 0,   options.simulate != 0,
                  options.repair != 0,  state.runsAsUndoPackage != 0,
                  options.logLevel,     state.cancelled,
                  state.overwritePrompt, state.errorsRecorded,
                  state.restartPending, state.os.isWin9x != 0,
                  &state.installedShortcuts};
  FileInstaller installer(run);
  // A folder that could not be made ends the pass; the run then reports errors.
  if (!installer.InstallFilePass(*index->index().fileTree) && !state.cancelled) state.errorsRecorded = 1;
}

void runShortcutFixUp(InstallApp& app) {
  RunState& state = app.state();
  if (app.options().simulate || state.cancelled || state.installedShortcuts.empty()) return;
  // Only ME and the NT 5 systems keep what the fix-up set.
  const bool save = state.os.isWinME || (!state.os.isWin9x && state.os.majorVersion == 5);
  FixUpShortcuts({app.platform(), app.log(), app.users(), save}, state.installedShortcuts);
  state.installedShortcuts.clear();
}

void runRegistryPass(InstallApp& app, ProgressView& view) {
  if (app.options().installScope == kScopeFilesOnly) return;
  app.log().logLine(text(app.options().simulate ? Str::kSimRegistryBanner : Str::kRegistryBanner));
  if (!goOn(app)) return;
  IndexObject* index = app.engine().indexObject();
  if (index == nullptr || !hasEntries(index->index().registryTree.get())) return;
  RunState& state = app.state();
  const RunOptions& options = app.options();
  PackageEngine* undoPackage = state.undoEnabled ? app.engine().undoPackage() : nullptr;
  std::optional<RegistryUndoRecorder> undo;
  if (undoPackage != nullptr && undoPackage->isOpen() && undoPackage->indexObject() != nullptr)
    undo.emplace(*undoPackage);
  RegistryPassContext context{app.users().system(), app.log(), app.users().users(),
                              packageRecordReader(app.engine())};
  context.undo = undo ? &*undo : nullptr;
  context.simulate = options.simulate != 0;
  context.repair = options.repair != 0;
  context.undoPackage = state.runsAsUndoPackage != 0;
  context.goOn = [&app] { return goOn(app); };
  context.progress = [&view](int percent, const std::string& path) { view.registryProgress(percent, path); };
  if (registryPass(*index->index().registryTree, context).errors > kRegistryErrorsTolerated)
    state.errorsRecorded = 1;
}

}  // namespace tessary
