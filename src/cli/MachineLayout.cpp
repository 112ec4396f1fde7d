#include "cli/MachineLayout.h"

#include <algorithm>

#include "cli/MachinePeImage.h"
#include "platform/sim/SimText.h"

namespace tessary::cli {

namespace {

using B = FolderBase;

const std::vector<ShellFolderRow> kNt5User = {
    {"AppData", B::Profile, "Application Data"},
    {"Cache", B::Profile, "Local Settings\\Temporary Internet Files"},
    {"Cookies", B::Profile, "Cookies"},
    {"Desktop", B::Profile, "Desktop"},
    {"Favorites", B::Profile, "Favorites"},
    {"Fonts", B::Windows, "Fonts"},
    {"History", B::Profile, "Local Settings\\History"},
    {"Local AppData", B::Profile, "Local Settings\\Application Data"},
    {"Local Settings", B::Profile, "Local Settings"},
    {"My Music", B::Profile, "My Documents\\My Music"},
    {"My Pictures", B::Profile, "My Documents\\My Pictures"},
    {"NetHood", B::Profile, "NetHood"},
    {"Personal", B::Profile, "My Documents"},
    {"PrintHood", B::Profile, "PrintHood"},
    {"Programs", B::Profile, "Start Menu\\Programs"},
    {"Recent", B::Profile, "Recent"},
    {"SendTo", B::Profile, "SendTo"},
    {"Start Menu", B::Profile, "Start Menu"},
    {"Startup", B::Profile, "Start Menu\\Programs\\Startup"},
    {"Templates", B::Profile, "Templates"},
};

const std::vector<ShellFolderRow> kNt4User = {
    {"AppData", B::Profile, "Application Data"},
    {"Cache", B::Profile, "Temporary Internet Files"},
    {"Cookies", B::Profile, "Cookies"},
    {"Desktop", B::Profile, "Desktop"},
    {"Favorites", B::Profile, "Favorites"},
    {"Fonts", B::Windows, "Fonts"},
    {"History", B::Profile, "History"},
    {"NetHood", B::Profile, "NetHood"},
    {"Personal", B::Profile, "Personal"},
    {"PrintHood", B::Profile, "PrintHood"},
    {"Programs", B::Profile, "Start Menu\\Programs"},
    {"Recent", B::Profile, "Recent"},
    {"SendTo", B::Profile, "SendTo"},
    {"Start Menu", B::Profile, "Start Menu"},
    {"Startup", B::Profile, "Start Menu\\Programs\\Startup"},
    {"Templates", B::Windows, "ShellNew"},
};

// 98 and ME with profiles: the chosen folders move into the profile, the
// rest stay in the Windows folder.
const std::vector<ShellFolderRow> k9xProfile = {
    {"AppData", B::Profile, "Application Data"},
    {"Cache", B::Profile, "Temporary Internet Files"},
    {"Cookies", B::Profile, "Cookies"},
    {"Desktop", B::Profile, "Desktop"},
    {"Favorites", B::Profile, "Favorites"},
    {"Fonts", B::Windows, "FONTS"},
    {"History", B::Profile, "History"},
    {"NetHood", B::Profile, "NetHood"},
    {"Personal", B::Profile, "My Documents"},
    {"PrintHood", B::Windows, "PrintHood"},
    {"Programs", B::Profile, "Start Menu\\Programs"},
    {"Recent", B::Profile, "Recent"},
    {"SendTo", B::Windows, "SendTo"},
    {"Start Menu", B::Profile, "Start Menu"},
    {"Startup", B::Profile, "Start Menu\\Programs\\StartUp"},
    {"Templates", B::Windows, "SHELLNEW"},
};

const std::vector<ShellFolderRow> k9xWindows = {
    {"AppData", B::Windows, "Application Data"},
    {"Cache", B::Windows, "Temporary Internet Files"},
    {"Cookies", B::Windows, "Cookies"},
    {"Desktop", B::Windows, "Desktop"},
    {"Favorites", B::Windows, "Favorites"},
    {"Fonts", B::Windows, "FONTS"},
    {"History", B::Windows, "History"},
    {"NetHood", B::Windows, "NetHood"},
    {"Personal", B::SystemDrive, "My Documents"},
    {"PrintHood", B::Windows, "PrintHood"},
    {"Programs", B::Windows, "Start Menu\\Programs"},
    {"Recent", B::Windows, "Recent"},
    {"SendTo", B::Windows, "SendTo"},
    {"Start Menu", B::Windows, "Start Menu"},
    {"Startup", B::Windows, "Start Menu\\Programs\\StartUp"},
    {"Templates", B::Windows, "SHELLNEW"},
};

const std::vector<ShellFolderRow> kNt5Common = {
    {"Common AppData", B::AllUsers, "Application Data"},
    {"Common Desktop", B::AllUsers, "Desktop"},
    {"Common Documents", B::AllUsers, "Documents"},
    {"Common Favorites", B::AllUsers, "Favorites"},
    {"Common Programs", B::AllUsers, "Start Menu\\Programs"},
    {"Common Start Menu", B::AllUsers, "Start Menu"},
    {"Common Startup", B::AllUsers, "Start Menu\\Programs\\Startup"},
    {"Common Templates", B::AllUsers, "Templates"},
};

const std::vector<ShellFolderRow> kNt4Common = {
    {"Common Desktop", B::AllUsers, "Desktop"},
    {"Common Programs", B::AllUsers, "Start Menu\\Programs"},
    {"Common Start Menu", B::AllUsers, "Start Menu"},
    {"Common Startup", B::AllUsers, "Start Menu\\Programs\\Startup"},
};

const std::vector<ShellFolderRow> k9xCommon = {
    {"Common AppData", B::AllUsers, "Application Data"},
    {"Common Desktop", B::AllUsers, "Desktop"},
    {"Common Programs", B::AllUsers, "Start Menu\\Programs"},
    {"Common Start Menu", B::AllUsers, "Start Menu"},
    {"Common Startup", B::AllUsers, "Start Menu\\Programs\\StartUp"},
};

const std::vector<ShellFolderRow> kNone;

}  // namespace

const std::vector<ShellFolderRow>& userShellFolders(WindowsFamily family, bool profilesOn) {
  switch (family) {
    case WindowsFamily::Nt5: return kNt5User;
    case WindowsFamily::Nt4: return kNt4User;
    case WindowsFamily::Win9x: break;
  }
  return profilesOn ? k9xProfile : k9xWindows;
}

const std::vector<ShellFolderRow>& commonShellFolders(const MachineFacts& facts) {
  switch (facts.family) {
    case WindowsFamily::Nt5: return kNt5Common;
    case WindowsFamily::Nt4: return kNt4Common;
    case WindowsFamily::Win9x: break;
  }
  return facts.profilesOn ? k9xCommon : kNone;
}

std::string shellFolderPath(const ShellFolderRow& row, const MachinePaths& paths,
                            const std::string& profile) {
  switch (row.base) {
    case B::Profile: return profile + "\\" + row.suffix;
    case B::Windows: return paths.windows + "\\" + row.suffix;
    case B::SystemDrive: return paths.systemDrive + "\\" + row.suffix;
    case B::AllUsers: break;
  }
  return paths.allUsers + "\\" + row.suffix;
}

std::string userShellFolderText(const ShellFolderRow& row, const MachineFacts& facts,
                                const MachinePaths& paths, const std::string& profile) {
  if (facts.family == WindowsFamily::Win9x) {
    // Only the folders moved into a profile are recorded.
    return facts.profilesOn && row.base == B::Profile ? shellFolderPath(row, paths, profile)
                                                      : std::string();
  }
  switch (row.base) {
    case B::Profile: return std::string("%USERPROFILE%\\") + row.suffix;
    case B::Windows: return std::string("%SystemRoot%\\") + row.suffix;
    case B::SystemDrive: return std::string("%SystemDrive%\\") + row.suffix;
    case B::AllUsers: break;
  }
  if (facts.family == WindowsFamily::Nt5) return std::string("%ALLUSERSPROFILE%\\") + row.suffix;
  return paths.profileImagePath(paths.allUsers) + "\\" + row.suffix;
}

std::vector<SharedDllRow> sharedDlls(const MachineFacts& facts, const MachinePaths& paths) {
  bool nt = facts.family != WindowsFamily::Win9x;
  std::string s = paths.system + "\\";
  std::vector<SharedDllRow> rows = {
      {s + (nt ? "mfc42.dll" : "MFC42.DLL"), 3},
      {s + (nt ? "msvbvm60.dll" : "MSVBVM60.DLL"), 4},
      {s + (nt ? "comdlg32.ocx" : "COMDLG32.OCX"), 2},
      {s + (nt ? "mscomctl.ocx" : "MSCOMCTL.OCX"), 1},
      {paths.commonFiles + "\\System\\ado\\msado15.dll", 1},
      // Left at zero by an uninstaller: nothing holds it any more.
      {s + (nt ? "oldgrid.ocx" : "OLDGRID.OCX"), 0},
  };
  return rows;
}

std::vector<AppPathRow> appPaths(const MachineFacts& facts, const MachinePaths& paths) {
  std::string ie = paths.programFiles + "\\Internet Explorer";
  if (facts.family == WindowsFamily::Win9x) {
    std::string acc = paths.programFiles + "\\Accessories";
    return {{"IEXPLORE.EXE", ie + "\\IEXPLORE.EXE", ie + ";"},
            {"WORDPAD.EXE", acc + "\\WORDPAD.EXE", ""},
            {"PBRUSH.EXE", acc + "\\MSPAINT.EXE", ""}};
  }
  std::string acc = paths.programFiles + "\\Windows NT\\Accessories";
  return {{"IEXPLORE.EXE", ie + "\\IEXPLORE.EXE", ie + ";"},
          {"WORDPAD.EXE", acc + "\\WORDPAD.EXE", ""},
          {"PBRUSH.EXE", paths.system + "\\mspaint.exe", ""}};
}

std::string systemBinary(const MachineFacts& facts, const std::string& path) {
  struct Redistributable {
    const char* name;
    FileVersion version;
  };
  static const Redistributable kRedistributables[] = {
      {"MFC42.DLL", {6, 0, 8665, 0}},      {"MSVBVM60.DLL", {6, 0, 92, 37}},
      {"COMDLG32.OCX", {6, 0, 84, 18}},    {"MSCOMCTL.OCX", {6, 1, 97, 82}},
      {"MSADO15.DLL", {2, 71, 9030, 0}},   {"OLDGRID.OCX", {1, 0, 0, 12}}};
  // Real-mode and 16-bit files carry no Windows image.
  static const char* const kDosFiles[] = {"IO.SYS",   "COMMAND.COM", "KRNL386.EXE", "USER.EXE",
                                          "GDI.EXE",  "VMM32.VXD",   "HIMEM.SYS",   "ANSI.SYS",
                                          "MSCDEX.EXE", "WININIT.EXE", "NTLDR"};

  std::string name = foldCase(path.substr(path.rfind('\\') + 1));
  std::string extension = name.substr(std::min(name.rfind('.'), name.size()));
  bool image = extension == ".DLL" || extension == ".EXE" || extension == ".OCX";
  for (const char* dos : kDosFiles) image = image && name != dos;
  if (!image) {
    std::string bytes(64, '\0');
    bytes[0] = 'M', bytes[1] = 'Z';
    return bytes;
  }
  FileVersion version = facts.family == WindowsFamily::Win9x
                            ? FileVersion{std::uint16_t(facts.major), std::uint16_t(facts.minor), 0,
                                          std::uint16_t(facts.build)}
                            : FileVersion{std::uint16_t(facts.major), std::uint16_t(facts.minor),
                                          std::uint16_t(facts.build), std::uint16_t(facts.fileRevision)};
  for (const Redistributable& row : kRedistributables)
    if (name == row.name) version = row.version;
  return peImageWithVersion(version, extension != ".EXE");
}

}  // namespace tessary::cli
