// A built package opened for reading: its archive, the install options, the
// index with both trees, the registry records and the variables, each read
// with the index readers. The runtime's package engine is not involved, so
// that a damaged package can still be looked at part by part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "archive/PkaArchive.h"
#include "archive/index/FileBlockHeader.h"
#include "archive/index/InstallOptions.h"
#include "archive/index/PackageIndex.h"
#include "archive/index/RegistryValueRecord.h"
#include "archive/index/VariableRecord.h"

namespace tessary::cli {

struct OpenPackage {
  std::filesystem::path path;
  std::unique_ptr<PkaArchive> archive = std::make_unique<PkaArchive>();
  int fileStream = -1;  // "File", open for the whole life of the object
  std::uint32_t fileStreamLength = 0;
  InstallOptions options;
  bool optionsWhole = false;
  PackageIndex index;
  std::vector<std::uint8_t> registry;  // the whole "Registry" stream
  bool hasVariables = false;
  bool variablesWhole = true;
  std::vector<VariableRecord> variables;
};

// Opens the archive and reads every index stream. False with `error` naming
// the part that is missing or cannot be read.
bool openPackage(const std::filesystem::path& path, OpenPackage& package, std::string& error);

// The header length of a file node's block (24, or 1072 for a shortcut).
std::uint32_t blockHeaderLength(const OpenPackage& package, const CTree& node);

// The header of a file node's block, after checking that the block lies
// inside the used part of "File". False with `error` set.
bool readBlockHeader(OpenPackage& package, const CTree& node, FileBlockHeader& header, std::string& error);

// Writes the content of a file node's block to `target`, decompressing it
// when it is compressed. False with `error` set when the block is damaged or
// does not expand to the size its header declares.
bool expandBlock(OpenPackage& package, const CTree& node, PlatformFile& target, std::string& error);

// The value record of a registry value node. False with `error` set.
bool readValue(const OpenPackage& package, const CTree& node, RegistryValueRecord& record, std::string& error);

// Bytes [offset, offset + length) of "File" (the undo stub or the bitmap).
bool readFileBytes(OpenPackage& package, std::uint32_t offset, std::uint32_t length, std::string& bytes,
                   std::string& error);

// The value name of a value node: its name less its key's name and "\".
std::string valueNameOf(const CTree& node);
// The last component of a node's name.
std::string leafNameOf(const CTree& node);

}  // namespace tessary::cli
