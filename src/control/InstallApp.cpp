#include "control/InstallApp.h"

#include "control/ExitCodes.h"
#include "control/SwitchParser.h"
#include "platform/ArgumentVector.h"

namespace tessary {

namespace {
constexpr std::int32_t kExitFailure = 1;
constexpr std::int32_t kVerboseLevel = 4;
}  // namespace

InstallApp::InstallApp(Platform& platform)
    : platform_(platform), package_(std::make_unique<PkaArchive>()) {
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
  if (!openOwnPackage()) {
    setExitCode(kExitFailure);
    return state_.exitCode;
  }
  return state_.exitCode;
}

std::string ownExecutablePathFrom(const std::string& modulePath) {
  std::size_t slash = modulePath.find_last_of("\\/");
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string folder = modulePath.substr(0, nameStart);
  std::string name = modulePath.substr(nameStart);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return folder + name + ".exe";
}

}  // namespace tessary
