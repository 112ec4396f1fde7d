// Writes a planned package: the runtime stub, padded to a 1024-byte
// boundary with the word at offset 18 patched, then the archive with its
// streams in the order the runtime opens them (InstallOptions, Registry,
// File, RegFileIndex, Variable), each written whole at the end of the file.
//
// "File" starts with the undo stub (the runtime with an empty archive
// appended) and the background bitmap, then one block per file node in
// tree order.
#pragma once

#include <memory>
#include <string>

#include "cli/HostFile.h"
#include "cli/Manifest.h"
#include "cli/PackagePlan.h"
#include "cli/Progress.h"

namespace tessary::cli {

struct PackageInputs {
  std::string stub;  // the runtime, starting "MZ", carrying no package
  const Manifest* manifest = nullptr;
  FilePlan* files = nullptr;
  RegistryPlan* registry = nullptr;
};

// Writes into `out`, an empty file. False with `error` set; the file is
// then partly written and must be thrown away.
bool writePackage(std::unique_ptr<HostFile> out, PackageInputs& inputs, Progress& progress, std::string& error);

// The stub as a package carries it for undo: the runtime with an empty
// archive appended. False when `stub` is no executable.
bool makeUndoStub(const std::string& stub, std::string& undoStub);

}  // namespace tessary::cli
