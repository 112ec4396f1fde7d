// The one door to the operating system.
//
// Everything above src/platform speaks to Windows through this interface, in
// Windows' own terms: ANSI byte strings, Windows paths, Win32 error numbers.
// Win32Platform forwards to the real API; SimPlatform is a simulated computer
// kept in a machine folder. Each function says what it returns and what its
// outputs hold on failure.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <vector>

#include "platform/PlatformTypes.h"
#include "platform/PlatformUi.h"
#include "platform/WinError.h"

namespace tessary {

enum class FileAccess : std::uint8_t { Read, Write, ReadWrite };

// Sharing allowed to later openers, as FILE_SHARE_* bits.
enum FileShare : unsigned { kShareNone = 0, kShareRead = 1, kShareWrite = 2, kShareDelete = 4 };

// The values are the Win32 creation dispositions.
enum class FileDisposition : std::uint8_t {
  CreateNew = 1,
  CreateAlways = 2,
  OpenExisting = 3,
  OpenAlways = 4,
  TruncateExisting = 5,
};

enum class SeekOrigin : std::uint8_t { Begin = 0, Current = 1, End = 2 };

// An open file. Its owner closes it by destroying it.
class PlatformFile {
 public:
  virtual ~PlatformFile() = default;

  // Reads up to `count` bytes at the current position. `done` receives the
  // number read (0 at the end of the file, fewer near it). On failure `done`
  // is 0 and the position is unchanged.
  virtual WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) = 0;

  // Writes `count` bytes at the current position, extending the file (with
  // zeros) when the position lies past its end. A partial write can happen
  // when the disk fills; `done` says how far it got.
  virtual WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) = 0;

  // Moves the position; past the end is allowed. A target before the start
  // fails with kErrorNegativeSeek and leaves the position unchanged.
  virtual WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) = 0;

  virtual WinError size(std::uint64_t& bytes) = 0;

  // Makes the current position the end of the file: cuts it, or extends it
  // with zeros.
  virtual WinError setEndOfFile() = 0;
};

// The answer of the version query made with the 148-byte basic structure.
struct OsVersion {
  std::uint32_t platformId = 0;  // 1 = Windows 95 family, 2 = NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string servicePack;  // szCSDVersion
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- the running program ---

  // Full path of the running program's executable.
  virtual std::string ownExecutablePath() = 0;

  // The whole command line as the system hands it over, program name first.
  virtual std::string rawCommandLine() = 0;

  // Component-object runtime for this thread. False when it cannot start.
  virtual bool initializeComponentRuntime() = 0;
  virtual void uninitializeComponentRuntime() = 0;

  // --- files ---

  // Opens or creates `path`. On failure `file` is left empty.
  virtual WinError openFile(const std::string& path, FileAccess access, unsigned share,
                            FileDisposition disposition, std::unique_ptr<PlatformFile>& file) = 0;

  // Attributes of a file or folder (GetFileAttributes). 2 or 3 when missing.
  virtual WinError fileAttributes(const std::string& path, std::uint32_t& attributes) = 0;
  virtual WinError setFileAttributes(const std::string& path, std::uint32_t attributes) = 0;

  // Creates one folder (its parent must exist): 183 when it exists, 3 when
  // the parent is missing.
  virtual WinError createFolder(const std::string& path) = 0;
  // Removes an empty folder: 145 when it is not empty.
  virtual WinError removeFolder(const std::string& path) = 0;
  virtual WinError deleteFile(const std::string& path) = 0;

  // MoveFileEx with MoveFlag bits. With kMoveDelayUntilReboot the move is
  // recorded where Windows keeps it for the next start (an empty `to`
  // deletes); the 95 family answers 120 to that flag.
  virtual WinError moveFile(const std::string& from, const std::string& to, std::uint32_t flags) = 0;

  // Every match of a find-first/find-next search for `pattern` (wildcards in
  // the last component), in the order the system returns them. 2 when
  // nothing matches, 3 when the folder is missing; `found` is empty then.
  virtual WinError findFiles(const std::string& pattern, std::vector<FoundFile>& found) = 0;

  // GetFullPathName: the absolute form of `path` (no check that it exists).
  virtual WinError fullPathName(const std::string& path, std::string& full) = 0;
  // GetShortPathName: the 8.3 form of an existing path.
  virtual WinError shortPathName(const std::string& path, std::string& shortPath) = 0;

  // The fixed file version of a file's version resource. False (both halves
  // 0) when the file has none.
  virtual bool fileVersion(const std::string& path, std::uint32_t& high, std::uint32_t& low) = 0;

  // SetFileTime: the creation and last-modification times of an existing
  // file (the access time is left).
  virtual WinError setFileTimes(const std::string& path, FileTime created, FileTime lastWrite) = 0;

  // FileTimeToLocalFileTime then FileTimeToSystemTime. False for a time the
  // system cannot express.
  virtual bool fileTimeToLocalTime(FileTime time, LocalTime& local) = 0;

  // --- shell shortcuts ---

  // The fields of the shortcut file at `path`, as the shell-link object
  // loads it. 2 or 3 when it is missing, 13 when the file is no shortcut
  // (damaged or another format); `fields` is empty on failure.
  virtual WinError readShortcut(const std::string& path, ShortcutFields& fields) = 0;
  // Creates or replaces the shortcut file at `path`, holding `fields`.
  virtual WinError saveShortcut(const std::string& path, const ShortcutFields& fields) = 0;
  // Loads the shortcut at `path` into the shell-link object, gives it
  // `fields` (null: it keeps what it loaded), resolves it without a window
  // and, when `save` is set, saves it back. Returns the load's error: a
  // shortcut that does not load still gets `fields`, is resolved and saved;
  // with no fields it is not saved, as there is nothing to write.
  virtual WinError fixUpShortcut(const std::string& path, const ShortcutFields* fields, bool save) = 0;

  // --- drives and folders of the system ---

  // GetTempPath: ends with a backslash.
  virtual std::string temporaryPath() = 0;
  // The Windows and system folders, without a trailing backslash.
  virtual std::string windowsFolder() = 0;
  virtual std::string systemFolder() = 0;
  // GetLogicalDriveStrings: roots such as "C:\", in drive-letter order.
  virtual std::vector<std::string> logicalDriveRoots() = 0;
  // GetDriveType of a root or drive text ("C:\", "C:"): a DriveType.
  virtual std::uint32_t driveType(const std::string& root) = 0;
  // Free bytes available to the caller, and the drive's size.
  virtual WinError diskFreeSpace(const std::string& root, std::uint64_t& freeBytes,
                                 std::uint64_t& totalBytes) = 0;

  // --- registry ---
  // Subkeys are paths below the root with backslashes; "" is the root itself.

  // 0 when the key exists and opens for reading; 2 when missing; 5 denied.
  virtual WinError regOpenKey(RegistryRoot root, const std::string& subkey) = 0;
  // Creates the key and its missing parents. `created` tells whether it is new.
  virtual WinError regCreateKey(RegistryRoot root, const std::string& subkey, bool& created) = 0;
  // RegDeleteKey: on the NT family a key with subkeys is refused with 5; the
  // 95 family deletes the whole tree.
  virtual WinError regDeleteKey(RegistryRoot root, const std::string& subkey) = 0;
  // 2 when the key or the value is missing.
  virtual WinError regQueryValue(RegistryRoot root, const std::string& subkey,
                                 const std::string& name, RegistryValue& value) = 0;
  // `value.name` names the value to write.
  virtual WinError regSetValue(RegistryRoot root, const std::string& subkey,
                               const RegistryValue& value) = 0;
  virtual WinError regDeleteValue(RegistryRoot root, const std::string& subkey,
                                  const std::string& name) = 0;
  // Names of the direct subkeys / all values, in the registry's order.
  virtual WinError regEnumKeys(RegistryRoot root, const std::string& subkey,
                               std::vector<std::string>& names) = 0;
  virtual WinError regEnumValues(RegistryRoot root, const std::string& subkey,
                                 std::vector<RegistryValue>& values) = 0;
  // RegLoadKey / RegUnLoadKey under HKEY_USERS or HKEY_LOCAL_MACHINE. A hive
  // file in use answers 32; loading needs the restore privilege (1314).
  virtual WinError regLoadHive(RegistryRoot root, const std::string& name, const std::string& file) = 0;
  virtual WinError regUnloadHive(RegistryRoot root, const std::string& name) = 0;
  // The repair of a key whose opening is denied: a grant of full control to
  // CURRENT_USER (not inherited) is added to its discretionary ACL.
  // `previous` receives the ACL it had, for regRestoreKeyAccess. 120 when the
  // system lacks the security functions.
  virtual WinError regGrantKeyAccess(RegistryRoot root, const std::string& subkey,
                                     std::vector<std::uint8_t>& previous) = 0;
  // Puts back the ACL that regGrantKeyAccess saved.
  virtual WinError regRestoreKeyAccess(RegistryRoot root, const std::string& subkey,
                                       const std::vector<std::uint8_t>& previous) = 0;
  // WM_WININICHANGE (wParam 0, lParam 0) to every top-level window, so that
  // running programs reread the environment.
  virtual void broadcastSettingChange() = 0;

  // --- system ---

  // Fills `version`; false when the system does not answer.
  virtual bool osVersion(OsVersion& version) = 0;

  // GetComputerName; empty when it cannot be read.
  virtual std::string computerName() = 0;
  // GetUserName of the running process.
  virtual WinError userName(std::string& name) = 0;

  // GetPrivateProfileString: the value of `key` in `section` of the INI
  // file `file` (a name without a folder is looked for in the Windows
  // folder), or `defaultText` when the file, section or key is missing.
  virtual std::string privateProfileString(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& defaultText) = 0;

  // ExpandEnvironmentStrings (unknown names are kept as written).
  virtual std::string expandEnvironment(const std::string& text) = 0;
  // GetEnvironmentVariable: false when the variable is not set.
  virtual bool environmentVariable(const std::string& name, std::string& value) = 0;

  virtual LocalTime localTime() = 0;

  // Lets pending window messages be processed, so windows stay responsive
  // during long searches.
  virtual void processPendingMessages() = 0;

  // --- user interface ---

  // MessageBox with MessageBoxStyle bits; returns a MessageBoxAnswer.
  virtual int messageBox(const std::string& text, const std::string& caption, std::uint32_t style) = 0;

  // The "Password" dialog. True with the text typed when OK is pressed,
  // false on Cancel.
  virtual bool passwordDialog(std::string& password) = 0;

  // The "Confirm File Replace" dialog: `heading` is the filled "%s already
  // contains a file named '%s'" line; the details are the two files'
  // descriptions. Returns a ReplaceAnswer.
  virtual int confirmFileReplace(const std::string& heading, const std::string& existingDetails,
                                 const std::string& newDetails) = 0;

  // The background window; one at a time, destroyed by the second call or
  // at process end.
  virtual void createBackgroundWindow(const BackgroundWindowRequest& request) = 0;
  virtual void destroyBackgroundWindow() = 0;

  // Shows the modal progress dialog until it closes; kIdOk or kIdCancel, or
  // kDialogNotShown (the handler not called) when it cannot be created.
  virtual int progressDialog(const ProgressDialogRequest& request, ProgressDialogHandler& handler) = 0;

  // The notification-area icon of minimized runs, with its tip text (at
  // most 127 characters kept); every tenth update switches its image.
  virtual void notificationIcon(NotificationIconAction action, const std::string& tip) = 0;

  // --- rights, memory, other instances ---

  // True when the service control manager of this computer opens with full
  // access: what counts as administrator rights.
  virtual bool serviceManagerFullAccess() = 0;

  // Total physical memory in bytes.
  virtual std::uint64_t totalPhysicalMemory() = 0;

  // Takes the computer-wide mutex `name` for this process: opens an
  // existing one and tries it with a zero time-out (an abandoned one is
  // taken over), or creates it owned. The platform keeps the handle.
  virtual MutexTake takeNamedMutex(const std::string& name) = 0;
  // Releases and closes the mutex taken above; nothing when none is held.
  virtual void releaseNamedMutex() = 0;

  // Sends a copy-data message (WM_COPYDATA, no sender window) with `id`
  // and `data` to the top-level window titled `title`; `answer` gets the
  // window's answer. 1400 when there is no such window.
  virtual WinError sendCopyData(const std::string& title, std::uint32_t id, const std::vector<std::uint8_t>& data,
                                std::intptr_t& answer) = 0;
  // Posts `message` with both parameters 0 to that window. 1400 when there
  // is no such window.
  virtual WinError postWindowMessage(const std::string& title, std::uint32_t message) = 0;

  // --- network tables ---
  // Each answers 120 when the system lacks the function (looked up at run
  // time, never linked).

  // GetIfTable of IPHLPAPI.
  virtual WinError interfaceTable(std::vector<NetInterfaceRow>& rows) = 0;
  // GetIpAddrTable of IPHLPAPI.
  virtual WinError ipAddressTable(std::vector<IpAddressRow>& rows) = 0;
  // The 95 family's TCP/IP driver, through WsControl of WSOCK32.
  virtual WinError tcpDriverInterfaces(std::vector<TcpDriverInterface>& interfaces) = 0;
  // Descriptions of the devices the device installer lists as present in
  // the network adapter class.
  virtual WinError presentNetworkAdapters(std::vector<std::string>& descriptions) = 0;

  // --- security ---

  // Enables or disables one named privilege of the process token.
  // kErrorNotAllAssigned when the token does not hold it.
  virtual WinError setPrivilege(const std::string& name, bool enable) = 0;

  // --- accounts ---
  // SIDs travel as their binary form (SID structure bytes); the account
  // types are SID_NAME_USE numbers (AccountType).

  // The user SID of the token of the process that owns the taskbar window
  // (class "Shell_TrayWnd"): the user logged on to the desktop. 1400 when
  // there is no such window (nobody logged on, or the 95 family); another
  // error when the process or its token cannot be read. `sid` is empty on
  // failure.
  virtual WinError desktopUserSid(std::vector<std::uint8_t>& sid) = 0;

  // LookupAccountSid on this computer. 1332 when the SID maps to no name.
  virtual WinError lookupAccountSid(const std::vector<std::uint8_t>& sid, std::string& account,
                                    std::string& domain, std::uint32_t& type) = 0;

  // LookupAccountName on `system` (empty = this computer, otherwise a
  // server name such as a domain controller's "\\DC1"). `account` is
  // "name" or "DOMAIN\name". 1332 when no account has that name.
  virtual WinError lookupAccountName(const std::string& system, const std::string& account,
                                     std::vector<std::uint8_t>& sid, std::string& domain,
                                     std::uint32_t& type) = 0;

  // NetGetDCName of NETAPI32 (looked up at run time): the name of the
  // controller of `domain`, as "\\DC1". 2453 when no controller answers;
  // 120 when the system lacks the function (the 95 family).
  virtual WinError domainControllerName(const std::string& domain, std::string& controller) = 0;
};

}  // namespace tessary
