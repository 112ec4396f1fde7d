// Answers questions about the real system for the Wine tests:
//   wine_probe os                 prints the operating-system facts
//   wine_probe argv ARGS...       prints "same" when our splitting of the raw
//                                 command line equals the C runtime's vector
//   wine_probe makepkg SRC DST    copies SRC to DST and appends an archive
//                                 holding one stream, as a builder would
//   wine_probe tempfolder         prints the run's temporary folder
//   wine_probe net                prints the network discovery's result code
//                                 and the address it found
//   wine_probe mutex NAME [PATH]  takes the single-instance mutex NAME and
//                                 prints Taken, HeldElsewhere or Failed; with
//                                 PATH it keeps the mutex until PATH exists
//   wine_probe lock FILE PATH     opens FILE sharing nothing, prints Locked
//                                 (or Failed) and keeps it open until PATH
//                                 exists: a file in use by another program
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "archive/PkaArchive.h"
#include "control/OsFacts.h"
#include "support/FileSearch.h"
#include "variables/UserSet.h"
#include "support/FileVersion.h"
#include "netinfo/NetworkDiscovery.h"
#include "platform/ArgumentVector.h"
#include "platform/win32/Win32Platform.h"
#include "support/RunLogPlace.h"

using namespace tessary;

namespace {

int printOs(Win32Platform& platform) {
  OsVersion version;
  if (!platform.osVersion(version)) return 2;
  OsFacts facts = osFactsFromVersion(version);
  std::printf("%s Version: %u minorVersion: %u platform: %u win9x: %d\n", facts.osName.c_str(),
              facts.majorVersion, facts.minorVersion, facts.platformId, facts.isWin9x);
  return 0;
}

int compareArgv(Win32Platform& platform, int argc, char** argv) {
  std::vector<std::string> ours = splitCommandLine(platform.rawCommandLine());
  bool same = ours.size() == static_cast<std::size_t>(argc);
  for (int i = 0; same && i < argc; ++i) same = ours[i] == argv[i];
  if (same) {
    std::printf("same\n");
    return 0;
  }
  std::printf("differs\n");
  for (int i = 0; i < argc; ++i) std::printf("runtime[%d] <%s>\n", i, argv[i]);
  for (std::size_t i = 0; i < ours.size(); ++i) std::printf("ours[%zu] <%s>\n", i, ours[i].c_str());
  return 1;
}

int makePackage(Win32Platform& platform, const std::string& source, const std::string& target) {
  std::unique_ptr<PlatformFile> in;
  std::unique_ptr<PlatformFile> out;
  if (platform.openFile(source, FileAccess::Read, kShareRead, FileDisposition::OpenExisting, in) ||
      platform.openFile(target, FileAccess::ReadWrite, kShareNone, FileDisposition::CreateAlways, out))
    return 2;
  std::vector<char> buffer(65536);
  for (;;) {
    std::uint32_t got = 0;
    std::uint32_t put = 0;
    if (in->read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), got)) return 2;
    if (got == 0) break;
    if (out->write(buffer.data(), got, put) || put != got) return 2;
  }
  std::uint32_t base = 0;
  if (PKAappendEmptyArchive(*out, base) != 0) return 3;
  out.reset();
  auto archive = std::make_unique<PkaArchive>();
  if (PKAopenArchive(*archive, platform, target, false) != 0) return 4;
  int stream = PKAcreat(*archive, "Probe", 0, 1);
  if (stream < 0 || PKAwrite(*archive, stream, "probe", 5) != 5) return 5;
  PKAclose(*archive, stream);
  return PKAcloseArchive(*archive) == 0 ? 0 : 6;
}

int printNetwork(Win32Platform& platform) {
  std::int32_t code = 0;
  NetworkInfo info = discoverNetwork(platform, &code);
  std::printf("%d <%s> <%s>\n", static_cast<int>(code), info.ipAddress.c_str(), info.hostName.c_str());
  return 0;
}

// What the support layer finds on the real system, one fact a line.
int printSupport(Win32Platform& platform) {
  std::printf("findFile notepad.exe (Windows folders): %s\n", findFile(platform, "notepad.exe", 2).c_str());
  std::uint32_t high = 0, low = 0;
  std::string kernel = platform.systemFolder() + "\\kernel32.dll";
  bool has = getFileVersion(platform, kernel, high, low);
  std::printf("version of %s: %s %s\n", kernel.c_str(), has ? "yes" : "no", formatVersion(high, low).c_str());
  std::printf("drives:");
  for (const std::string& root : platform.logicalDriveRoots())
    std::printf(" %s(type %u)", root.c_str(), platform.driveType(root));
  std::printf("\n");
  return printNetwork(platform);
}

// The current user's variables as the runtime resolves them here.
int printVariables(Win32Platform& platform) {
  for (const char* privilege : {"SeBackupPrivilege", "SeRestorePrivilege"}) platform.setPrivilege(privilege, true);
  UserSet users(platform);
  if (!users.selectCurrentUser({}, {})) {
    std::printf("no user (status %d)\n", static_cast<int>(users.status()));
    return 1;
  }
  for (const UserContext& user : users.users()) {
    std::printf("User: %s\n  profile: %s\n", user.accountName.c_str(), user.profileDir.c_str());
    for (const Variable& variable : user.variables)
      std::printf("  %-28s %s\n", variable.name.c_str(), variable.value.c_str());
  }
  return 0;
}

// Another instance, for the single-instance checks.
int takeMutex(Win32Platform& platform, const std::string& name, const char* releaseWhen) {
  static constexpr const char* kNames[] = {"Taken", "HeldElsewhere", "Failed"};
  const MutexTake take = platform.takeNamedMutex(name);
  std::printf("%s\n", kNames[static_cast<int>(take)]);
  std::fflush(stdout);
  if (!releaseWhen || take != MutexTake::Taken) return 0;
  // At most a minute: a lost signal must not hang the test.
  std::uint32_t attributes = 0;
  for (int i = 0; i < 600 && platform.fileAttributes(releaseWhen, attributes) != kErrorSuccess; ++i) Sleep(100);
  platform.releaseNamedMutex();
  return 0;
}

// A program that holds a file open, for the in-use checks.
int holdFileOpen(Win32Platform& platform, const char* path, const char* releaseWhen) {
  HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::printf("%s\n", file == INVALID_HANDLE_VALUE ? "Failed" : "Locked");
  std::fflush(stdout);
  if (file == INVALID_HANDLE_VALUE) return 1;
  // At most a minute: a lost signal must not hang the test.
  std::uint32_t attributes = 0;
  for (int i = 0; i < 600 && platform.fileAttributes(releaseWhen, attributes) != kErrorSuccess; ++i) Sleep(100);
  CloseHandle(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Win32Platform platform;
  if (argc >= 2 && std::strcmp(argv[1], "os") == 0) return printOs(platform);
  if (argc >= 2 && std::strcmp(argv[1], "argv") == 0) return compareArgv(platform, argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "makepkg") == 0) return makePackage(platform, argv[2], argv[3]);
  if (argc == 2 && std::strcmp(argv[1], "tempfolder") == 0) {
    std::printf("%s\n", runTempFolder(platform).c_str());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "net") == 0) return printNetwork(platform);
  if (argc == 2 && std::strcmp(argv[1], "support") == 0) return printSupport(platform);
  if (argc == 2 && std::strcmp(argv[1], "vars") == 0) return printVariables(platform);
  if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "mutex") == 0)
    return takeMutex(platform, argv[2], argc == 4 ? argv[3] : nullptr);
  if (argc == 4 && std::strcmp(argv[1], "lock") == 0) return holdFileOpen(platform, argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: wine_probe os | argv ARGS... | makepkg SRC DST | tempfolder | net | support | vars | "
               "mutex NAME [PATH] | lock FILE PATH\n");
  return 2;
}
