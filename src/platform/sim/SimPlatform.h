// The simulated Windows computer behind the platform interface.
//
// One object owns one machine folder's data (see SimMachine.h and
// docs/simulated-computer.md); several may live side by side. Every call
// that changes the computer, and every answer forced by [faults], is written
// to a journal, one line each, so that a test can check their order. A
// failure adds " -> <error number>" to its line.
//   "open C:\WINDOWS\win.ini rw"          r, w or rw
//   "close C:\WINDOWS\win.ini"
//   "attributes C:\X 0x00000022"
//   "mkdir C:\X"  "rmdir C:\X"  "delete C:\X"
//   "move C:\A C:\B"                      "move at reboot C:\A C:\B", or
//                                         "delete at reboot C:\A"
//   "reg create HKEY_CURRENT_USER\Software\X"   keys as the caller names them
//   "reg open HKEY_LOCAL_MACHINE\X -> 5"        reads only when refused
//   "reg set HKEY_LOCAL_MACHINE\X \"Name\""     @ for the unnamed value
//   "reg delete key HKEY_LOCAL_MACHINE\X"  "reg delete value HKEY_LOCAL_MACHINE\X \"Name\""
//   "hive load HKEY_USERS\ann C:\Documents and Settings\ann\NTUSER.DAT"
//                                         a malformed file adds its problem:
//                                         " -> 1009 (line 3: unterminated string)"
//   "hive unload HKEY_USERS\ann"
//   "messages"                            processPendingMessages
//   "message box \"Caption\" -> yes"
//   "missing function GetIfTable"         a call answering 120 by [faults]
//   "privilege SeBackupPrivilege on"      or "off"
//   "com initialize"                      a failure adds " -> fail"
//   "com uninitialize"
//   "password dialog -> ok"              or "-> cancel"
//   "replace dialog -> all"              yes, no or all
//   "background window \"Title\""  "background window closed"
//   "progress dialog \"Title\" -> ok"  or "-> cancel"
//   "exit pressed" "exit pressed during the passes"   an `exit` or `exit-during` answer
//   "notification icon show"  "notification icon remove (N updates)"
//   "mutex TessaryPackage -> created"    or "taken over", "held elsewhere", "failed"
//   "mutex TessaryPackage released"
//   "copy data \"Title\" 0x05A3E816 -> answer 0"   "-> 1400" when no window
//   "post \"Title\" 1025"                 " -> 1400" or " -> 5" when it fails
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimAttributes.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimState.h"

namespace tessary {

class SimPlatform final : public Platform {
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

  // --- files (SimPlatformOpen.cpp, SimPlatformFiles.cpp, SimPlatformMove.cpp, SimPlatformFind.cpp)
  // Paths longer than 259 characters answer 206 everywhere; paths listed
  // in [faults] locked behave as files another program holds open without
  // sharing (32 to opens, deletes and moves).

  // Windows' rules: the disposition decides between 80 (exists), 2 (missing)
  // and creation; a folder gives 5; a missing parent 3; a conflict with an
  // open file's access or sharing 32; writing a read-only file 5 (a host
  // file without write permission, or one listed in [faults] readonly).
  // A truncating open without write access is refused with 87.
  WinError openFile(const std::string& path, FileAccess access, unsigned share,
                    FileDisposition disposition, std::unique_ptr<PlatformFile>& file) override;
  // Read-only is the host write permission; hidden, system and archive are
  // kept in attributes.ini. Directory and normal cannot be set.
  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override;
  WinError setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  // 206 beyond 248 characters; 5 for a read-only folder when removing; 267
  // when the path is a file.
  WinError createFolder(const std::string& path) override;
  WinError removeFolder(const std::string& path) override;
  // 5 for a folder or a read-only file, 32 while the file is open.
  WinError deleteFile(const std::string& path) override;
  // 183 when the target exists without kMoveReplaceExisting, 17 across
  // drives without kMoveCopyAllowed (folders never cross), 112 when the
  // copy does not fit.
  WinError moveFile(const std::string& from, const std::string& to, std::uint32_t flags) override;
  WinError findFiles(const std::string& pattern, std::vector<FoundFile>& found) override;
  // Relative paths are taken from the running program's folder (C:\ when
  // none is set).
  WinError fullPathName(const std::string& path, std::string& full) override;
  WinError shortPathName(const std::string& path, std::string& shortPath) override;
  bool fileVersion(const std::string& path, std::uint32_t& high, std::uint32_t& low) override;
  // Only the last-modification time is kept (as the host file's); the
  // creation time is accepted and dropped.
  WinError setFileTimes(const std::string& path, FileTime created, FileTime lastWrite) override;
  // The simulated computer's clock runs on UTC: local time is UTC.
  bool fileTimeToLocalTime(FileTime time, LocalTime& local) override;

  // --- shortcuts (SimPlatformShortcuts.cpp)
  // ".lnk" files in the shell-link format, opened like any file (the
  // journal shows the opens). Saved with UTF-16 texts on the NT family, ANSI
  // on the 95 family; a save cut short by a full drive leaves no file.
  WinError readShortcut(const std::string& path, ShortcutFields& fields) override;
  WinError saveShortcut(const std::string& path, const ShortcutFields& fields) override;
  // There is no shell namespace to resolve against: the fields are set and
  // saved as given.
  WinError fixUpShortcut(const std::string& path, const ShortcutFields* fields, bool save) override;

  // --- drives and folders of the system (SimPlatformSystem.cpp)
  std::string temporaryPath() override { return machine_.config().temp; }
  std::string windowsFolder() override { return machine_.config().windowsFolder; }
  std::string systemFolder() override { return machine_.config().systemFolder; }
  std::vector<std::string> logicalDriveRoots() override;
  std::uint32_t driveType(const std::string& root) override;
  WinError diskFreeSpace(const std::string& root, std::uint64_t& freeBytes,
                         std::uint64_t& totalBytes) override;

  // --- registry (SimPlatformRegistry.cpp, SimPlatformHives.cpp)
  // HKEY_PERFORMANCE_DATA is not simulated (6), nor HKEY_DYN_DATA on the
  // NT family. Keys listed in [faults] deniedKeys answer 5 to every call.
  WinError regOpenKey(RegistryRoot root, const std::string& subkey) override;
  // On the NT family no key is created directly below HKEY_LOCAL_MACHINE or
  // HKEY_USERS (5).
  WinError regCreateKey(RegistryRoot root, const std::string& subkey, bool& created) override;
  WinError regDeleteKey(RegistryRoot root, const std::string& subkey) override;
  WinError regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                         RegistryValue& value) override;
  WinError regSetValue(RegistryRoot root, const std::string& subkey, const RegistryValue& value) override;
  WinError regDeleteValue(RegistryRoot root, const std::string& subkey, const std::string& name) override;
  WinError regEnumKeys(RegistryRoot root, const std::string& subkey, std::vector<std::string>& names) override;
  WinError regEnumValues(RegistryRoot root, const std::string& subkey,
                         std::vector<RegistryValue>& values) override;
  // The hive file is a regedit text file on a drive. 2 when it is missing,
  // 32 when the name is loaded or the file in use, 1314 without the enabled
  // restore privilege (NT family), 1009 when the file is malformed, 87 for
  // another root or a name with a backslash. Unloading writes the file back;
  // 5 for a hive this computer did not load through regLoadHive.
  WinError regLoadHive(RegistryRoot root, const std::string& name, const std::string& file) override;
  WinError regUnloadHive(RegistryRoot root, const std::string& name) override;
  // A key listed in deniedKeys loses the mark until its access is restored;
  // the journal gets "reg grant KEY" and "reg restore KEY".
  WinError regGrantKeyAccess(RegistryRoot root, const std::string& subkey,
                             std::vector<std::uint8_t>& previous) override;
  WinError regRestoreKeyAccess(RegistryRoot root, const std::string& subkey,
                               const std::vector<std::uint8_t>& previous) override;
  // The journal gets "broadcast WM_WININICHANGE".
  void broadcastSettingChange() override;

  // --- system (SimPlatformSystem.cpp)
  bool osVersion(OsVersion& version) override;
  std::string computerName() override { return machine_.computerName(); }
  // [session] account; 1245 on the 95 family when nobody is logged on.
  WinError userName(std::string& name) override;
  // Read from the drive; a name without a full path lives in the Windows folder.
  std::string privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& defaultText) override;
  std::string expandEnvironment(const std::string& text) override;
  bool environmentVariable(const std::string& name, std::string& value) override;
  LocalTime localTime() override { return machine_.config().now; }
  void processPendingMessages() override;

  // Answers from [ui] answers in order, then the default button; each box
  // is appended to transcript.txt (SimPlatformUi.cpp).
  int messageBox(const std::string& text, const std::string& caption, std::uint32_t style) override;
  // The next of [ui] answers, for any question or dialog; false when none is left.
  bool nextAnswer(std::string& answer);
  // The next answer without taking it; empty when none is left.
  std::string peekAnswer() const;

  // --- the runtime's own windows (SimPlatformUi.cpp, SimPlatformWindows.cpp)
  // Answered from [ui] answers and written to transcript.txt as
  // docs/simulated-computer.md shows.
  // `cancel` = Cancel; any other answer is the text typed; none left = OK
  // with an empty text.
  bool passwordDialog(std::string& password) override;
  // `yes`, `no`, `all`; another answer or none left = yes.
  int confirmFileReplace(const std::string& heading, const std::string& existingDetails,
                         const std::string& newDetails) override;
  // A second window closes the first.
  void createBackgroundWindow(const BackgroundWindowRequest& request) override;
  void destroyBackgroundWindow() override;
  // Quiet: begins at once. Otherwise `exit` presses Exit (then Begin when
  // the handler refuses); anything else, or none left, presses Begin. While
  // the passes run, processPendingMessages presses Exit when the next
  // answer is `exit-during`.
  int progressDialog(const ProgressDialogRequest& request, ProgressDialogHandler& handler) override;
  // Show and Remove are written; updates only counted (the last tip is
  // written on Remove).
  void notificationIcon(NotificationIconAction action, const std::string& tip) override;
  bool backgroundWindowShown() const { return background_.shown; }
  bool notificationIconShown() const { return icon_.shown; }

  // --- rights, memory, other instances (SimPlatformSession.cpp)
  // [session] admin when present; else SYSTEM or an `admin` row of
  // [accounts] for the running account on the NT family; false on the 95
  // family.
  bool serviceManagerFullAccess() override;
  // [computer] memory MB (256 when absent).
  std::uint64_t totalPhysicalMemory() override;
  // [session] instance: none and abandoned take it, running answers
  // HeldElsewhere, fail answers Failed.
  MutexTake takeNamedMutex(const std::string& name) override;
  void releaseNamedMutex() override;
  bool mutexHeld() const { return mutexHeld_; }
  // [service] window, answer and post; each message is written to the
  // transcript.
  WinError sendCopyData(const std::string& title, std::uint32_t id, const std::vector<std::uint8_t>& data,
                        std::intptr_t& answer) override;
  WinError postWindowMessage(const std::string& title, std::uint32_t message) override;

  // --- network tables, from [network] (SimPlatformNetwork.cpp)
  // 120 for a function in [faults] missingFunctions: GetIfTable,
  // GetIpAddrTable, WsControl, SetupDiGetClassDevs.
  WinError interfaceTable(std::vector<NetInterfaceRow>& rows) override;
  WinError ipAddressTable(std::vector<IpAddressRow>& rows) override;
  // 120 on the NT family.
  WinError tcpDriverInterfaces(std::vector<TcpDriverInterface>& interfaces) override;
  WinError presentNetworkAdapters(std::vector<std::string>& descriptions) override;

  // 0 for privileges listed in [privileges] held, 1300 for other known
  // names, 1313 for unknown names; 120 on the 95 family, which has no tokens.
  WinError setPrivilege(const std::string& name, bool enable) override;

  // --- accounts, from [accounts] and [domains] (SimPlatformAccounts.cpp)
  // The logged-on user's SID; 1400 when nobody is logged on or on the 95
  // family. The look-ups answer 120 on the 95 family; deleted accounts map
  // from their SID (type 6) but not from their name.
  WinError desktopUserSid(std::vector<std::uint8_t>& sid) override;
  WinError lookupAccountSid(const std::vector<std::uint8_t>& sid, std::string& account, std::string& domain,
                            std::uint32_t& type) override;
  WinError lookupAccountName(const std::string& system, const std::string& account, std::vector<std::uint8_t>& sid,
                             std::string& domain, std::uint32_t& type) override;
  // 2453 for a domain without a controller row or with an empty one; 120
  // on the 95 family or when [faults] missingFunctions names NetGetDCName.
  WinError domainControllerName(const std::string& domain, std::string& controller) override;

  SimMachine& machine() { return machine_; }
  RegistryTree& registry() { return machine_.registry(); }
  const std::vector<std::string>& journal() const { return state_->journal; }
  void clearJournal() { state_->journal.clear(); }
  bool privilegeEnabled(const std::string& name) const;
  std::size_t openFileCount() const { return state_->openFiles.count(); }

 private:
  struct LoadedHive {
    std::string name;  // as loaded
    std::string file;  // Windows path
    RegTextFormat format;
    std::string usersName;  // the file's HKEY_USERS\NAME form; empty: HKEY_CURRENT_USER
  };

  SimPlatform() = default;

  void record(std::string line, WinError result = kErrorSuccess);

  WinError openChecked(const std::string& path, FileAccess access, unsigned share,
                       FileDisposition disposition, std::unique_ptr<PlatformFile>& file,
                       std::string& journalPath);
  // Parses and finds `path` on the host: 206 when too long, else as
  // parseWindowsPath and locateOnHost.
  WinError locate(const std::string& path, WindowsPath& parsed, HostLocation& location) const;
  // FILE_ATTRIBUTE_* of an existing entry.
  std::uint32_t attributesOf(const std::string& windowsPath, const std::filesystem::path& host,
                             bool isDirectory) const;
  // 32 when another opener or [faults] locked holds the entry.
  WinError checkNotInUse(const WindowsPath& parsed, const HostLocation& location) const;
  // The running program's own file, which Windows keeps from being written,
  // replaced or deleted while it runs.
  bool isRunningImage(const WindowsPath& parsed) const;
  WinError moveNow(const std::string& from, const std::string& to, std::uint32_t flags,
                   std::string& shown);
  WinError moveAtReboot(const std::string& from, const std::string& to, std::uint32_t flags,
                        std::string& shown);
  WinError findChecked(const std::string& pattern, std::vector<FoundFile>& found);

  // The tree path a root and subkey lead to; `shown` is the caller's form.
  WinError resolveKey(RegistryRoot root, const std::string& subkey, std::string& treePath,
                      std::string& shown) const;
  // resolveKey, then the key itself: 2 when missing, 5 when denied.
  WinError existingKey(RegistryRoot root, const std::string& subkey, RegistryKey*& key,
                       std::string& shown);
  WinError loadHiveChecked(RegistryRoot root, const std::string& name, const std::string& file,
                           std::string& problem);
  WinError unloadHiveChecked(RegistryRoot root, const std::string& name);

  bool functionMissing(const char* name);
  // Appends to transcript.txt; the journal notes when it cannot be written.
  void transcribe(const std::string& entry);

  struct BackgroundState {
    bool shown = false;
    std::string title;
  };
  struct IconState {
    bool shown = false;
    unsigned updates = 0;
    std::string tip;
  };
  struct RunningProgress;  // SimPlatformWindows.cpp

  SimMachine machine_;
  std::shared_ptr<SimState> state_ = std::make_shared<SimState>();
  SimAttributes attributes_;
  std::string exePath_;
  std::string commandLine_;
  std::set<std::string> enabledPrivileges_;  // usual spelling
  std::map<std::string, LoadedHive> loadedHives_;  // by upper-cased "ROOT\NAME"
  std::size_t nextAnswer_ = 0;
  BackgroundState background_;
  IconState icon_;
  RunningProgress* progress_ = nullptr;  // the progress dialog whose passes run
  bool pumping_ = false;  // inside processPendingMessages
  bool mutexHeld_ = false;
  std::string mutexName_;
};

}  // namespace tessary
