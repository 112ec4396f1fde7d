// Phases 7 to 11: the system, the install conditions, rights, the overwrite
// and quiet settings and the run password.
#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "control/InstallConditions.h"
#include "control/OsCheck.h"
#include "control/ServiceHandOff.h"

namespace tessary {

namespace {

constexpr std::uint32_t kRunModeService = 1;

constexpr Str kOverwriteLines[] = {Str::kOverwriteOlder, Str::kOverwriteNewer, Str::kOverwriteAll,
                                   Str::kOverwriteNever};

}  // namespace

Step InstallApp::checkOperatingSystemPhase() {
  const InstallOptions& package = engine_->options();
  OsCheckResult result = checkTargetSystems(package.formatVersion, package.targetOs, state_.os);
  if (result.verbose) log_.verboseLine(text(*result.verbose));
  if (result.pass) return Step::Continue;
  setExitCode(result.code);
  log_.sayText(result.message);
  if (!options_.simulate) {
    setExitCode(kExitWrongOs);
    return Step::End;
  }
  log_.logLine(text(Str::kOsNotValid));
  return Step::End;
}

Step InstallApp::checkInstallConditionsPhase() {
  if (!checkInstallConditions(*this)) {
    log_.logLine(text(Str::kConditionsNotMet));
    return options_.simulate ? Step::Continue : Step::End;
  }
  if (options_.repair) log_.logLine(text(Str::kRepairNote));
  if (options_.installScope == kScopeFilesOnly) log_.logLine(text(Str::kFileOnlyNote));
  if (options_.installScope == kScopeRegistryOnly) log_.logLine(text(Str::kRegistryOnlyNote));
  log_.logLine(text(Str::kConditionsMet));
  return Step::Continue;
}

Step InstallApp::checkRightsAndRunMode() {
  const InstallOptions& package = engine_->options();
  if (options_.skipRightsCheck || state_.os.isWin9x || package.formatVersion < kFormatWithOsMask)
    return Step::Continue;
  if (package.runMode == kRunModeService) {
    if (handToClientService(*this)) {
      log_.logLine(text(Str::kServiceNote));
      setExitCode(kExitSuccess);
      return Step::End;
    }
    log_.logLine(std::string(text(Str::kFailurePrefix)) + text(Str::kNoRights));
    showUnlessQuietOrSimulating(text(Str::kNoRights));
    setExitCode(kExitHandOffRefused);
    return Step::End;
  }
  if (platform_.serviceManagerFullAccess()) return Step::Continue;
  if (options_.quiet)
    log_.logLine(text(Str::kNoRights));
  else
    log_.say(Str::kNoRights);
  setExitCode(kExitNoAdminRights);
  log_.logLine(text(Str::kAdminRequired));
  return options_.simulate ? Step::Continue : Step::End;
}

Step InstallApp::logOverwriteAndQuiet() {
  const InstallOptions& package = engine_->options();
  state_.overwritePrompt = package.overwritePrompt ? 1 : 0;
  if (package.overwriteType < std::size(kOverwriteLines)) log_.verboseLine(text(kOverwriteLines[package.overwriteType]));
  log_.verboseLine(text(state_.overwritePrompt ? Str::kPromptOn : Str::kPromptOff));
  if (package.forceQuiet) {
    options_.quiet = 1;
    log_.settings().quiet = 1;
  }
  log_.verboseLine(text(options_.quiet ? Str::kQuietOn : Str::kQuietOff));
  return Step::Continue;
}

Step InstallApp::checkRunPassword() {
  if (engine_->options().runPassword.empty()) return Step::Continue;
  log_.logLine(text(Str::kPasswordNote));
  if (options_.simulate) return Step::Continue;
  std::string given = options_.password;
  if (given.empty()) {
    if (options_.quiet) {
      log_.logLine(text(Str::kPasswordQuiet));
      setExitCode(kExitPasswordRequired);
      return Step::End;
    }
    if (!platform_.passwordDialog(given)) {
      setExitCode(kExitPasswordCancelled);
      return Step::End;
    }
  }
  if (engine_->checkPassword(given)) return Step::Continue;
  showUnlessQuiet(text(Str::kPasswordMismatch));
  log_.logLine(std::string(text(Str::kFailurePrefix)) + text(Str::kPasswordMismatch));
  setExitCode(kExitBadPassword);
  return Step::End;
}

}  // namespace tessary
