// A computer with nothing on it: every query answers "not found" or "no".
// Test doubles and fuzzers derive from it and override what they serve, so
// that each one states only the part of the system it stands in for.
#pragma once

#include "platform/Platform.h"

namespace tessary {

class NullPlatform : public Platform {
 public:
  std::string ownExecutablePath() override { return {}; }
  std::string rawCommandLine() override { return {}; }
  bool initializeComponentRuntime() override { return true; }
  void uninitializeComponentRuntime() override {}

  WinError openFile(const std::string&, FileAccess, unsigned, FileDisposition,
                    std::unique_ptr<PlatformFile>&) override {
    return kErrorFileNotFound;
  }
  WinError fileAttributes(const std::string&, std::uint32_t&) override { return kErrorFileNotFound; }
  WinError setFileAttributes(const std::string&, std::uint32_t) override { return kErrorFileNotFound; }
  WinError createFolder(const std::string&) override { return kErrorPathNotFound; }
  WinError removeFolder(const std::string&) override { return kErrorFileNotFound; }
  WinError deleteFile(const std::string&) override { return kErrorFileNotFound; }
  WinError moveFile(const std::string&, const std::string&, std::uint32_t) override {
    return kErrorFileNotFound;
  }
  WinError findFiles(const std::string&, std::vector<FoundFile>& found) override {
    found.clear();
    return kErrorFileNotFound;
  }
  WinError fullPathName(const std::string& path, std::string& full) override {
    full = path;
    return kErrorSuccess;
  }
  WinError shortPathName(const std::string&, std::string&) override { return kErrorFileNotFound; }
  WinError setFileTimes(const std::string&, FileTime, FileTime) override { return kErrorFileNotFound; }
  bool fileTimeToLocalTime(FileTime, LocalTime& local) override {
    local = {};
    return false;
  }
  bool fileVersion(const std::string&, std::uint32_t& high, std::uint32_t& low) override {
    high = low = 0;
    return false;
  }

  WinError readShortcut(const std::string&, ShortcutFields& fields) override {
    fields = {};
    return kErrorFileNotFound;
  }
  WinError saveShortcut(const std::string&, const ShortcutFields&) override { return kErrorPathNotFound; }
  WinError fixUpShortcut(const std::string&, const ShortcutFields*, bool) override { return kErrorFileNotFound; }

  std::string temporaryPath() override { return "C:\\TEMP\\"; }
  std::string windowsFolder() override { return "C:\\WINDOWS"; }
  std::string systemFolder() override { return "C:\\WINDOWS\\SYSTEM32"; }
  std::vector<std::string> logicalDriveRoots() override { return {}; }
  std::uint32_t driveType(const std::string&) override { return kDriveNoRootDir; }
  WinError diskFreeSpace(const std::string&, std::uint64_t& freeBytes, std::uint64_t& totalBytes) override {
    freeBytes = totalBytes = 0;
    return kErrorPathNotFound;
  }

  WinError regOpenKey(RegistryRoot, const std::string&) override { return kErrorFileNotFound; }
  WinError regCreateKey(RegistryRoot, const std::string&, bool& created) override {
    created = false;
    return kErrorAccessDenied;
  }
  WinError regDeleteKey(RegistryRoot, const std::string&) override { return kErrorFileNotFound; }
  WinError regQueryValue(RegistryRoot, const std::string&, const std::string&, RegistryValue&) override {
    return kErrorFileNotFound;
  }
  WinError regSetValue(RegistryRoot, const std::string&, const RegistryValue&) override {
    return kErrorAccessDenied;
  }
  WinError regDeleteValue(RegistryRoot, const std::string&, const std::string&) override {
    return kErrorFileNotFound;
  }
  WinError regEnumKeys(RegistryRoot, const std::string&, std::vector<std::string>& names) override {
    names.clear();
    return kErrorFileNotFound;
  }
  WinError regEnumValues(RegistryRoot, const std::string&, std::vector<RegistryValue>& values) override {
    values.clear();
    return kErrorFileNotFound;
  }
  WinError regLoadHive(RegistryRoot, const std::string&, const std::string&) override {
    return kErrorFileNotFound;
  }
  WinError regUnloadHive(RegistryRoot, const std::string&) override { return kErrorFileNotFound; }
  WinError regGrantKeyAccess(RegistryRoot, const std::string&, std::vector<std::uint8_t>&) override {
    return kErrorCallNotImplemented;
  }
  WinError regRestoreKeyAccess(RegistryRoot, const std::string&, const std::vector<std::uint8_t>&) override {
    return kErrorCallNotImplemented;
  }
  void broadcastSettingChange() override {}

  bool osVersion(OsVersion&) override { return false; }
  std::string computerName() override { return {}; }
  WinError userName(std::string& name) override {
    name.clear();
    return kErrorCallNotImplemented;
  }
  std::string privateProfileString(const std::string&, const std::string&, const std::string&,
                                   const std::string& defaultText) override {
    return defaultText;
  }
  std::string expandEnvironment(const std::string& text) override { return text; }
  bool environmentVariable(const std::string&, std::string& value) override {
    value.clear();
    return false;
  }
  LocalTime localTime() override { return {}; }
  void processPendingMessages() override {}
  int messageBox(const std::string&, const std::string&, std::uint32_t) override { return kIdOk; }
  bool passwordDialog(std::string& password) override {
    password.clear();
    return false;
  }
  int confirmFileReplace(const std::string&, const std::string&, const std::string&) override { return kReplaceNo; }
  void createBackgroundWindow(const BackgroundWindowRequest&) override {}
  void destroyBackgroundWindow() override {}
  int progressDialog(const ProgressDialogRequest&, ProgressDialogHandler&) override { return kIdCancel; }
  void notificationIcon(NotificationIconAction, const std::string&) override {}

  bool serviceManagerFullAccess() override { return false; }
  std::uint64_t totalPhysicalMemory() override { return 0; }
  MutexTake takeNamedMutex(const std::string&) override { return MutexTake::Failed; }
  void releaseNamedMutex() override {}
  WinError sendCopyData(const std::string&, std::uint32_t, const std::vector<std::uint8_t>&,
                        std::intptr_t& answer) override {
    answer = 0;
    return kErrorInvalidWindowHandle;
  }
  WinError postWindowMessage(const std::string&, std::uint32_t) override { return kErrorInvalidWindowHandle; }

  WinError interfaceTable(std::vector<NetInterfaceRow>& rows) override {
    rows.clear();
    return kErrorCallNotImplemented;
  }
  WinError ipAddressTable(std::vector<IpAddressRow>& rows) override {
    rows.clear();
    return kErrorCallNotImplemented;
  }
  WinError tcpDriverInterfaces(std::vector<TcpDriverInterface>& interfaces) override {
    interfaces.clear();
    return kErrorCallNotImplemented;
  }
  WinError presentNetworkAdapters(std::vector<std::string>& descriptions) override {
    descriptions.clear();
    return kErrorCallNotImplemented;
  }

  WinError setPrivilege(const std::string&, bool) override { return kErrorNotAllAssigned; }

  WinError desktopUserSid(std::vector<std::uint8_t>& sid) override {
    sid.clear();
    return kErrorInvalidWindowHandle;
  }
  WinError lookupAccountSid(const std::vector<std::uint8_t>&, std::string& account, std::string& domain,
                            std::uint32_t& type) override {
    account.clear();
    domain.clear();
    type = 0;
    return kErrorNoneMapped;
  }
  WinError lookupAccountName(const std::string&, const std::string&, std::vector<std::uint8_t>& sid,
                             std::string& domain, std::uint32_t& type) override {
    sid.clear();
    domain.clear();
    type = 0;
    return kErrorNoneMapped;
  }
  WinError domainControllerName(const std::string&, std::string& controller) override {
    controller.clear();
    return kErrorDcNotFound;
  }
};

}  // namespace tessary
