#include "archive/index/CTree.h"

namespace tessary {

CTree::~CTree() {
  // Detach every descendant's children before it dies, so each destructor
  // sees an empty list and nothing recurses.
  std::vector<std::unique_ptr<CTree>> pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<CTree> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children) pending.push_back(std::move(child));
    node->children.clear();
  }
}

CTree* CTree::addChild(std::unique_ptr<CTree> child) {
  if (!child) return nullptr;
  child->parent = this;
  children.push_back(std::move(child));
  return children.back().get();
}

}  // namespace tessary
