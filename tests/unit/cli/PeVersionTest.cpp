// The file version the builder records for a program: read from its version
// resource as the runtime reads it, so both sides agree on what is newer.
#include <gtest/gtest.h>

#include "archive/index/FileBlockHeader.h"
#include "cli/PackageReader.h"
#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::ScratchFolder;
using clitest::writeFile;

FileBlockHeader builtHeader(ScratchFolder& folder, const std::string& source) {
  writeFile(folder / "app.toml", "[package]\ntitle = \"V\"\n\n[[files]]\nsource = \"" + source +
                                      "\"\ntarget = '$Windows$\\" + source + "'\n");
  EXPECT_EQ(clitest::build(folder, folder / "app.toml"), "");
  cli::OpenPackage package;
  std::string error;
  EXPECT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
  FileBlockHeader header;
  const CTree* node = package.index.fileTree->children.at(0).get();
  while (!node->children.empty()) node = node->children.at(0).get();
  EXPECT_TRUE(cli::readBlockHeader(package, *node, header, error)) << error;
  return header;
}

#ifdef TESSARY_VERSIONED_DLL
TEST(BuilderFileVersion, AProgramsVersionResourceIsRecorded) {
  ScratchFolder folder;
  writeFile(folder / "lib.dll", clitest::readFile(TESSARY_VERSIONED_DLL));
  const FileBlockHeader header = builtHeader(folder, "lib.dll");
  // tests/data/pe/versioned.rc: FILEVERSION 5,1,10,2
  EXPECT_EQ(header.versionHigh, (5u << 16) | 1u);
  EXPECT_EQ(header.versionLow, (10u << 16) | 2u);
}
#endif

// Bytes that only look like a version resource, in a file that is no PE
// image, give no version: the runtime would read none from them either.
TEST(BuilderFileVersion, NoImageNoVersion) {
  ScratchFolder folder;
  std::string bytes = clitest::fakeStub(512);
  for (char c : std::string("VS_VERSION_INFO", 16)) bytes += std::string{c, '\0'};
  bytes += std::string("\0\0\xBD\x04\xEF\xFE\0\0\1\0\1\0\5\0\2\0\3\0", 18) + std::string(40, '\0');
  writeFile(folder / "fake.exe", bytes);
  const FileBlockHeader header = builtHeader(folder, "fake.exe");
  EXPECT_EQ(header.versionHigh, 0u);
  EXPECT_EQ(header.versionLow, 0u);
}

}  // namespace
}  // namespace tessary
