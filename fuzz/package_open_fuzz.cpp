// Any bytes handed to the package engine as a package open or are refused
// without fault. The first byte chooses how: bit 0 read-only, bit 1 behind a
// runtime stub (the bytes appended at 1024 after "MZ"). A refused package
// leaves the engine closed; an opened one reads its variables, makes room,
// saves, closes and opens again; no temporary index file stays behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../tests/unit/engine/MemoryDisk.h"
#include "archive/PackageEngine.h"

namespace {

using namespace tessary;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kPath = "C:\\PKG\\Setup.exe";
constexpr std::uint32_t kStubSize = 1024;

Bytes packageFile(const std::uint8_t* data, std::size_t size, bool behindStub) {
  Bytes file;
  if (behindStub) {
    file.assign(kStubSize, 0);
    file[0] = 'M';
    file[1] = 'Z';
    file[18] = 1;  // base = 1 * 1024
  }
  file.insert(file.end(), data, data + size);
  return file;
}

void checkNoIndexFilesLeft(test::MemoryDisk& disk) {
  if (!disk.filesIn("C:\\TEMP").empty()) std::abort();
}

void exercise(PackageEngine& engine, test::MemoryDisk& disk) {
  for (const PackageStreamInfo& stream : kPackageStreams) {
    if (engine.streamLength(stream.name) < 0) std::abort();
  }
  std::vector<VariableRecord> variables;
  engine.readPackageVariables(variables);
  engine.extractUndoStub("C:\\PKG\\stub.exe");
  engine.makeRoomInFile(100);
  if (!engine.savePackage() && engine.status() == 10000) std::abort();
  const bool closed = engine.closePackage();
  if (closed && engine.isOpen()) std::abort();
  checkNoIndexFilesLeft(disk);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool readOnly = (data[0] & 1) != 0;
  const bool behindStub = (data[0] & 2) != 0;
  test::MemoryDisk disk;
  disk.put(kPath, packageFile(data + 1, size - 1, behindStub));

  PackageEngine engine(disk);
  if (!engine.openPackage(kPath, readOnly)) {
    if (engine.isOpen() || engine.archive().isOpen() || engine.status() == 10000) std::abort();
    checkNoIndexFilesLeft(disk);
    return 0;
  }
  if (engine.status() != 10000) std::abort();
  exercise(engine, disk);
  engine.abandonPackage();

  // What was saved opens again.
  PackageEngine again(disk);
  if (again.openPackage(kPath, true)) again.abandonPackage();
  checkNoIndexFilesLeft(disk);
  return 0;
}
