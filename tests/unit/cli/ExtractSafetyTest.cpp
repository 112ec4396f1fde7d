// Names inside a package are not trusted: one that would climb out of the
// extraction folder is refused and nothing is written outside it.
#include <gtest/gtest.h>

#include "cli/ExtractCommand.h"
#include "cli/PackageWriter.h"
#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::ScratchFolder;
using clitest::writeFile;
namespace fs = std::filesystem;

// A package whose file tree holds one file under `name`, written with the
// builder's own writer (the manifest reader would refuse such a name).
void writePackageWithName(const ScratchFolder& folder, const std::string& name) {
  writeFile(folder / "a.txt", "x");
  cli::Manifest manifest;
  cli::ManifestError manifestError;
  ASSERT_TRUE(cli::parseManifest("[package]\ntitle = \"T\"\n", folder / "app.toml", manifest, manifestError));
  cli::FilePlan files;
  CTree* top = files.root->addChild(std::make_unique<CTree>("$Windows$"));
  CTree* node = top->addChild(std::make_unique<CTree>(name));
  node->dataOffset = 0;
  cli::PlannedBlock block;
  block.source = folder / "a.txt";
  block.header.fileSize = 1;
  files.blocks[node] = block;
  cli::markLeaves(*files.root);
  cli::RegistryPlan registry;
  cli::PackageInputs inputs{clitest::fakeStub(100), &manifest, &files, &registry};
  std::string error;
  auto out = cli::HostFile::openWrite(folder / "out.exe", true, error);
  ASSERT_TRUE(out) << error;
  cli::Progress progress("", 0, nullptr);
  ASSERT_TRUE(cli::writePackage(std::move(out), inputs, progress, error)) << error;
}

TEST(ExtractSafety, NamesThatLeaveTheFolderAreRefused) {
  for (const char* name : {"$Windows$\\..\\..\\evil.txt", "..\\evil.txt", "$Windows$\\\\evil.txt", "$Windows$/../../evil.txt"}) {
    SCOPED_TRACE(name);
    ScratchFolder folder;
    writePackageWithName(folder, name);
    cli::OpenPackage package;
    std::string error;
    ASSERT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
    EXPECT_FALSE(cli::extractPackage(package, folder / "deep" / "x", error));
    EXPECT_NE(error.find("cannot be a path inside the folder"), std::string::npos) << error;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
      EXPECT_NE(entry.path().filename(), "evil.txt") << entry.path();
  }
}

TEST(ExtractSafety, AnOrdinaryNameIsWritten) {
  ScratchFolder folder;
  writePackageWithName(folder, "$Windows$\\sub\\fine.txt");
  cli::OpenPackage package;
  std::string error;
  ASSERT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
  ASSERT_TRUE(cli::extractPackage(package, folder / "x", error)) << error;
  EXPECT_EQ(clitest::readFile(folder / "x" / "files" / "$Windows$" / "sub" / "fine.txt"), "x");
}

}  // namespace
}  // namespace tessary
