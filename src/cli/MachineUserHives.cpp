// The hives of the users: shell folders, environment and a few settings.
#include "cli/MachineLayout.h"
#include "cli/MachineRegWriter.h"
#include "cli/MachineRegistry.h"

namespace tessary::cli {

namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

void writeShellFolders(const KeyWriter& hive, const MachineFacts& facts, const MachinePaths& paths,
                       const std::vector<ShellFolderRow>& rows, const std::string& profile) {
  KeyWriter shell = hive.sub(std::string(kExplorer) + "\\Shell Folders");
  KeyWriter user = hive.sub(std::string(kExplorer) + "\\User Shell Folders");
  bool nt = facts.family != WindowsFamily::Win9x;
  for (const ShellFolderRow& row : rows) {
    shell.sz(row.value, shellFolderPath(row, paths, profile));
    std::string text = userShellFolderText(row, facts, paths, profile);
    if (text.empty()) continue;
    if (nt)
      user.expandSz(row.value, text);
    else
      user.sz(row.value, text);
  }
}

void writeDesktopSettings(const KeyWriter& hive) {
  hive.sub("Control Panel\\Desktop")
      .sz("Wallpaper", "")
      .sz("TileWallpaper", "0")
      .sz("ScreenSaveActive", "1")
      .sz("ScreenSaveTimeOut", "900");
  hive.sub("Control Panel\\International").sz("Locale", "00000409").sz("sCountry", "United States");
}

}  // namespace

std::vector<EnvironmentRow> systemEnvironment(const MachineFacts& facts) {
  bool nt5 = facts.family == WindowsFamily::Nt5;
  bool xp = nt5 && facts.minor >= 1;
  std::vector<EnvironmentRow> rows = {
      {"ComSpec", "%SystemRoot%\\system32\\cmd.exe", true},
      {"NUMBER_OF_PROCESSORS", "1"},
      {"OS", "Windows_NT"},
      {"Path", nt5 ? "%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\System32\\Wbem"
                   : "%SystemRoot%\\system32;%SystemRoot%",
       true},
      {"PATHEXT", nt5 ? ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH" : ".COM;.EXE;.BAT;.CMD"},
      {"PROCESSOR_ARCHITECTURE", "x86"},
      {"PROCESSOR_IDENTIFIER", xp ? "x86 Family 6 Model 8 Stepping 3" : "x86 Family 6 Model 5 Stepping 2"},
      {"PROCESSOR_LEVEL", "6"},
      {"PROCESSOR_REVISION", xp ? "0803" : "0502"},
      {"windir", "%SystemRoot%", true},
  };
  if (!xp) rows.push_back({"Os2LibPath", "%SystemRoot%\\system32\\os2\\dll;", true});
  if (xp) rows.push_back({"FP_NO_HOST_CHECK", "NO"});
  if (nt5) {
    rows.push_back({"TEMP", "%SystemRoot%\\TEMP", true});
    rows.push_back({"TMP", "%SystemRoot%\\TEMP", true});
  }
  return rows;
}

std::vector<EnvironmentRow> userEnvironment(const MachineFacts& facts, bool loggedOn) {
  if (facts.family == WindowsFamily::Win9x) return {};
  std::string temp = facts.family == WindowsFamily::Nt5 ? "%USERPROFILE%\\Local Settings\\Temp"
                                                        : "%SystemDrive%\\TEMP";
  std::vector<EnvironmentRow> rows = {{"TEMP", temp, true}, {"TMP", temp, true}};
  // The administrator keeps tools of their own on the path.
  if (loggedOn) rows.push_back({"PATH", "%USERPROFILE%\\bin", true});
  return rows;
}

void writeUserHive(RegistryTree& tree, const std::string& root, const MachineFacts& facts,
                   const MachinePaths& paths, const HiveOwner& owner) {
  KeyWriter hive(tree, root);
  writeShellFolders(hive, facts, paths, userShellFolders(facts.family, facts.profilesOn),
                    owner.profile);
  writeDesktopSettings(hive);
  if (facts.family == WindowsFamily::Win9x) return;

  KeyWriter environment = hive.sub("Environment");
  for (const EnvironmentRow& row : userEnvironment(facts, owner.loggedOn)) {
    if (row.expand)
      environment.expandSz(row.name, row.text);
    else
      environment.sz(row.name, row.text);
  }
  if (!owner.accountName.empty() && facts.family == WindowsFamily::Nt5)
    hive.sub(kExplorer).sz("Logon User Name", owner.accountName);
  if (owner.loggedOn && facts.family == WindowsFamily::Nt5) {
    hive.sub("Volatile Environment")
        .sz("APPDATA", owner.profile + "\\Application Data")
        .sz("HOMEDRIVE", paths.systemDrive)
        .sz("HOMEPATH", owner.profile.substr(paths.systemDrive.size()))
        .sz("LOGONSERVER", "\\\\" + facts.computerName);
  }
}

void writeDefaultHive(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths) {
  KeyWriter hive(tree, "HKEY_USERS\\.DEFAULT");
  writeDesktopSettings(hive);
  if (facts.family == WindowsFamily::Win9x) {
    // Whoever logs on without a profile works in the Windows folder.
    writeShellFolders(hive, facts, paths, userShellFolders(facts.family, false), paths.windows);
    return;
  }
  KeyWriter environment = hive.sub("Environment");
  for (const EnvironmentRow& row : userEnvironment(facts, false)) environment.expandSz(row.name, row.text);
}

}  // namespace tessary::cli
