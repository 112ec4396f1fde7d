// The real operating system, through its ANSI entry points. Functions that
// older systems lack are looked up at run time (Win32RuntimeFunctions).
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace tessary {

class Win32RuntimeFunctions;
class Win32BackgroundWindow;
class Win32NotifyIcon;

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  std::string ownExecutablePath() override;
  std::string rawCommandLine() override;
  bool initializeComponentRuntime() override;
  void uninitializeComponentRuntime() override;

  // Win32File.cpp, Win32Files.cpp, Win32Find.cpp, Win32Version.cpp
  WinError openFile(const std::string& path, FileAccess access, unsigned share,
                    FileDisposition disposition, std::unique_ptr<PlatformFile>& file) override;
  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override;
  WinError setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  WinError createFolder(const std::string& path) override;
  WinError removeFolder(const std::string& path) override;
  WinError deleteFile(const std::string& path) override;
  WinError moveFile(const std::string& from, const std::string& to, std::uint32_t flags) override;
  WinError findFiles(const std::string& pattern, std::vector<FoundFile>& found) override;
  WinError fullPathName(const std::string& path, std::string& full) override;
  WinError shortPathName(const std::string& path, std::string& shortPath) override;
  bool fileVersion(const std::string& path, std::uint32_t& high, std::uint32_t& low) override;
  WinError setFileTimes(const std::string& path, FileTime created, FileTime lastWrite) override;
  bool fileTimeToLocalTime(FileTime time, LocalTime& local) override;

  // Win32Shortcuts.cpp
  WinError readShortcut(const std::string& path, ShortcutFields& fields) override;
  WinError saveShortcut(const std::string& path, const ShortcutFields& fields) override;
  WinError fixUpShortcut(const std::string& path, const ShortcutFields* fields, bool save) override;

  // Win32Drives.cpp
  std::string temporaryPath() override;
  std::string windowsFolder() override;
  std::string systemFolder() override;
  std::vector<std::string> logicalDriveRoots() override;
  std::uint32_t driveType(const std::string& root) override;
  WinError diskFreeSpace(const std::string& root, std::uint64_t& freeBytes,
                         std::uint64_t& totalBytes) override;

  // Win32Registry.cpp
  WinError regOpenKey(RegistryRoot root, const std::string& subkey) override;
  WinError regCreateKey(RegistryRoot root, const std::string& subkey, bool& created) override;
  WinError regDeleteKey(RegistryRoot root, const std::string& subkey) override;
  WinError regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                         RegistryValue& value) override;
  WinError regSetValue(RegistryRoot root, const std::string& subkey, const RegistryValue& value) override;
  WinError regDeleteValue(RegistryRoot root, const std::string& subkey, const std::string& name) override;
  WinError regEnumKeys(RegistryRoot root, const std::string& subkey, std::vector<std::string>& names) override;
  WinError regEnumValues(RegistryRoot root, const std::string& subkey,
                         std::vector<RegistryValue>& values) override;
  WinError regLoadHive(RegistryRoot root, const std::string& name, const std::string& file) override;
  WinError regUnloadHive(RegistryRoot root, const std::string& name) override;
  // Win32KeySecurity.cpp
  WinError regGrantKeyAccess(RegistryRoot root, const std::string& subkey,
                             std::vector<std::uint8_t>& previous) override;
  WinError regRestoreKeyAccess(RegistryRoot root, const std::string& subkey,
                               const std::vector<std::uint8_t>& previous) override;
  void broadcastSettingChange() override;

  // Win32System.cpp
  bool osVersion(OsVersion& version) override;
  std::string computerName() override;
  WinError userName(std::string& name) override;
  std::string expandEnvironment(const std::string& text) override;
  bool environmentVariable(const std::string& name, std::string& value) override;
  LocalTime localTime() override;
  void processPendingMessages() override;

  // Win32MessageBox.cpp
  int messageBox(const std::string& text, const std::string& caption, std::uint32_t style) override;

  // Win32PasswordDialog.cpp, Win32ReplaceDialog.cpp, Win32ProgressDialog.cpp
  bool passwordDialog(std::string& password) override;
  int confirmFileReplace(const std::string& heading, const std::string& existingDetails,
                         const std::string& newDetails) override;
  int progressDialog(const ProgressDialogRequest& request, ProgressDialogHandler& handler) override;

  // Win32BackgroundWindow.cpp, Win32NotifyIcon.cpp
  void createBackgroundWindow(const BackgroundWindowRequest& request) override;
  void destroyBackgroundWindow() override;
  void notificationIcon(NotificationIconAction action, const std::string& tip) override;

  // Win32Rights.cpp, Win32Mutex.cpp, Win32ServiceWindow.cpp
  bool serviceManagerFullAccess() override;
  std::uint64_t totalPhysicalMemory() override;
  MutexTake takeNamedMutex(const std::string& name) override;
  void releaseNamedMutex() override;
  WinError sendCopyData(const std::string& title, std::uint32_t id, const std::vector<std::uint8_t>& data,
                        std::intptr_t& answer) override;
  WinError postWindowMessage(const std::string& title, std::uint32_t message) override;

  // Win32Network.cpp, Win32TcpDriver.cpp, Win32NetworkDevices.cpp
  WinError interfaceTable(std::vector<NetInterfaceRow>& rows) override;
  WinError ipAddressTable(std::vector<IpAddressRow>& rows) override;
  WinError tcpDriverInterfaces(std::vector<TcpDriverInterface>& interfaces) override;
  WinError presentNetworkAdapters(std::vector<std::string>& descriptions) override;

  WinError setPrivilege(const std::string& name, bool enable) override;

  // Win32Profile.cpp
  std::string privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& defaultText) override;

  // Win32Accounts.cpp
  WinError desktopUserSid(std::vector<std::uint8_t>& sid) override;
  WinError lookupAccountSid(const std::vector<std::uint8_t>& sid, std::string& account, std::string& domain,
                            std::uint32_t& type) override;
  WinError lookupAccountName(const std::string& system, const std::string& account,
                             std::vector<std::uint8_t>& sid, std::string& domain, std::uint32_t& type) override;
  WinError domainControllerName(const std::string& domain, std::string& controller) override;

 private:
  // The owner of our dialogs: the background window when there is one.
  void* dialogOwner() const;

  bool ntFamily_ = false;
  std::unique_ptr<Win32RuntimeFunctions> functions_;
  std::unique_ptr<Win32BackgroundWindow> background_;
  std::unique_ptr<Win32NotifyIcon> notifyIcon_;
  // The single-instance mutex while this process owns it.
  void* mutex_ = nullptr;
  // The progress dialog while it shows, so that pumped messages reach its
  // keyboard handling.
  void* activeDialog_ = nullptr;
};

}  // namespace tessary
