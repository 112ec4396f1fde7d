// The application object of install.exe: run options, run state and the
// package it carries. One instance lives for the whole process.
#pragma once

#include <memory>
#include <string>

#include "archive/PkaArchive.h"
#include "control/RunOptions.h"
#include "control/RunState.h"
#include "platform/Platform.h"
#include "support/RunLog.h"

namespace tessary {

// Privileges taken for the whole run, in the order they are enabled.
inline constexpr const char* kRunPrivileges[] = {
    "SeBackupPrivilege",
    "SeRestorePrivilege",
    "SeSecurityPrivilege",
    "SeTakeOwnershipPrivilege",
};

class InstallApp {
 public:
  // Sets every option to its default and enables the run privileges (one
  // that cannot be enabled is passed over).
  explicit InstallApp(Platform& platform);
  // Disables the run privileges and closes the package.
  ~InstallApp();
  InstallApp(const InstallApp&) = delete;
  InstallApp& operator=(const InstallApp&) = delete;

  // Runs the install sequence and returns the process exit code.
  int run();

  // The start-up steps, each usable on its own.
  bool startComponentRuntime();
  void parseCommandLine();
  void readSystemFacts();
  bool openOwnPackage();
  // The run's temporary folder, made when missing; false when it cannot be.
  bool prepareTempFolder();
  // Opens the run log where the options say (none at level 0).
  void openLog();
  // The last step of every run: the exit line for a log still open after an
  // early end; returns the process exit code.
  int exitStep();

  void setExitCode(std::int32_t code);

  RunOptions& options() { return options_; }
  RunState& state() { return state_; }
  PkaArchive& package() { return *package_; }
  RunLog& log() { return log_; }

 private:
  Platform& platform_;
  RunOptions options_;
  RunState state_;
  // Large (stream slots and caches): kept off the stack.
  std::unique_ptr<PkaArchive> package_;
  bool componentRuntimeStarted_ = false;
  // Closed, with its banner, when the application object ends.
  RunLog log_;
};

// "%s%s.exe" of the module's folder and base name: the path by which the run
// reopens its own executable.
std::string ownExecutablePathFrom(const std::string& modulePath);

// The file name of `path` without its extension: "App" for "C:\Pkgs\App.exe".
std::string programBaseName(const std::string& path);

}  // namespace tessary
