// Phases 12 to 15: the header lines, the users the run is for with their
// variables, and the variables dump.
#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "support/FillFields.h"
#include "variables/PackageVariableLoad.h"
#include "variables/UserSelection.h"

namespace tessary {

namespace {

// What GetComputerName fills into the 16 characters the run offers.
constexpr std::size_t kComputerNameKept = 15;

std::vector<VariableOverride> overridesOf(const RunOptions& options) {
  std::vector<VariableOverride> overrides;
  for (const VariableValue& value : options.variableValues) overrides.push_back({value.name, value.value});
  return overrides;
}

}  // namespace

Step InstallApp::logHeaderLines() {
  std::string computer = platform_.computerName();
  if (computer.size() > kComputerNameKept) computer.resize(kComputerNameKept);
  if (!computer.empty()) log_.logLine(fillFields(text(Str::kComputerNameLine), {computer}));
  log_.logLine(fillFields(text(Str::kTitleLine), {state_.packageTitle}));
  log_.logLine(fillFields(text(Str::kDescriptionLine), {state_.packageDescription}));
  log_.verboseLine(fillFields(text(Str::kOsLine), {state_.os.osName, std::to_string(state_.os.majorVersion),
                                                   std::to_string(state_.os.minorVersion)}));
  log_.logLine("");
  log_.logLine(state_.switchesText);
  return Step::Continue;
}

Step InstallApp::selectUsers() {
  const InstallOptions& package = engine_->options();
  state_.undoEnabled = package.undoStubOffset >= 0 ? 1 : 0;
  if (package.isUndoPackage == 1) {
    state_.runsAsUndoPackage = 1;
    state_.undoEnabled = 0;
  }
  bool profilesEnabled = !state_.os.isWin9x || userProfilesEnabled(users_->system()) == 1;
  if (!profilesEnabled || state_.runsAsUndoPackage) {
    options_.allUsers = 0;
    options_.userList.clear();
  }
  users_->setUndoPackage(state_.runsAsUndoPackage != 0);
  PackageVariableSource source = readPackageVariableSource(*engine_);
  std::vector<VariableOverride> overrides = overridesOf(options_);
  const std::string affectedLine = text(Str::kAffectedUsers);
  if (options_.allUsers) {
    state_.affectedUsers = text(Str::kAllUsers);
    log_.leveledLine(fillFields(affectedLine, {state_.affectedUsers}), 1);
    users_->selectAllUsers(source, overrides);
    return Step::Continue;
  }
  if (options_.userList.empty()) {
    state_.affectedUsers = text(Str::kCurrentUser);
    log_.leveledLine(fillFields(affectedLine, {state_.affectedUsers}), 1);
    users_->selectCurrentUser(source, overrides);
    return Step::Continue;
  }
  state_.affectedUsers = options_.userList;
  log_.leveledLine(fillFields(affectedLine, {state_.affectedUsers}), 1);
  std::vector<std::string> failed;
  users_->selectUserList(source, options_.userList, overrides, failed);
  for (const std::string& name : failed) {
    log_.logLine(fillFields(text(Str::kUserNotFound), {name}));
    log_.logLine("");
    state_.errorsRecorded = 1;
  }
  if (users_->status() == statusCode(PackageStatus::VariablesNotInitialised)) {
    failWith(Str::kVariablesNotInitialised);
    setExitCode(kExitUndefined);
    return Step::End;
  }
  return Step::Continue;
}

Step InstallApp::checkResolution() {
  if (users_->firstUser() != nullptr) return Step::Continue;
  failWith(Str::kUserCannotBeFound);
  setExitCode(kExitNoUser);
  return Step::End;
}

Step InstallApp::dumpVariables() {
  if (!options_.simulate && options_.logLevel != 4) return Step::Continue;
  log_.logLine(text(Str::kVariablesDumpTitle));
  for (const UserContext& user : users_->users()) {
    log_.logLine(fillFields(text(Str::kVariablesDumpUser), {user.accountName}));
    for (const Variable& variable : user.variables) {
      log_.logLine(fillFields(text(Str::kVariablesDumpName), {variable.name}));
      log_.logLine(fillFields(text(Str::kVariablesDumpValue), {variable.value}));
    }
  }
  return Step::Continue;
}

}  // namespace tessary
