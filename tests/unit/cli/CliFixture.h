// A scratch folder for the tool's tests, with helpers to write manifests,
// sources and a small runtime stub into it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/BuildCommand.h"

namespace tessary::clitest {

namespace fs = std::filesystem;

inline const fs::path kExamples = fs::path(TESSARY_TEST_DATA) / ".." / ".." / "examples";

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "tessary-cli-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// A stand-in for the runtime: "MZ", a DOS header's worth of bytes and a tail,
// `size` bytes in all, the word at offset 18 zero.
inline std::string fakeStub(std::size_t size) {
  std::string stub(size, '\0');
  stub[0] = 'M';
  stub[1] = 'Z';
  for (std::size_t i = 64; i < size; ++i) stub[i] = static_cast<char>('a' + i % 26);
  return stub;
}

inline std::uint32_t le32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Builds `manifest` into folder/out.exe with a 1500-byte stub; the error
// text, empty on success.
inline std::string build(const ScratchFolder& folder, const fs::path& manifest, const std::string& output = "out.exe") {
  writeFile(folder / "stub.exe", fakeStub(1500));
  cli::BuildRequest request;
  request.manifest = manifest;
  request.output = folder / output;
  request.stub = folder / "stub.exe";
  std::string error;
  return cli::buildPackage(request, error) ? std::string() : (error.empty() ? "failed without a message" : error);
}

}  // namespace tessary::clitest
