#include <gtest/gtest.h>

#include "platform/sim/SimPath.h"
#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

TEST(SimPath, NormalisesLikeWindows) {
  struct Case {
    const char* path;
    WinError error;
    const char* text;
  };
  const Case cases[] = {
      {"C:\\WINDOWS\\win.ini", 0, "C:\\WINDOWS\\win.ini"},
      {"c:/windows//System32\\", 0, "C:\\windows\\System32"},
      {"C:\\WINDOWS\\system32\\..\\.\\win.ini", 0, "C:\\WINDOWS\\win.ini"},
      {"C:\\..\\..\\WINDOWS", 0, "C:\\WINDOWS"},
      {"C:\\a\\..", 0, "C:\\"},
      {"C:\\", 0, "C:\\"},
      {"C:\\WINDOWS\\win.ini. .", 0, "C:\\WINDOWS\\win.ini"},
      {"C:\\dir.\\x", 0, "C:\\dir.\\x"},
      {"C:\\a\\b<c\\..", 0, "C:\\a"},
      {"", kErrorPathNotFound, ""},
      {"WINDOWS\\win.ini", kErrorPathNotFound, ""},
      {"C:win.ini", kErrorPathNotFound, ""},
      {"C:", kErrorPathNotFound, ""},
      {"\\WINDOWS\\win.ini", kErrorPathNotFound, ""},
      {"\\\\server\\share\\x", kErrorPathNotFound, ""},
      {"//server/share/x", kErrorPathNotFound, ""},
      {"1:\\x", kErrorPathNotFound, ""},
      {"C:\\a<b", kErrorInvalidName, ""},
      {"C:\\a>b", kErrorInvalidName, ""},
      {"C:\\a:b", kErrorInvalidName, ""},
      {"C:\\a\"b", kErrorInvalidName, ""},
      {"C:\\a|b\\c", kErrorInvalidName, ""},
      {"C:\\a?", kErrorInvalidName, ""},
      {"C:\\*.*", kErrorInvalidName, ""},
      {"C:\\a\x01z", kErrorInvalidName, ""},
      {"C:\\tab\there", kErrorInvalidName, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    WindowsPath parsed;
    EXPECT_EQ(parseWindowsPath(c.path, parsed), c.error);
    if (c.error == 0) {
      EXPECT_EQ(parsed.text(), c.text);
    }
  }
}

TEST(SimPath, FindsHostEntriesWithoutRegardToCase) {
  TempFolder temp;
  std::filesystem::path drives = temp.path() / "drives";
  simtest::writeFile(drives / "C" / "WINDOWS" / "win.ini", "x");
  simtest::writeFile(drives / "C" / "WINDOWS" / "System32" / "kernel32.dll", "x");
  std::filesystem::create_directories(drives / "d" / "Data");

  struct Case {
    const char* path;
    WinError error;
    const char* host;  // relative to drives/
    bool exists;
  };
  const Case cases[] = {
      {"C:\\WINDOWS\\win.ini", 0, "C/WINDOWS/win.ini", true},
      {"c:\\windows\\WIN.INI", 0, "C/WINDOWS/win.ini", true},
      {"C:/Windows/system32/KERNEL32.dll", 0, "C/WINDOWS/System32/kernel32.dll", true},
      {"C:\\WINDOWS\\System32\\..\\..\\..\\WINDOWS\\win.ini", 0, "C/WINDOWS/win.ini", true},
      {"C:\\windows\\New File.TXT", 0, "C/WINDOWS/New File.TXT", false},
      {"C:\\windows", 0, "C/WINDOWS", true},
      {"C:\\", 0, "C", true},
      {"D:\\DATA", 0, "d/Data", true},
      {"D:\\data\\new", 0, "d/Data/new", false},
      {"C:\\NoSuch\\x.txt", kErrorPathNotFound, "", false},
      {"C:\\WINDOWS\\win.ini\\x", kErrorPathNotFound, "", false},
      {"E:\\x", kErrorPathNotFound, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    WindowsPath parsed;
    ASSERT_EQ(parseWindowsPath(c.path, parsed), 0u);
    HostLocation location;
    ASSERT_EQ(locateOnHost(drives, parsed, location), c.error);
    if (c.error) continue;
    EXPECT_EQ(location.host.lexically_relative(drives).generic_string(), c.host);
    EXPECT_EQ(location.exists, c.exists);
  }
}

#ifndef _WIN32
// A case-sensitive host can hold names that Windows would see as one; every
// spelling then reaches the same entry.
TEST(SimPath, TwinsOnACaseSensitiveHostResolveToOneEntry) {
  TempFolder temp;
  std::filesystem::path drives = temp.path() / "drives";
  simtest::writeFile(drives / "C" / "a.txt", "lower");
  simtest::writeFile(drives / "C" / "A.TXT", "upper");
  for (const char* path : {"C:\\a.txt", "C:\\A.TXT", "C:\\A.txt"}) {
    WindowsPath parsed;
    ASSERT_EQ(parseWindowsPath(path, parsed), 0u);
    HostLocation location;
    ASSERT_EQ(locateOnHost(drives, parsed, location), 0u);
    EXPECT_EQ(location.host.filename().string(), "A.TXT") << path;
  }
}
#endif

}  // namespace
}  // namespace tessary
