// One node of the registry tree or the file tree of a package, and the tree
// part of the index that stores them.
//
// A node in the object-archive encoding (ObjectArchive.h), index version v:
//
//   [class tag]   v >= 3.0: before every node, the root included
//                 v <  3.0: before every child, never before the root
//   string  name          full path with variables; the root's is empty
//   u32     reserved      0
//   i32     dataOffset    record in "Registry" / block in "File"; -1 = none
//   u32     dataSize      length of that record or block
//   u32     flags         kTreeFlag... below; other bits preserved
//   u32     attributes    file attribute bits / a value's long-file-name flag
//   u32     leaf          1 = no children (stored, not derived)
//   [u32    folderId]     v >= 3.0 only: variable the name begins with, 99 = none
//   count   childCount
//           children      each a node as above, in order
//
// The class is "CTree", schema 1; a tree is written with one tag per node
// in every version, but the root's tag appears only from 3.0 on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessary {

inline constexpr std::uint32_t kTreeFlagUndoWritten = 0x1;   // block written by the runtime into an undo package
inline constexpr std::uint32_t kTreeFlagDelete = 0x4;
inline constexpr std::uint32_t kTreeFlagMerge = 0x10;        // text file edited, not copied
inline constexpr std::uint32_t kTreeFlagCompressed = 0x10000;
inline constexpr std::uint32_t kTreeFlagDeleteTree = 0x40000;  // delete the whole subtree on the target

inline constexpr std::uint32_t kFolderIdNone = 99;
inline constexpr std::uint32_t kFolderIdLocalMachine = 130;  // "$Local Machine$"
inline constexpr std::uint32_t kFolderIdCurrentUser = 131;   // "$Current User$"

inline constexpr const char* kTreeClassName = "CTree";
inline constexpr std::uint16_t kTreeSchema = 1;

// Nodes deeper than this below a root are refused by the reader and the
// writer. Names are paths of at most a few hundred bytes, so real trees stay
// far above it; the limit keeps every walk over a loaded tree cheap.
inline constexpr std::size_t kMaxTreeDepth = 256;

class CTree {
 public:
  CTree() = default;
  explicit CTree(std::string nodeName) : name(std::move(nodeName)) {}
  // Deep trees are taken apart without recursion.
  ~CTree();
  CTree(const CTree&) = delete;
  CTree& operator=(const CTree&) = delete;

  // Appends `child`, sets its parent to this node and returns it.
  CTree* addChild(std::unique_ptr<CTree> child);

  std::string name;
  std::uint32_t reserved = 0;
  std::int32_t dataOffset = -1;
  std::uint32_t dataSize = 0;
  std::uint32_t flags = 0;
  std::uint32_t attributes = 0;
  std::uint32_t leaf = 1;
  std::uint32_t folderId = kFolderIdNone;
  CTree* parent = nullptr;  // null for a root
  std::vector<std::unique_ptr<CTree>> children;
};

}  // namespace tessary
