#include "control/InstallApp.h"

#include "control/ExitCodes.h"
#include "control/SwitchParser.h"
#include "platform/ArgumentVector.h"
#include "support/FillFields.h"

namespace tessary {

namespace {
constexpr std::int32_t kVerboseLevel = 4;
}  // namespace

InstallApp::InstallApp(Platform& platform)
    : platform_(platform),
      log_(platform),
      engine_(std::make_unique<PackageEngine>(platform)),
      users_(std::make_unique<UserSet>(platform)) {
  state_.switchesText = text(Str::kSwitchesUsed);
  for (const char* privilege : kRunPrivileges) platform_.setPrivilege(privilege, true);
}

InstallApp::~InstallApp() {
  // The undo package first: it belongs to the running package's engine.
  if (PackageEngine* undo = engine_->undoPackage(); undo != nullptr && undo->isOpen() && !undo->closePackage())
    undo->abandonPackage();
  // The running package is normally read-only (the system holds its image):
  // there is nothing to save back into it.
  if (engine_->isOpen()) engine_->abandonPackage();
  if (backgroundWindow_) platform_.destroyBackgroundWindow();
  if (mutexHeld_) platform_.releaseNamedMutex();
  for (const char* privilege : kRunPrivileges) platform_.setPrivilege(privilege, false);
  if (componentRuntimeStarted_) platform_.uninitializeComponentRuntime();
}

void InstallApp::setExitCode(std::int32_t code) {
  state_.exitCode = code;
  state_.exitCodeDecimal = std::to_string(code);
  state_.exitCodeText = exitCodeText(code);
}

void InstallApp::failWith(Str id) {
  log_.logLine(std::string(text(Str::kFailurePrefix)) + text(id));
  showUnlessQuietOrSimulating(text(id));
}

int InstallApp::messageBox(const std::string& message, std::uint32_t style) {
  return platform_.messageBox(message, programBaseName(state_.ownExecutablePath), style);
}

void InstallApp::showUnlessQuiet(const std::string& message) {
  if (!options_.quiet) messageBox(message, kMbOk | kMbIconInformation);
}

void InstallApp::showUnlessQuietOrSimulating(const std::string& message) {
  if (!options_.simulate) showUnlessQuiet(message);
}

bool InstallApp::startComponentRuntime() {
  componentRuntimeStarted_ = platform_.initializeComponentRuntime();
  return componentRuntimeStarted_;
}

void InstallApp::parseCommandLine() {
  std::string raw = platform_.rawCommandLine();
  parseArguments(options_, splitCommandLine(raw));
  state_.switchesText = text(Str::kSwitchesUsed) + std::string(commandLineArguments(raw));
}

void InstallApp::readSystemFacts() {
  OsVersion version;
  if (platform_.osVersion(version)) state_.os = osFactsFromVersion(version);
  state_.ownExecutablePath = ownExecutablePathFrom(platform_.ownExecutablePath());
  // Debug wins over any vb: level.
  if (options_.debug) options_.logLevel = kVerboseLevel;
  LogSettings& settings = log_.settings();
  settings.level = options_.logLevel;
  settings.debug = options_.debug;
  settings.quiet = options_.quiet;
  settings.simulate = options_.simulate;
  log_.setProgramName(programBaseName(state_.ownExecutablePath));
  users_->setUndoPackage(false);
}

int InstallApp::exitStep() {
  if (backgroundWindow_) {
    platform_.destroyBackgroundWindow();
    backgroundWindow_ = false;
  }
  log_.logLine(fillFields(text(Str::kLogExiting), {std::to_string(state_.exitCode)}));
  return state_.exitCode;
}

std::string programBaseName(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

std::string ownExecutablePathFrom(const std::string& modulePath) {
  std::size_t slash = modulePath.find_last_of("\\/");
  std::string folder = modulePath.substr(0, slash == std::string::npos ? 0 : slash + 1);
  return folder + programBaseName(modulePath) + ".exe";
}

}  // namespace tessary
