// The Windows installation on drive C: its folders, a few of its files, and
// the texts of the configuration files that packages edit.
#include <string_view>

#include "cli/MachineLayout.h"

namespace tessary::cli {

namespace {

// Placeholders: "%W%" the Windows folder, "%S%" the system folder, "%PF%"
// Program Files, "%C%" the system drive.
std::string place(std::string_view pattern, const MachinePaths& paths) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    auto token = [&](std::string_view name, const std::string& value) {
      if (pattern.substr(i, name.size()) != name) return false;
      out += value;
      i += name.size();
      return true;
    };
    if (token("%W%", paths.windows) || token("%S%", paths.system) ||
        token("%PF%", paths.programFiles) || token("%C%", paths.systemDrive))
      continue;
    out += pattern[i++];
  }
  return out;
}

const std::vector<std::string_view> kNtFolders = {
    "%W%\\addins", "%W%\\Cursors", "%W%\\Fonts", "%W%\\Help", "%W%\\inf", "%W%\\Media",
    "%W%\\repair", "%W%\\ShellNew", "%W%\\system", "%W%\\Temp", "%W%\\Downloaded Program Files",
    "%S%\\config", "%S%\\drivers\\etc", "%S%\\spool\\PRINTERS", "%S%\\dllcache",
    "%PF%\\Common Files\\System\\ado", "%PF%\\Common Files\\Microsoft Shared",
    "%PF%\\Internet Explorer", "%PF%\\Windows NT\\Accessories"};

const std::vector<std::string_view> k9xFolders = {
    "%W%\\COMMAND", "%W%\\CURSORS", "%W%\\FONTS", "%W%\\HELP", "%W%\\INF", "%W%\\MEDIA",
    "%W%\\SHELLNEW", "%W%\\SYSBCKUP", "%W%\\TEMP", "%W%\\Downloaded Program Files",
    "%S%\\IOSUBSYS", "%S%\\VMM32", "%S%\\COLOR",
    "%PF%\\Common Files\\System\\ado", "%PF%\\Common Files\\Microsoft Shared",
    "%PF%\\Internet Explorer", "%PF%\\Accessories"};

const std::vector<std::string_view> kNtBinaries = {
    "%W%\\explorer.exe",  "%W%\\regedit.exe",  "%W%\\notepad.exe",   "%W%\\twain_32.dll",
    "%S%\\kernel32.dll",  "%S%\\user32.dll",   "%S%\\gdi32.dll",     "%S%\\advapi32.dll",
    "%S%\\shell32.dll",   "%S%\\ole32.dll",    "%S%\\oleaut32.dll",  "%S%\\comctl32.dll",
    "%S%\\comdlg32.dll",  "%S%\\msvcrt.dll",   "%S%\\ntdll.dll",     "%S%\\netapi32.dll",
    "%S%\\iphlpapi.dll",  "%S%\\psapi.dll",    "%S%\\wsock32.dll",   "%S%\\ws2_32.dll",
    "%S%\\setupapi.dll",  "%S%\\cmd.exe",       "%S%\\regsvr32.exe",
    "%S%\\rundll32.exe",  "%S%\\mspaint.exe",  "%S%\\msiexec.exe",
    "%PF%\\Internet Explorer\\IEXPLORE.EXE", "%PF%\\Windows NT\\Accessories\\WORDPAD.EXE"};

const std::vector<std::string_view> k9xBinaries = {
    "%W%\\EXPLORER.EXE", "%W%\\REGEDIT.EXE",  "%W%\\NOTEPAD.EXE",  "%W%\\COMMAND.COM",
    "%W%\\WININIT.EXE",  "%W%\\TWAIN_32.DLL", "%S%\\KERNEL32.DLL", "%S%\\USER32.DLL",
    "%S%\\GDI32.DLL",    "%S%\\ADVAPI32.DLL", "%S%\\SHELL32.DLL",  "%S%\\OLE32.DLL",
    "%S%\\OLEAUT32.DLL", "%S%\\COMCTL32.DLL", "%S%\\COMDLG32.DLL", "%S%\\MSVCRT.DLL",
    "%S%\\WSOCK32.DLL",  "%S%\\SETUPAPI.DLL", "%S%\\KRNL386.EXE",  "%S%\\USER.EXE",
    "%S%\\GDI.EXE",      "%S%\\VMM32.VXD",    "%S%\\REGSVR32.EXE", "%W%\\RUNDLL32.EXE",
    "%C%\\IO.SYS",       "%C%\\COMMAND.COM",
    "%PF%\\Internet Explorer\\IEXPLORE.EXE", "%PF%\\Accessories\\WORDPAD.EXE",
    "%PF%\\Accessories\\MSPAINT.EXE"};

std::string lines(std::initializer_list<std::string_view> list) {
  std::string text;
  for (std::string_view line : list) (text += line) += "\r\n";
  return text;
}

std::string ntWinIni() {
  return lines({"; for 16-bit app support", "[fonts]", "[extensions]", "[mci extensions]",
                "[files]", "[Mail]", "MAPI=1", "[MCI Extensions.BAK]", "aif=MPEGVideo",
                "mid=MPEGVideo", "wav=MPEGVideo"});
}

std::string ntSystemIni() {
  return lines({"; for 16-bit app support", "[386Enh]", "woafont=dosapp.fon",
                "EGA80WOA.FON=EGA80WOA.FON", "EGA40WOA.FON=EGA40WOA.FON",
                "CGA80WOA.FON=CGA80WOA.FON", "CGA40WOA.FON=CGA40WOA.FON", "", "[drivers]",
                "wave=mmdrv.dll", "timer=timer.drv", "", "[mci]"});
}

std::string bootIni(const MachineFacts& facts) {
  std::string arc = "multi(0)disk(0)rdisk(0)partition(1)" + facts.windowsDir.substr(2);
  std::string name = facts.productName + (facts.major == 5 ? " Professional" : " Workstation");
  return lines({"[boot loader]", "timeout=30", "default=" + arc, "[operating systems]",
                arc + "=\"" + name + "\" /fastdetect"});
}

std::string hosts() {
  return lines({"# HOSTS file used by the TCP/IP stack.", "", "127.0.0.1       localhost"});
}

std::string w9xWinIni() {
  return lines({"[windows]", "load=", "run=", "NullPort=None", "device=", "", "[Desktop]",
                "Wallpaper=(None)", "TileWallpaper=0", "WallpaperStyle=0", "", "[intl]",
                "iCountry=1", "", "[fonts]", "", "[extensions]", "txt=notepad.exe ^.txt",
                "ini=notepad.exe ^.ini", "log=notepad.exe ^.log", "bmp=mspaint.exe ^.bmp", "",
                "[mci extensions]", "wav=waveaudio", "mid=sequencer", "rmi=sequencer", "",
                "[Ports]", "COM1:=9600,n,8,1,x", "COM2:=9600,n,8,1,x", "LPT1:=", "",
                "[PrinterPorts]", "", "[devices]", "", "[Compatibility]", "", "[MCI]"});
}

std::string w9xSystemIni() {
  return lines({"[boot]", "oemfonts.fon=vgaoem.fon", "shell=Explorer.exe",
                "system.drv=system.drv", "drivers=mmsystem.dll power.drv", "user.exe=user.exe",
                "gdi.exe=gdi.exe", "sound.drv=mmsound.drv", "comm.drv=comm.drv", "",
                "[boot.description]", "keyboard.typ=Standard 101/102-Key or Microsoft Natural Keyboard",
                "mouse.drv=Standard mouse", "", "[386Enh]", "ebios=*ebios", "mouse=*vmouse, msmouse.vxd",
                "device=*vshare", "keyboard=*vkd", "", "[NonWindowsApp]", "", "[vcache]", "",
                "[drivers]", "wave=mmsystem.dll", "midi=mmsystem.dll", "", "[Password Lists]"});
}

std::string msdosSys(const MachineFacts& facts) {
  std::string version = std::to_string(facts.major) + "." + std::to_string(facts.minor) + "." +
                        std::to_string(facts.build);
  return lines({"[Paths]", "WinDir=" + facts.windowsDir, "WinBootDir=" + facts.windowsDir,
                "HostWinBootDrv=" + facts.windowsDir.substr(0, 1), "", "[Options]", "BootMulti=1",
                "BootGUI=1", "DoubleBuffer=1", "AutoScan=1", "WinVer=" + version});
}

std::string configSys(const MachinePaths& paths) {
  return lines({"DEVICE=" + paths.windows + "\\HIMEM.SYS", "DOS=HIGH,UMB", "FILES=40",
                "BUFFERS=20", "DEVICEHIGH=" + paths.windows + "\\COMMAND\\ANSI.SYS"});
}

std::string autoexecBat(const MachinePaths& paths) {
  return lines({"@ECHO OFF", "PROMPT $p$g", "SET PATH=" + paths.windows + ";" + paths.windows +
                                                 "\\COMMAND",
                "SET TEMP=" + paths.systemTemp, "SET TMP=" + paths.systemTemp,
                paths.windows + "\\COMMAND\\MSCDEX.EXE /D:CDROM001 /L:D"});
}

}  // namespace

std::vector<std::string> familyFolders(const MachineFacts& facts, const MachinePaths& paths) {
  const auto& list = facts.family == WindowsFamily::Win9x ? k9xFolders : kNtFolders;
  std::vector<std::string> folders;
  for (std::string_view pattern : list) folders.push_back(place(pattern, paths));
  return folders;
}

std::vector<FileFacts> familyFiles(const MachineFacts& facts, const MachinePaths& paths) {
  std::vector<FileFacts> files;
  auto binary = [&](const std::string& path) { files.push_back({path, systemBinary(facts, path)}); };
  const auto& binaries = facts.family == WindowsFamily::Win9x ? k9xBinaries : kNtBinaries;
  for (std::string_view pattern : binaries) binary(place(pattern, paths));
  for (const SharedDllRow& row : sharedDlls(facts, paths)) binary(row.file);

  if (facts.family == WindowsFamily::Win9x) {
    files.push_back({paths.windows + "\\WIN.INI", w9xWinIni()});
    files.push_back({paths.windows + "\\SYSTEM.INI", w9xSystemIni()});
    files.push_back({paths.windows + "\\HOSTS.SAM", hosts()});
    binary(paths.windows + "\\HIMEM.SYS");
    binary(paths.windows + "\\COMMAND\\ANSI.SYS");
    binary(paths.windows + "\\COMMAND\\MSCDEX.EXE");
    files.push_back({paths.systemDrive + "\\MSDOS.SYS", msdosSys(facts)});
    files.push_back({paths.systemDrive + "\\CONFIG.SYS", configSys(paths)});
    files.push_back({paths.systemDrive + "\\AUTOEXEC.BAT", autoexecBat(paths)});
  } else {
    files.push_back({paths.windows + "\\win.ini", ntWinIni()});
    files.push_back({paths.windows + "\\system.ini", ntSystemIni()});
    files.push_back({paths.system + "\\drivers\\etc\\hosts", hosts()});
    files.push_back({paths.systemDrive + "\\boot.ini", bootIni(facts)});
    files.push_back({paths.systemDrive + "\\AUTOEXEC.BAT", ""});
    files.push_back({paths.systemDrive + "\\CONFIG.SYS", ""});
    binary(paths.systemDrive + "\\ntldr");
  }
  for (const FileFacts& extra : facts.extraFiles)
    files.push_back({extra.path, extra.text.empty() ? systemBinary(facts, extra.path) : extra.text});
  return files;
}

}  // namespace tessary::cli
