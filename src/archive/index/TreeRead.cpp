#include <vector>

#include "archive/index/TreeSerial.h"

namespace tessary {
namespace {

// The fewest bytes a child can take: tag, empty name, six words, [folder
// id], count. A child count the source cannot hold fails before any node
// is made.
constexpr std::uint32_t minChildBytes(bool withFolderId) { return 2 + 1 + 6 * 4 + (withFolderId ? 4 : 0) + 2; }

struct Frame {
  CTree* node;
  std::uint32_t childrenLeft;
};

// Fields and child count of one node, after its tag.
bool readNode(ObjectArchiveReader& archive, CTree& node, bool withFolderId, std::uint32_t& childCount) {
  archive.string(node.name);
  archive.u32(node.reserved);
  archive.i32(node.dataOffset);
  archive.u32(node.dataSize);
  archive.u32(node.flags);
  archive.u32(node.attributes);
  archive.u32(node.leaf);
  if (withFolderId) archive.u32(node.folderId);
  return archive.count(childCount, minChildBytes(withFolderId));
}

}  // namespace

std::unique_ptr<CTree> readTree(ObjectArchiveReader& archive, float version, IndexObserver* observer) {
  const bool v3 = treeHasFolderIds(version);
  auto root = std::make_unique<CTree>();
  std::uint32_t childCount = 0;
  if (observer) observer->beforeNode();
  if (v3) archive.classTag(kTreeClassName, kTreeSchema);
  if (!readNode(archive, *root, v3, childCount)) return nullptr;

  std::vector<Frame> stack;
  if (childCount > 0) stack.push_back({root.get(), childCount});
  while (!stack.empty()) {
    if (stack.back().childrenLeft == 0) {
      stack.pop_back();
      continue;
    }
    --stack.back().childrenLeft;
    if (stack.size() > kMaxTreeDepth) {
      archive.fail(ArchiveFault::TooDeep);
      return nullptr;
    }
    if (observer) observer->beforeNode();
    auto child = std::make_unique<CTree>();
    archive.classTag(kTreeClassName, kTreeSchema);
    if (!readNode(archive, *child, v3, childCount)) return nullptr;
    CTree* added = stack.back().node->addChild(std::move(child));
    if (childCount > 0) stack.push_back({added, childCount});
  }
  return root;
}

}  // namespace tessary
