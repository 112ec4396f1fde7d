// Answers questions about the real system for the Wine tests:
//   wine_probe os                 prints the operating-system facts
//   wine_probe argv ARGS...       prints "same" when our splitting of the raw
//                                 command line equals the C runtime's vector
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "control/OsFacts.h"
#include "platform/ArgumentVector.h"
#include "platform/win32/Win32Platform.h"

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

}  // namespace

int main(int argc, char** argv) {
  Win32Platform platform;
  if (argc >= 2 && std::strcmp(argv[1], "os") == 0) return printOs(platform);
  if (argc >= 2 && std::strcmp(argv[1], "argv") == 0) return compareArgv(platform, argc, argv);
  std::fprintf(stderr, "usage: wine_probe os | argv ARGS...\n");
  return 2;
}
