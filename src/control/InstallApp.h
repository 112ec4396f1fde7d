// The application object of install.exe: run options, run state, the
// package it carries and the users it installs for. One instance lives for
// the whole process; run() performs the install sequence.
#pragma once

#include <memory>
#include <string>

#include "archive/PackageEngine.h"
#include "control/RunOptions.h"
#include "control/RunState.h"
#include "platform/Platform.h"
#include "resources/StringTable.h"
#include "support/RunLog.h"
#include "variables/UserSet.h"

namespace tessary {

// Privileges taken for the whole run, in the order they are enabled.
inline constexpr const char* kRunPrivileges[] = {
    "SeBackupPrivilege",
    "SeRestorePrivilege",
    "SeSecurityPrivilege",
    "SeTakeOwnershipPrivilege",
};

// What a phase of the sequence leaves: go on, or end the run here and go to
// the exit step.
enum class Step : bool { Continue, End };

class InstallApp {
 public:
  // Sets every option to its default and enables the run privileges (one
  // that cannot be enabled is passed over).
  explicit InstallApp(Platform& platform);
  // Disables the run privileges, releases the single-instance mutex, closes
  // the packages and the log.
  ~InstallApp();
  InstallApp(const InstallApp&) = delete;
  InstallApp& operator=(const InstallApp&) = delete;

  // Runs the install sequence and returns the process exit code.
  int run();

  // The start-up steps, each usable on its own.
  bool startComponentRuntime();
  void parseCommandLine();
  void readSystemFacts();
  // The last step of every run: the exit line for a log still open after an
  // early end; returns the process exit code.
  int exitStep();

  // The phases, in the order run() calls them (InstallSequence.cpp).
  Step prepareTempFolder();
  Step openOwnPackage();
  Step takeInstanceAndOpenLog();
  Step checkOperatingSystemPhase();
  Step checkInstallConditionsPhase();
  Step checkRightsAndRunMode();
  Step logOverwriteAndQuiet();
  Step checkRunPassword();
  Step logHeaderLines();
  Step selectUsers();
  Step checkResolution();
  Step dumpVariables();
  Step checkDrivesAndSpace();
  Step checkFolderAccessPhase();
  Step showBackgroundWindow();
  Step checkRegistryQuotaPhase();
  Step openUndoPackage();
  Step runPassesPhase();
  Step runPassesWithoutWindow();
  Step completeRun();
  Step noteCancel();

  // Sets the code with its decimal text and its exit-code text.
  void setExitCode(std::int32_t code);
  // "NUP FAILURE! " and the text as a log line; the text also shown unless
  // quiet or simulating.
  void failWith(Str id);
  // A message box captioned with the program's name; returns the answer.
  int messageBox(const std::string& text, std::uint32_t style);
  // Shows a text in an information box unless quiet (or also simulating).
  void showUnlessQuiet(const std::string& text);
  void showUnlessQuietOrSimulating(const std::string& text);

  RunOptions& options() { return options_; }
  RunState& state() { return state_; }
  PackageEngine& engine() { return *engine_; }
  const InstallOptions& packageOptions() const { return engine_->options(); }
  UserSet& users() { return *users_; }
  RunLog& log() { return log_; }
  Platform& platform() { return platform_; }
  const std::string& logPath() const { return logPath_; }

 private:
  Platform& platform_;
  RunOptions options_;
  RunState state_;
  // Closed, with its banner, when the application object ends (after the
  // packages, whose closing may still log).
  RunLog log_;
  std::string logPath_;
  // Large (stream slots and caches): kept off the stack.
  std::unique_ptr<PackageEngine> engine_;
  std::unique_ptr<UserSet> users_;
  bool componentRuntimeStarted_ = false;
  bool mutexHeld_ = false;
  bool backgroundWindow_ = false;
};

// "%s%s.exe" of the module's folder and base name: the path by which the run
// reopens its own executable.
std::string ownExecutablePathFrom(const std::string& modulePath);

// The file name of `path` without its extension: "App" for "C:\Pkgs\App.exe".
std::string programBaseName(const std::string& path);

}  // namespace tessary
