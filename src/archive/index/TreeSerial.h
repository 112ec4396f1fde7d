// Reading and writing one tree of the index (layout in CTree.h). Both walk
// the tree with an explicit stack and stop beyond kMaxTreeDepth.
#pragma once

#include <memory>

#include "archive/index/CTree.h"
#include "archive/index/IndexObserver.h"
#include "archive/index/ObjectArchive.h"

namespace tessary {

// The tree at the archive's position, root first, with every child's parent
// set. Null on failure; the archive's fault says why (TooDeep beyond the
// depth limit).
std::unique_ptr<CTree> readTree(ObjectArchiveReader& archive, float version, IndexObserver* observer);

// False on failure; the archive's fault says why (TooDeep beyond the depth
// limit, the sink's refusal otherwise).
bool writeTree(ObjectArchiveWriter& archive, const CTree& root, float version, IndexObserver* observer);

// Whether nodes of an index of this version carry the root's class tag and
// the folder identifier.
inline constexpr bool treeHasFolderIds(float version) { return version >= 3.0f; }

}  // namespace tessary
