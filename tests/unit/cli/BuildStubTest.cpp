// The runtime stub at the front of a package: kept byte for byte, padded
// with zeros to a 1024-byte boundary, the word at offset 18 naming the
// archive's base; the undo stub in "File" is the same runtime with an
// empty archive of its own.
#include <gtest/gtest.h>

#include "archive/PkaArchive.h"
#include "cli/PackageReader.h"
#include "platform/MemoryFile.h"
#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::fakeStub;
using clitest::readFile;
using clitest::ScratchFolder;
using clitest::writeFile;

std::string buildWithStub(ScratchFolder& folder, const std::string& stub, std::string& error) {
  writeFile(folder / "app.toml", "[package]\ntitle = \"T\"\n[[files]]\nsource = \"a.txt\"\ntarget = \"$Windows$\\\\a.txt\"\n");
  writeFile(folder / "a.txt", "hello");
  writeFile(folder / "runtime.exe", stub);
  cli::BuildRequest request{folder / "app.toml", folder / "out.exe", folder / "runtime.exe"};
  cli::buildPackage(request, error);
  return readFile(folder / "out.exe");
}

std::uint16_t wordAt18(const std::string& bytes) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[18]) | (static_cast<unsigned char>(bytes[19]) << 8));
}

TEST(BuildStub, PaddedToTheNextKilobyteWithTheBaseWordPatched) {
  struct Case {
    std::size_t stubSize;
    std::uint32_t base;
  };
  for (Case c : {Case{100, 1024}, Case{1024, 1024}, Case{1025, 2048}, Case{5000, 5120}}) {
    SCOPED_TRACE(c.stubSize);
    ScratchFolder folder;
    std::string error;
    const std::string stub = fakeStub(c.stubSize);
    std::string out = buildWithStub(folder, stub, error);
    ASSERT_EQ(error, "");
    ASSERT_GT(out.size(), c.base + 20);
    EXPECT_EQ(wordAt18(out), c.base / 1024);
    // The stub's own bytes, but for the patched word, then zeros up to the base.
    EXPECT_EQ(out.substr(0, 18), stub.substr(0, 18));
    EXPECT_EQ(out.substr(20, c.stubSize - 20), stub.substr(20));
    EXPECT_EQ(out.substr(c.stubSize, c.base - c.stubSize), std::string(c.base - c.stubSize, '\0'));
    EXPECT_EQ(out.substr(c.base, 4), "PKAF");
  }
}

TEST(BuildStub, UndoStubIsTheRuntimeWithAnEmptyArchive) {
  ScratchFolder folder;
  std::string error;
  const std::string stub = fakeStub(1500);
  buildWithStub(folder, stub, error);
  ASSERT_EQ(error, "");
  cli::OpenPackage package;
  ASSERT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
  ASSERT_EQ(package.options.undoStubOffset, 0);
  std::string undo;
  ASSERT_TRUE(cli::readFileBytes(package, 0, package.options.undoStubLength, undo, error)) << error;
  ASSERT_EQ(undo.size(), 2048u + 20u);
  EXPECT_EQ(wordAt18(undo), 2);
  EXPECT_EQ(undo.substr(20, 1480), stub.substr(20));
  EXPECT_EQ(undo.substr(2048, 4), "PKAF");
  // No directory block: the runtime creates every stream when it opens it.
  EXPECT_EQ(clitest::le32At(undo, 2048 + 8), 0u);
  PkaArchive archive;
  EXPECT_EQ(PKAsetFileHandle(archive, std::make_unique<MemoryFile>(std::vector<std::uint8_t>(undo.begin(), undo.end()))), 0);
}

TEST(BuildStub, APackageGivenAsStubIsCutBackToItsRuntime) {
  ScratchFolder folder;
  std::string error;
  const std::string stub = fakeStub(700);
  std::string first = buildWithStub(folder, stub, error);
  ASSERT_EQ(error, "");
  std::string second = buildWithStub(folder, first, error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(wordAt18(second), 1);
  EXPECT_EQ(second.size(), first.size());
}

TEST(BuildStub, ANonExecutableStubIsRefusedAndNothingIsWritten) {
  for (const std::string& stub : {std::string("PK\3\4 not a program"), std::string(), std::string("MZ")}) {
    ScratchFolder folder;
    std::string error;
    buildWithStub(folder, stub, error);
    EXPECT_NE(error.find("runtime.exe"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.exe"));
  }
}

}  // namespace
}  // namespace tessary
