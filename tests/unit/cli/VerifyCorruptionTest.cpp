// verify reads every structure and expands every block; a damaged block is
// reported with the entry it belongs to.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/PackageReader.h"
#include "cli/VerifyCommand.h"
#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::ScratchFolder;
using clitest::writeFile;

class DamagedPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + " of the notes\n";
    writeFile(folder / "notes.txt", text);
    writeFile(folder / "data.zip", std::string(300, 'z'));
    writeFile(folder / "app.toml",
              "[[files]]\nsource = \"notes.txt\"\ntarget = \"$Windows$\\\\notes.txt\"\n"
              "[[files]]\nsource = \"data.zip\"\ntarget = \"$Windows$\\\\data.zip\"\n");
    ASSERT_EQ(clitest::build(folder, folder / "app.toml"), "");
  }

  // The file position of a node's block, `plus` bytes in.
  std::uint64_t blockPosition(const std::string& name, std::uint32_t plus) {
    cli::OpenPackage package;
    std::string error;
    EXPECT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
    for (const auto& top : package.index.fileTree->children)
      for (const auto& node : top->children)
        if (node->name == name) {
          const PkaStreamSlot& file = package.archive->slots[static_cast<std::size_t>(package.fileStream)];
          return package.archive->base + file.dataOffset() + static_cast<std::uint32_t>(node->dataOffset) + plus;
        }
    ADD_FAILURE() << name << " not found";
    return 0;
  }

  void overwrite(std::uint64_t position, const std::string& bytes) {
    std::fstream file(folder / "out.exe", std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(position));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::vector<std::string> problems() {
    cli::OpenPackage package;
    std::string error;
    EXPECT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
    std::size_t files = 0, values = 0;
    return cli::verifyPackage(package, files, values);
  }

  ScratchFolder folder;
};

TEST_F(DamagedPackage, ASoundPackageHasNoProblems) { EXPECT_TRUE(problems().empty()); }

TEST_F(DamagedPackage, DamagedCompressedContentIsNamed) {
  overwrite(blockPosition("$Windows$\\notes.txt", 24 + 40), std::string(64, '\xFF'));
  std::vector<std::string> found = problems();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(found[0].find("file entry \"$Windows$\\notes.txt\""), std::string::npos) << found[0];
  EXPECT_NE(found[0].find("compressed content does not expand"), std::string::npos) << found[0];
}

TEST_F(DamagedPackage, AWrongDeclaredSizeIsNamed) {
  // The stored file's header says one byte more than its block holds.
  overwrite(blockPosition("$Windows$\\data.zip", 0), std::string("\x2D\x01\0\0", 4));
  std::vector<std::string> found = problems();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(found[0].find("\"$Windows$\\data.zip\": its stored content does not expand to the declared 301 bytes"),
            std::string::npos)
      << found[0];
}

}  // namespace
}  // namespace tessary
