#include "control/InstallApp.h"

#include "control/ExitCodes.h"
#include "control/SwitchParser.h"
#include "platform/ArgumentVector.h"
#include "support/FillFields.h"
#include "support/RunLogPlace.h"

namespace tessary {

namespace {
constexpr std::int32_t kExitFailure = 1;
constexpr std::int32_t kVerboseLevel = 4;
}  // namespace

InstallApp::InstallApp(Platform& platform)
    : platform_(platform), package_(std::make_unique<PkaArchive>()), log_(platform) {
  state_.switchesText = "Switches used were: ";
  for (const char* privilege : kRunPrivileges) platform_.setPrivilege(privilege, true);
}

InstallApp::~InstallApp() {
  PKAcloseArchive(*package_);
  for (const char* privilege : kRunPrivileges) platform_.setPrivilege(privilege, false);
  if (componentRuntimeStarted_) platform_.uninitializeComponentRuntime();
}

void InstallApp::setExitCode(std::int32_t code) {
  state_.exitCode = code;
  state_.exitCodeDecimal = std::to_string(code);
  state_.exitCodeText = exitCodeText(code);
}

bool InstallApp::startComponentRuntime() {
  componentRuntimeStarted_ = platform_.initializeComponentRuntime();
  return componentRuntimeStarted_;
}

void InstallApp::parseCommandLine() {
  parseArguments(options_, splitCommandLine(platform_.rawCommandLine()));
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
}

bool InstallApp::prepareTempFolder() {
  state_.tempFolder = runTempFolder(platform_);
  return ensureFolder(platform_, state_.tempFolder);
}

void InstallApp::openLog() {
  openRunLog(log_, {options_.logLevel, options_.simulate, options_.simulationLogPath, state_.tempFolder});
}

int InstallApp::exitStep() {
  log_.logLine(fillFields(text(Str::kLogExiting), {std::to_string(state_.exitCode)}));
  return state_.exitCode;
}

bool InstallApp::openOwnPackage() {
  return PKAopenArchive(*package_, platform_, state_.ownExecutablePath, false) == 0;
}

int InstallApp::run() {
  if (!startComponentRuntime()) {
    setExitCode(kExitFailure);
    return state_.exitCode;
  }
  parseCommandLine();
  readSystemFacts();
  if (!prepareTempFolder()) {
    setExitCode(kExitNoTempFolder);
    log_.say(Str::kExitTempFolder);
    return exitStep();
  }
  if (!openOwnPackage()) {
    // No log is open yet, so a quiet or simulated run says this to nobody;
    // the exit code carries it.
    log_.say(Str::kNothingToProcess);
    setExitCode(kExitFailure);
    return exitStep();
  }
  openLog();
  return exitStep();
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
