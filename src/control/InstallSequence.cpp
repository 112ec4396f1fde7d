// The spine of a run: the phases in their order. Each phase either lets the
// next one run or ends the run, which then leaves through the exit step.
#include "control/ExitCodes.h"
#include "control/InstallApp.h"

namespace tessary {

namespace {

using Phase = Step (InstallApp::*)();

constexpr Phase kPhases[] = {
    &InstallApp::prepareTempFolder,
    &InstallApp::openOwnPackage,
    &InstallApp::takeInstanceAndOpenLog,
    &InstallApp::checkOperatingSystemPhase,
    &InstallApp::checkInstallConditionsPhase,
    &InstallApp::checkRightsAndRunMode,
    &InstallApp::logOverwriteAndQuiet,
    &InstallApp::checkRunPassword,
    &InstallApp::logHeaderLines,
    &InstallApp::selectUsers,
    &InstallApp::checkResolution,
    &InstallApp::dumpVariables,
    &InstallApp::checkDrivesAndSpace,
    &InstallApp::checkFolderAccessPhase,
    &InstallApp::showBackgroundWindow,
    &InstallApp::checkRegistryQuotaPhase,
    &InstallApp::openUndoPackage,
    &InstallApp::runPassesPhase,
    &InstallApp::completeRun,
    &InstallApp::noteCancel,
};

}  // namespace

int InstallApp::run() {
  if (!startComponentRuntime()) {
    // Nothing else has started: no log, no event.
    setExitCode(kExitUndefined);
    return state_.exitCode;
  }
  parseCommandLine();
  readSystemFacts();
  for (Phase phase : kPhases)
    if ((this->*phase)() == Step::End) break;
  return exitStep();
}

}  // namespace tessary
