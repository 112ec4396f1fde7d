// What a build will write, worked out from the manifest before the output
// file is touched, so that a wrong manifest or a missing source fails the
// build with nothing written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "archive/index/CTree.h"
#include "archive/index/FileBlockHeader.h"
#include "archive/index/InstallOptions.h"
#include "cli/Manifest.h"

namespace tessary::cli {

// The name of the file-tree folder that holds the embedded scripts.
inline constexpr const char* kEmbeddedScriptsFolder = ":%$EMBEDDED_SCRIPTS$%:";

// The data block a file node will get.
struct PlannedBlock {
  std::filesystem::path source;  // empty for a delete mark: header only
  FileBlockHeader header;        // fileSize is the source's size when planned
  bool compress = false;
};

struct FilePlan {
  std::unique_ptr<CTree> root = std::make_unique<CTree>();
  std::map<const CTree*, PlannedBlock> blocks;
  std::vector<ProgramEntry> programs[3];  // with their script identifiers
  std::uint64_t contentBytes = 0;         // all sources together
};

struct RegistryPlan {
  std::unique_ptr<CTree> root = std::make_unique<CTree>();
  std::vector<std::uint8_t> records;  // the "Registry" stream
};

// Both false with `error` naming the manifest file, line and key at fault.
bool planFiles(const Manifest& manifest, FilePlan& plan, std::string& error);
bool planRegistry(const Manifest& manifest, RegistryPlan& plan, std::string& error);

// Sets every node's leaf word from its children.
void markLeaves(CTree& root);

}  // namespace tessary::cli
