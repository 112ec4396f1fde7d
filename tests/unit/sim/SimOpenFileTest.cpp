#include <gtest/gtest.h>

#include "platform/sim/SimOpenFiles.h"
#include "platform/sim/SimPlatform.h"
#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;
using D = FileDisposition;
using A = FileAccess;

constexpr unsigned kShareRW = kShareRead | kShareWrite;
const char* const kWinIniText = "[windows]\r\nload=\r\nrun=\r\n";

// A fresh copy of the sample machine, loaded.
struct MachineCopy {
  MachineCopy() : folder(simtest::copyMachine(temp)) {
    std::string error;
    sim = SimPlatform::load(folder.string(), error);
    EXPECT_TRUE(sim) << error;
  }
  std::filesystem::path hostOf(const std::string& relative) const {
    return folder / "drives" / "C" / relative;
  }

  TempFolder temp;
  std::filesystem::path folder;
  std::unique_ptr<SimPlatform> sim;
};

class SimOpenFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(machine_.sim); }

  std::filesystem::path hostOf(const char* relative) const { return machine_.hostOf(relative); }

  WinError open(const char* path, A access, unsigned share, D disposition,
                std::unique_ptr<PlatformFile>& file) {
    return machine_.sim->openFile(path, access, share, disposition, file);
  }

  MachineCopy machine_;
  std::unique_ptr<SimPlatform>& sim_ = machine_.sim;
};

TEST(SimOpenFileTable, DispositionsOnExistingMissingAndFolders) {
  struct Case {
    const char* path;
    A access;
    D disposition;
    WinError error;
    const char* contentAfter;  // null: no such file afterwards
  };
  const Case cases[] = {
      {"C:\\WINDOWS\\win.ini", A::Read, D::CreateNew, kErrorFileExists, kWinIniText},
      {"C:\\WINDOWS\\win.ini", A::Write, D::CreateAlways, 0, ""},
      {"C:\\WINDOWS\\win.ini", A::Read, D::OpenExisting, 0, kWinIniText},
      {"C:\\WINDOWS\\win.ini", A::ReadWrite, D::OpenAlways, 0, kWinIniText},
      {"C:\\WINDOWS\\win.ini", A::Write, D::TruncateExisting, 0, ""},
      {"C:\\WINDOWS\\win.ini", A::Read, D::TruncateExisting, kErrorInvalidParameter, kWinIniText},
      {"C:\\WINDOWS\\new.txt", A::Write, D::CreateNew, 0, ""},
      {"C:\\WINDOWS\\new.txt", A::Read, D::CreateAlways, 0, ""},
      {"C:\\WINDOWS\\new.txt", A::Read, D::OpenAlways, 0, ""},
      {"C:\\WINDOWS\\new.txt", A::Read, D::OpenExisting, kErrorFileNotFound, nullptr},
      {"C:\\WINDOWS\\new.txt", A::Write, D::TruncateExisting, kErrorFileNotFound, nullptr},
      {"C:\\Nope\\new.txt", A::Write, D::CreateAlways, kErrorPathNotFound, nullptr},
      {"Z:\\new.txt", A::Write, D::CreateAlways, kErrorPathNotFound, nullptr},
      {"C:\\WINDOWS\\bad?.txt", A::Write, D::CreateAlways, kErrorInvalidName, nullptr},
      {"C:\\WINDOWS", A::Read, D::OpenExisting, kErrorAccessDenied, nullptr},
      {"C:\\WINDOWS\\", A::Read, D::OpenAlways, kErrorAccessDenied, nullptr},
      {"C:\\WINDOWS", A::Read, D::CreateNew, kErrorFileExists, nullptr},
      // Read-only through [faults] readonly in machine.ini.
      {"C:\\WINDOWS\\system32\\locked.dll", A::Read, D::OpenExisting, 0, "MZ"},
      {"C:\\WINDOWS\\SYSTEM32\\LOCKED.DLL", A::ReadWrite, D::OpenExisting, kErrorAccessDenied, nullptr},
      {"C:\\WINDOWS\\system32\\locked.dll", A::Read, D::CreateAlways, kErrorAccessDenied, "MZ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + std::string(" ") + std::to_string(static_cast<int>(c.disposition)));
    MachineCopy machine;
    ASSERT_TRUE(machine.sim);
    std::unique_ptr<PlatformFile> file;
    EXPECT_EQ(machine.sim->openFile(c.path, c.access, kShareRead, c.disposition, file), c.error);
    EXPECT_EQ(file != nullptr, c.error == 0);
    file.reset();
    std::string relative = std::string(c.path).substr(3);
    for (char& ch : relative) if (ch == '\\') ch = '/';
    std::filesystem::path host = machine.hostOf(relative);
    if (c.contentAfter) {
      EXPECT_EQ(simtest::readFile(host), c.contentAfter);
    } else if (relative.find("WINDOWS/new") == 0) {
      EXPECT_FALSE(std::filesystem::exists(host));
    }
  }
}

TEST_F(SimOpenFile, HostFileWithoutWritePermissionIsReadOnly) {
  std::filesystem::path host = hostOf("WINDOWS/win.ini");
  std::filesystem::permissions(host, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  std::unique_ptr<PlatformFile> file;
  EXPECT_EQ(open("C:\\WINDOWS\\win.ini", A::Write, kShareRW, D::OpenExisting, file), kErrorAccessDenied);
  EXPECT_EQ(open("C:\\WINDOWS\\win.ini", A::Read, kShareRW, D::CreateAlways, file), kErrorAccessDenied);
  EXPECT_EQ(open("C:\\WINDOWS\\win.ini", A::Read, kShareRW, D::OpenExisting, file), 0u);
  EXPECT_EQ(simtest::readFile(host), kWinIniText);
}

TEST(SimSharing, AccessMustBeAllowedByTheOtherSidesSharing) {
  struct Case {
    A firstAccess;
    unsigned firstShare;
    A secondAccess;
    unsigned secondShare;
    bool allowed;
  };
  const Case cases[] = {
      {A::Read, kShareRead, A::Read, kShareRead, true},
      {A::Read, kShareRead, A::Write, kShareRW, false},
      {A::Read, kShareRW, A::Write, kShareRead, true},
      {A::Write, kShareRW, A::Read, kShareRead, false},
      {A::Write, kShareWrite, A::Write, kShareWrite, true},
      {A::ReadWrite, kShareNone, A::Read, kShareRW | kShareDelete, false},
      {A::Read, kShareRead, A::Read, kShareNone, false},
      {A::ReadWrite, kShareRW, A::ReadWrite, kShareRW, true},
      {A::Read, kShareDelete, A::Read, kShareRead, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sharingAllows(c.firstAccess, c.firstShare, c.secondAccess, c.secondShare), c.allowed)
        << static_cast<int>(c.firstAccess) << '/' << c.firstShare << " then "
        << static_cast<int>(c.secondAccess) << '/' << c.secondShare;
  }
}

TEST_F(SimOpenFile, SharingViolationsUntilTheFileIsClosed) {
  std::unique_ptr<PlatformFile> writer;
  ASSERT_EQ(open("C:\\WINDOWS\\win.ini", A::ReadWrite, kShareRead, D::OpenExisting, writer), 0u);
  std::unique_ptr<PlatformFile> other;
  // Another spelling of the same file, and a replacing open: both refused,
  // and the refused truncation leaves the data alone.
  EXPECT_EQ(open("c:/windows/WIN.INI", A::Read, kShareRead, D::OpenExisting, other), kErrorSharingViolation);
  EXPECT_EQ(open("C:\\WINDOWS\\win.ini", A::Write, kShareRW, D::CreateAlways, other), kErrorSharingViolation);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(simtest::readFile(hostOf("WINDOWS/win.ini")), kWinIniText);
  // A different file is not affected.
  EXPECT_EQ(open("C:\\WINDOWS\\system32\\shared.dll", A::Read, kShareNone, D::OpenExisting, other), 0u);
  EXPECT_EQ(sim_->openFileCount(), 2u);
  other.reset();
  writer.reset();
  EXPECT_EQ(sim_->openFileCount(), 0u);
  EXPECT_EQ(open("c:/windows/WIN.INI", A::Read, kShareNone, D::OpenExisting, other), 0u);
}

TEST_F(SimOpenFile, ReadWriteSeekSizeAndSetEndOfFile) {
  std::unique_ptr<PlatformFile> file;
  ASSERT_EQ(open("C:\\WINDOWS\\data.bin", A::ReadWrite, kShareRead, D::CreateNew, file), 0u);
  std::uint64_t position = 0;
  std::uint32_t done = 0;
  ASSERT_EQ(file->seek(4, SeekOrigin::Begin, position), 0u);
  ASSERT_EQ(file->write("ab", 2, done), 0u);
  EXPECT_EQ(done, 2u);
  EXPECT_EQ(simtest::readFile(hostOf("WINDOWS/data.bin")), std::string("\0\0\0\0ab", 6));

  // A second opener sees the bytes at once.
  std::unique_ptr<PlatformFile> reader;
  ASSERT_EQ(open("C:\\WINDOWS\\DATA.BIN", A::Read, kShareRW, D::OpenExisting, reader), 0u);
  char buffer[16] = {};
  ASSERT_EQ(reader->read(buffer, sizeof buffer, done), 0u);
  EXPECT_EQ(std::string(buffer, done), std::string("\0\0\0\0ab", 6));
  ASSERT_EQ(reader->read(buffer, sizeof buffer, done), 0u);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(reader->write("x", 1, done), kErrorAccessDenied);
  EXPECT_EQ(reader->setEndOfFile(), kErrorAccessDenied);

  EXPECT_EQ(file->seek(-7, SeekOrigin::End, position), kErrorNegativeSeek);
  EXPECT_EQ(position, 6u);
  ASSERT_EQ(file->seek(-3, SeekOrigin::Current, position), 0u);
  EXPECT_EQ(position, 3u);
  ASSERT_EQ(file->write("Z", 1, done), 0u);
  ASSERT_EQ(file->seek(-2, SeekOrigin::End, position), 0u);
  ASSERT_EQ(file->setEndOfFile(), 0u);
  std::uint64_t size = 0;
  ASSERT_EQ(file->size(size), 0u);
  EXPECT_EQ(size, 4u);
  ASSERT_EQ(file->seek(6, SeekOrigin::Begin, position), 0u);
  ASSERT_EQ(file->setEndOfFile(), 0u);
  ASSERT_EQ(reader->seek(0, SeekOrigin::Begin, position), 0u);
  ASSERT_EQ(reader->read(buffer, sizeof buffer, done), 0u);
  EXPECT_EQ(std::string(buffer, done), std::string("\0\0\0Z\0\0", 6));

  std::unique_ptr<PlatformFile> writeOnly;
  ASSERT_EQ(open("C:\\WINDOWS\\other.bin", A::Write, kShareNone, D::CreateAlways, writeOnly), 0u);
  EXPECT_EQ(writeOnly->read(buffer, 1, done), kErrorAccessDenied);
}

TEST_F(SimOpenFile, FileMayOutliveItsComputer) {
  std::unique_ptr<PlatformFile> file;
  ASSERT_EQ(open("C:\\WINDOWS\\win.ini", A::Read, kShareRead, D::OpenExisting, file), 0u);
  sim_.reset();
  char buffer[9] = {};
  std::uint32_t done = 0;
  EXPECT_EQ(file->read(buffer, 9, done), 0u);
  EXPECT_EQ(std::string(buffer, done), "[windows]");
}

}  // namespace
}  // namespace tessary
