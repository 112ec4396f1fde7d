#include <vector>

#include "archive/index/TreeSerial.h"

namespace tessary {
namespace {

struct Frame {
  const CTree* node;
  std::size_t nextChild;
};

void writeNode(ObjectArchiveWriter& archive, const CTree& node, bool withFolderId) {
  archive.string(node.name);
  archive.u32(node.reserved);
  archive.i32(node.dataOffset);
  archive.u32(node.dataSize);
  archive.u32(node.flags);
  archive.u32(node.attributes);
  archive.u32(node.leaf);
  if (withFolderId) archive.u32(node.folderId);
  archive.count(node.children.size());
}

}  // namespace

bool writeTree(ObjectArchiveWriter& archive, const CTree& root, float version, IndexObserver* observer) {
  const bool v3 = treeHasFolderIds(version);
  if (observer) observer->beforeNode();
  if (v3) archive.classTag(kTreeClassName, kTreeSchema);
  writeNode(archive, root, v3);

  std::vector<Frame> stack{{&root, 0}};
  while (!stack.empty() && archive.ok()) {
    Frame& top = stack.back();
    if (top.nextChild == top.node->children.size()) {
      stack.pop_back();
      continue;
    }
    const CTree* child = top.node->children[top.nextChild++].get();
    if (child == nullptr) {
      archive.fail(ArchiveFault::Unstorable);
      return false;
    }
    if (stack.size() > kMaxTreeDepth) {
      archive.fail(ArchiveFault::TooDeep);
      return false;
    }
    if (observer) observer->beforeNode();
    archive.classTag(kTreeClassName, kTreeSchema);
    writeNode(archive, *child, v3);
    stack.push_back({child, 0});
  }
  return archive.ok();
}

}  // namespace tessary
