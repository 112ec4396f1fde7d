// The simulated Windows computer behind the platform interface.
//
// One object owns one machine folder's data (see SimMachine.h); several may
// live side by side. Every operation is written to a journal, one line each,
// so that a test can check their order:
//   "open C:\WINDOWS\win.ini rw"        r, w or rw; a failure adds " -> 32"
//   "close C:\WINDOWS\win.ini"
//   "privilege SeBackupPrivilege on"    or "off"; a failure adds " -> 1300"
//   "com initialize"                    a failure adds " -> fail"
//   "com uninitialize"
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/NullPlatform.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimOpenFiles.h"

namespace tessary {

// TRANSITION: derives from NullPlatform until every new call is served; back to Platform when done.
class SimPlatform final : public NullPlatform {
 public:
  // Null with a message when the folder is missing or malformed.
  static std::unique_ptr<SimPlatform> load(const std::string& folder, std::string& error);

  // Writes the registry back to the folder (sorted, the same tree giving the same bytes).
  bool save(std::string& error) const { return machine_.saveRegistry(error); }

  // Set by whatever starts a program on this computer.
  void setProgram(std::string windowsExePath, std::string rawCommandLine);

  std::string ownExecutablePath() override { return exePath_; }
  std::string rawCommandLine() override { return commandLine_; }
  bool initializeComponentRuntime() override;
  void uninitializeComponentRuntime() override;

  // Windows' rules: the disposition decides between 80 (exists), 2 (missing)
  // and creation; a folder gives 5; a missing parent 3; a conflict with an
  // open file's access or sharing 32; writing a read-only file 5 (a host
  // file without write permission, or one listed in [faults] readonly).
  // A truncating open without write access is refused with 87.
  WinError openFile(const std::string& path, FileAccess access, unsigned share,
                    FileDisposition disposition, std::unique_ptr<PlatformFile>& file) override;

  bool osVersion(OsVersion& version) override;

  // 0 for privileges listed in [privileges] held, 1300 for other known
  // names, 1313 for unknown names; 120 on the 95 family, which has no tokens.
  WinError setPrivilege(const std::string& name, bool enable) override;

  SimMachine& machine() { return machine_; }
  RegistryTree& registry() { return machine_.registry(); }
  const std::vector<std::string>& journal() const { return state_->journal; }
  void clearJournal() { state_->journal.clear(); }
  bool privilegeEnabled(const std::string& name) const;
  std::size_t openFileCount() const { return state_->openFiles.count(); }

 private:
  SimPlatform() = default;

  WinError openChecked(const std::string& path, FileAccess access, unsigned share,
                       FileDisposition disposition, std::unique_ptr<PlatformFile>& file,
                       std::string& journalPath);

  SimMachine machine_;
  std::shared_ptr<SimState> state_ = std::make_shared<SimState>();
  std::string exePath_;
  std::string commandLine_;
  std::set<std::string> enabledPrivileges_;  // usual spelling
};

}  // namespace tessary
