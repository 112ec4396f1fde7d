// HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT of a template's computer.
#include "cli/MachineLayout.h"
#include "cli/MachineRegWriter.h"
#include "cli/MachineRegistry.h"

namespace tessary::cli {

namespace {

constexpr const char* kWindowsKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kNtKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string versionNumber(const MachineFacts& facts) {
  return std::to_string(facts.major) + "." + std::to_string(facts.minor);
}

const AccountFacts* loggedOnAccount(const MachineFacts& facts) {
  for (const AccountFacts& account : facts.accounts)
    if (account.loggedOn) return &account;
  return nullptr;
}

void writeCurrentVersion(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  KeyWriter windows(tree, kWindowsKey);
  windows.sz("ProgramFilesDir", paths.programFiles).sz("CommonFilesDir", paths.commonFiles);
  if (facts.family == WindowsFamily::Win9x) {
    std::string build = std::to_string(facts.major) + "." + (facts.minor < 10 ? "0" : "") +
                        std::to_string(facts.minor) + "." + std::to_string(facts.build);
    windows.sz("SystemRoot", paths.windows)
        .sz("Version", facts.versionText)
        .sz("VersionNumber", build)
        .sz("SubVersionNumber", facts.csd.empty() ? "" : " " + facts.csd)
        .sz("ProductName", facts.productName)
        .sz("RegisteredOwner", facts.owner)
        .sz("RegisteredOrganization", facts.organization)
        .sz("ProductId", facts.productId)
        .sz("DevicePath", paths.windows + "\\INF")
        .sz("MediaPath", paths.windows + "\\MEDIA")
        .sz("OtherDevicePath", paths.windows + "\\INF\\OTHER");
  } else {
    windows.expandSz("DevicePath", "%SystemRoot%\\inf")
        .expandSz("MediaPathUnexpanded", "%SystemRoot%\\Media")
        .sz("SM_AccessoriesName", "Accessories")
        .sz("SM_GamesName", "Games");
    if (facts.family == WindowsFamily::Nt5) windows.expandSz("ProgramFilesPath", "%ProgramFiles%");

    KeyWriter nt(tree, kNtKey);
    nt.sz("CurrentVersion", versionNumber(facts))
        .sz("CurrentBuildNumber", std::to_string(facts.build))
        .sz("CSDVersion", facts.csd)
        .sz("CurrentType", "Uniprocessor Free")
        .sz("ProductName", facts.productName)
        .sz("ProductId", facts.productId)
        .sz("RegisteredOwner", facts.owner)
        .sz("RegisteredOrganization", facts.organization)
        .sz("SystemRoot", paths.windows)
        .sz("PathName", paths.windows)
        .sz("SoftwareType", "SYSTEM");
  }

  KeyWriter shell = windows.sub("Explorer\\Shell Folders");
  KeyWriter user = windows.sub("Explorer\\User Shell Folders");
  for (const ShellFolderRow& row : commonShellFolders(facts)) {
    shell.sz(row.value, shellFolderPath(row, paths, paths.allUsers));
    if (facts.family != WindowsFamily::Win9x)
      user.expandSz(row.value, userShellFolderText(row, facts, paths, paths.allUsers));
  }

  KeyWriter shared = windows.sub("SharedDlls");
  for (const SharedDllRow& row : sharedDlls(facts, paths)) shared.dword(row.file, row.count);
  for (const AppPathRow& row : appPaths(facts, paths)) {
    KeyWriter app = windows.sub("App Paths\\" + row.program);
    app.sz("", row.path);
    if (!row.folder.empty()) app.sz("Path", row.folder);
  }
  windows.sub("Run");
  windows.sub("RunOnce");
}

void writeNtProfileList(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  KeyWriter list(tree, std::string(kNtKey) + "\\ProfileList");
  if (facts.family == WindowsFamily::Nt5) {
    list.sz("AllUsersProfile", "All Users")
        .sz("DefaultUserProfile", "Default User")
        .expandSz("ProfilesDirectory", paths.profileImagePath(facts.profilesDir));
  }
  for (const AccountFacts& account : facts.accounts) {
    if (account.profileFolder.empty()) continue;
    list.sub(account.sid)
        .expandSz("ProfileImagePath", paths.profileImagePath(paths.profileOf(account)))
        .binary("Sid", sidBytes(account.sid))
        .dword("Flags", 0)
        .dword("State", 0)
        .sz("CentralProfile", "")
        .dword("RefCount", account.loggedOn ? 1 : 0);
  }
}

void writeNtLogon(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  const AccountFacts* user = loggedOnAccount(facts);
  KeyWriter winlogon(tree, std::string(kNtKey) + "\\Winlogon");
  winlogon.sz("DefaultDomainName", user ? user->domain : facts.computerName)
      .sz("DefaultUserName", user ? user->name : "")
      .sz("AutoAdminLogon", "0")
      .sz("Shell", "Explorer.exe")
      .sz("Userinit", paths.system + "\\userinit.exe,");
  if (facts.family == WindowsFamily::Nt5) {
    winlogon.sz("AltDefaultDomainName", user ? user->domain : facts.computerName)
        .sz("AltDefaultUserName", user ? user->name : "");
  }

  KeyWriter control(tree, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control");
  control.sub("ProductOptions").sz("ProductType", "WinNT");
  KeyWriter environment = control.sub("Session Manager\\Environment");
  for (const EnvironmentRow& row : systemEnvironment(facts)) {
    if (row.expand)
      environment.expandSz(row.name, row.text);
    else
      environment.sz(row.name, row.text);
  }
}

void write9xLogon(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  const AccountFacts* user = loggedOnAccount(facts);
  KeyWriter logon(tree, "HKEY_LOCAL_MACHINE\\Network\\Logon");
  logon.sz("username", user ? user->name : "").sz("PrimaryProvider", "").dword("LMLogon", 0);
  if (facts.profilesOn) logon.dword("UserProfiles", 1);

  if (facts.profilesOn) {
    KeyWriter list(tree, std::string(kWindowsKey) + "\\ProfileList");
    for (const AccountFacts& account : facts.accounts)
      list.sub(account.name).sz("ProfileImagePath", paths.profileOf(account));
  }
  KeyWriter(tree, "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP")
      .sz("ComputerName", facts.computerName)
      .sz("Workgroup", facts.workgroup)
      .sz("Comment", "");
}

void writeClasses(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  bool nt = facts.family != WindowsFamily::Win9x;
  KeyWriter root(tree, "HKEY_CLASSES_ROOT");
  root.sub(".txt").sz("", "txtfile").sz("Content Type", "text/plain");
  root.sub(".ini").sz("", "inifile");
  root.sub(".exe").sz("", "exefile").sz("Content Type", "application/x-msdownload");
  root.sub(".bat").sz("", "batfile");
  root.sub("txtfile").sz("", "Text Document");
  root.sub("inifile").sz("", "Configuration Settings");
  root.sub("exefile").sz("", "Application");
  root.sub("batfile").sz("", nt ? "Windows Batch File" : "MS-DOS Batch File");
  root.sub("exefile\\shell\\open\\command").sz("", "\"%1\" %*");
  root.sub("batfile\\shell\\open\\command").sz("", "\"%1\" %*");
  for (const char* type : {"txtfile", "inifile"}) {
    KeyWriter command = root.sub(std::string(type) + "\\shell\\open\\command");
    if (nt)
      command.expandSz("", "%SystemRoot%\\system32\\NOTEPAD.EXE %1");
    else
      command.sz("", paths.windows + "\\NOTEPAD.EXE %1");
  }
}

}  // namespace

void writeMachineKeys(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  writeCurrentVersion(tree, facts, paths);
  std::string control = facts.family == WindowsFamily::Win9x
                            ? "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control"
                            : "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control";
  KeyWriter(tree, control + "\\ComputerName\\ComputerName").sz("ComputerName", facts.computerName);
  if (facts.family == WindowsFamily::Win9x) {
    write9xLogon(tree, facts, paths);
  } else {
    KeyWriter(tree, control + "\\ComputerName\\ActiveComputerName").sz("ComputerName", facts.computerName);
    writeNtProfileList(tree, facts, paths);
    writeNtLogon(tree, facts, paths);
  }
  writeClasses(tree, facts, paths);
}

}  // namespace tessary::cli
