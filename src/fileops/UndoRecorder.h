// The file side of the undo package: entries that put back every file the
// run replaces and take away every file and folder it creates.
//
// The undo package's file tree holds absolute paths (no variables), one
// folder entry per level of a target folder ("C:", "C:\Program Files", ...),
// and below them:
//
//   recorded                 flags    block
//   existing file (saved)    0x10009  24-byte header (its size, time,
//                                     version, override) and its content,
//                                     compressed
//   new file                 0x5      24-byte header of the package's file
//   folder the run created   0x4      none
//   folder the run deleted   0x8      none
//
// A path is recorded once per run: the first record keeps the state from
// before the first change. Entries are found through a map, never by
// walking a folder's children.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "archive/PackageEngine.h"
#include "archive/index/CTree.h"
#include "archive/index/FileBlockHeader.h"

namespace tessary {

inline constexpr std::uint32_t kUndoFlagSaved = 0x8;

class UndoRecorder {
 public:
  explicit UndoRecorder(PackageEngine& undo) : undo_(undo) {}

  // The folder entry of `folderPath` (with or without a trailing
  // backslash), creating missing levels; null when the undo package is not
  // open.
  CTree* FindOrCreateUndoFolder(const std::string& folderPath);

  // Saves the file at `path` with its content, unless it was saved before.
  // Null (nothing recorded) when it cannot be opened or read, or the undo
  // archive cannot take it (the undo package's status is then 10005).
  CTree* RecordExistingFile(CTree& folderEntry, const std::string& path, std::uint32_t flags);

  // A delete entry for a file the run is about to create.
  CTree* RecordNewFile(CTree& folderEntry, const std::string& path, const FileBlockHeader& packageHeader,
                       std::uint32_t attributes);

  // A folder the run created (0x4) or deleted (0x8).
  CTree* RecordCreatedFolder(CTree& parentEntry, const std::string& folderPath, std::uint32_t flags);

 private:
  CTree* find(const std::string& path) const;
  CTree* add(CTree& parent, std::unique_ptr<CTree> node);
  bool writeHeader(const FileBlockHeader& header, std::uint32_t& written);

  PackageEngine& undo_;
  std::unordered_map<std::string, CTree*> entries_;  // lower-cased path to entry
};

}  // namespace tessary
