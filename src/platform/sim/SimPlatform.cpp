#include "platform/sim/SimPlatform.h"

#include "platform/sim/SimPrivileges.h"

namespace tessary {

std::unique_ptr<SimPlatform> SimPlatform::load(const std::string& folder, std::string& error) {
  std::unique_ptr<SimPlatform> platform(new SimPlatform());
  try {
    if (!platform->machine_.load(std::filesystem::path(folder), error)) return nullptr;
    if (!platform->attributes_.load(platform->machine_.folder() / "attributes.ini", error)) return nullptr;
  } catch (const std::exception& e) {
    error = folder + ": " + e.what();
    return nullptr;
  }
  for (const SimDriveRow& drive : platform->machine_.config().drives)
    platform->state_->space.setDrive(drive.letter, drive.freeBytes, drive.totalBytes);
  return platform;
}

void SimPlatform::record(std::string line, WinError result) {
  if (result != kErrorSuccess) line += " -> " + std::to_string(result);
  state_->journal.push_back(std::move(line));
}

void SimPlatform::setProgram(std::string windowsExePath, std::string rawCommandLine) {
  exePath_ = std::move(windowsExePath);
  commandLine_ = std::move(rawCommandLine);
}

bool SimPlatform::initializeComponentRuntime() {
  bool fails = machine_.componentRuntimeFails();
  state_->journal.push_back(fails ? "com initialize -> fail" : "com initialize");
  return !fails;
}

void SimPlatform::uninitializeComponentRuntime() { state_->journal.push_back("com uninitialize"); }

bool SimPlatform::osVersion(OsVersion& version) {
  version = machine_.os();
  return true;
}

WinError SimPlatform::setPrivilege(const std::string& name, bool enable) {
  std::string known = knownPrivilegeName(name);
  WinError result = kErrorSuccess;
  if (!machine_.isNtFamily()) {
    result = kErrorCallNotImplemented;
  } else if (known.empty()) {
    result = kErrorNoSuchPrivilege;
  } else if (!machine_.holdsPrivilege(known)) {
    result = kErrorNotAllAssigned;
  } else if (enable) {
    enabledPrivileges_.insert(known);
  } else {
    enabledPrivileges_.erase(known);
  }
  record("privilege " + name + (enable ? " on" : " off"), result);
  return result;
}

bool SimPlatform::privilegeEnabled(const std::string& name) const {
  return enabledPrivileges_.count(knownPrivilegeName(name)) > 0;
}

}  // namespace tessary
