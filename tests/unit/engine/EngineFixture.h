// Packages laid out by the tests: the archive by hand (unit/archive/
// PkaFixture.h), the index with its header and trees by hand (unit/index/
// IndexFixture.h), the install options with the record writer, which has
// tests of its own. Never by the engine under test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/PackageEngine.h"
#include "archive/index/InstallOptions.h"
#include "archive/index/RunPassword.h"
#include "unit/archive/PkaFixture.h"
#include "unit/engine/MemoryDisk.h"
#include "unit/index/IndexFixture.h"

namespace tessary::enginetest {

using Bytes = std::vector<std::uint8_t>;
using indextest::ByteBuilder;

inline constexpr const char* kPackagePath = "C:\\PKG\\Setup.exe";
inline constexpr const char* kBuildProfile = "C:\\Documents and Settings\\Builder";
inline constexpr const char* kBuildWindows = "C:\\WINDOWS";

// The bytes of each stream; an absent one is not in the archive.
struct PackageLayout {
  std::optional<Bytes> installOptions;
  std::optional<Bytes> registry;
  std::optional<Bytes> file;
  std::optional<Bytes> regFileIndex;
  std::optional<Bytes> variable;
  std::uint32_t base = 0;  // not 0: behind an "MZ" stub
};

inline Bytes optionsStream(const InstallOptions& options) {
  MemorySink sink;
  writeInstallOptions(sink, options);
  Bytes b = sink.take();
  if (b.size() < kInstallOptionsStreamSize) b.resize(kInstallOptionsStreamSize, 0);
  return b;
}

inline InstallOptions sampleOptions(float version = 3.1f) {
  InstallOptions o;
  o.formatVersion = version;
  o.builderText = "builder 4.2";
  o.runPassword = scramblePassword("secret");
  o.title = "Sample";
  o.description = "A sample package";
  o.targetOs = 0x3C;
  o.overwriteType = 1;
  o.overwritePrompt = 0;
  o.rebootNeeded = 1;
  o.runMode = 1;
  o.requiredMemoryMb = 64;
  o.driveSpace = {{"D", 12}};
  o.packageId = "{8D5C3A10-0000-4000-8000-00000000CAFE}";
  ProgramEntry pre;
  pre.command = "$Windows$\\notepad.exe";
  pre.wait = 1;
  o.preInstall = {pre};
  return o;
}

// The index: three strings, the version 3.0 float, a registry tree with one
// value (record at 0, 10 bytes) and a file tree with one folder holding one
// file (block at 0, 29 bytes).
inline Bytes sampleIndex() {
  ByteBuilder b;
  b.ostr("").ostr(kBuildProfile).ostr(kBuildWindows).u32(indextest::kF3_0);
  b.newTreeClass().node3("", -1, 0, 0, 0, 99, 1);
  b.treeClass().node3("$Local Machine$\\Software\\Sample\\Name", 0, 10, 0, 0, 130, 0);
  b.treeClass().node3("", -1, 0, 0, 0, 99, 1);
  b.treeClass().node3("$Program Files$\\Sample", -1, 0, 0, 0x10, 102, 1);
  b.treeClass().node3("$Program Files$\\Sample\\readme.txt", 0, 29, 0, 0x20, 102, 0);
  return b.get();
}

// Header words, the index, then zero fill.
inline Bytes indexStream(const Bytes& index, std::uint32_t registryUsed, std::uint32_t fileUsed,
                         std::size_t fill = 100) {
  ByteBuilder b;
  b.u32(static_cast<std::uint32_t>(index.size())).u32(registryUsed).u32(fileUsed).bytes(index).fill(fill);
  return b.get();
}

// REG_SZ "hello": type, then the text with its zero; zero fill after.
inline Bytes sampleRegistry() {
  ByteBuilder b;
  b.u32(1).str("hello").fill(90);
  return b.get();
}

// The block of readme.txt: 24-byte header, 5 stored bytes; then `extra`.
inline Bytes sampleFile(const Bytes& extra = {}) {
  ByteBuilder b;
  b.u32(5).u32(0x5F000000).u32(0).u32(0).u32(0).u32(0).chars("abcde").bytes(extra);
  return b.get();
}

// One literal variable "$Ver$" = "1.0".
inline Bytes sampleVariables() {
  ByteBuilder b;
  b.u32(1).u32(0).u32(0).str("$Ver$").str("1.0");
  return b.get();
}

inline PackageLayout samplePackage(const InstallOptions& options = sampleOptions()) {
  PackageLayout layout;
  layout.installOptions = optionsStream(options);
  layout.registry = sampleRegistry();
  layout.file = sampleFile();
  layout.regFileIndex = indexStream(sampleIndex(), 10, 29);
  layout.variable = sampleVariables();
  return layout;
}

// The streams present, in slot order, one after another in the file.
inline Bytes buildPackage(const PackageLayout& layout) {
  std::vector<pkatest::FixtureStream> streams;
  const std::optional<Bytes>* parts[] = {&layout.installOptions, &layout.registry, &layout.file, &layout.regFileIndex,
                                         &layout.variable};
  for (std::size_t i = 0; i < kPackageStreamCount; ++i) {
    if (*parts[i]) streams.push_back({kPackageStreams[i].name, **parts[i], kPackageStreams[i].type, 0});
  }
  return pkatest::buildArchive(streams, layout.base);
}

// A runtime stub: a few "MZ" bytes with an empty archive at 1024.
inline Bytes emptyStub() {
  Bytes b(1024, 0xCC);
  b[0] = 'M';
  b[1] = 'Z';
  pkatest::putLe16(b, 18, 1);
  pkatest::putHeader(b, 1024, 0);
  return b;
}

// Directory entries of the archive, in directory order.
struct EntryFacts {
  std::string name;
  std::uint32_t length = 0;
  std::int16_t type = 0;
  std::uint32_t dataOffset = 0;
};

inline std::vector<EntryFacts> directory(const Bytes& file, std::uint32_t base) {
  std::vector<EntryFacts> entries;
  std::uint32_t block = pkatest::getLe32(file, base + 8);
  while (block != 0) {
    for (int i = 0; i < 32; ++i) {
      const std::size_t at = base + pkatest::entryAt(block, i);
      if (file[at] == 0) continue;
      EntryFacts e;
      for (std::size_t c = at; file[c] != 0; ++c) e.name += static_cast<char>(file[c]);
      e.length = pkatest::getLe32(file, at + 28);
      e.type = static_cast<std::int16_t>(pkatest::getLe16(file, at + 38));
      e.dataOffset = pkatest::getLe32(file, at + 40);
      entries.push_back(e);
    }
    block = pkatest::getLe32(file, base + block + 4);
  }
  return entries;
}

// The bytes of the named stream as the directory says.
inline Bytes streamBytes(const Bytes& file, std::uint32_t base, const std::string& name) {
  for (const EntryFacts& e : directory(file, base)) {
    if (e.name == name) {
      auto start = file.begin() + static_cast<std::ptrdiff_t>(base + e.dataOffset);
      return Bytes(start, start + e.length);
    }
  }
  return {};
}

}  // namespace tessary::enginetest
