#include "control/PackageTargets.h"

#include "resources/StringTable.h"
#include "support/TextCompare.h"
#include "variables/Substitution.h"

namespace tessary {

std::string targetPathFor(const UserContext* user, const CTree& node) {
  std::string path = node.name;
  if (user != nullptr) substituteVariables(*user, path, kSubstituteAll);
  return path;
}

bool isEmbeddedScripts(const CTree& node) { return node.name == text(Str::kEmbeddedScriptsItem); }

bool isFolderItem(const CTree& node) { return node.dataOffset < 0 && !(node.flags & kTreeFlagDelete); }

std::uint64_t subtreeDataSize(const CTree& node) {
  std::uint64_t total = 0;
  std::vector<const CTree*> pending{&node};
  while (!pending.empty()) {
    const CTree* current = pending.back();
    pending.pop_back();
    if (current->dataOffset >= 0) total += current->dataSize;
    for (const auto& child : current->children) pending.push_back(child.get());
  }
  return total;
}

}  // namespace tessary
