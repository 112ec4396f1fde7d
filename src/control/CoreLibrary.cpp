#include "control/InstallApp.h"
#include "control/PackageTargets.h"
#include "support/TextCompare.h"

namespace tessary {

bool installsCoreLibrary(InstallApp& app) {
  IndexObject* index = app.engine().indexObject();
  if (index == nullptr) return false;
  const std::string coreLibrary = app.state().windowsFolder + text(Str::kCoreLibraryPath);
  const UserContext* user = app.users().firstUser();
  std::vector<const CTree*> pending;
  for (const auto& child : index->index().fileTree->children) pending.push_back(child.get());
  while (!pending.empty()) {
    const CTree* node = pending.back();
    pending.pop_back();
    if (node->dataOffset >= 0 && equalsNoCase(targetPathFor(user, *node), coreLibrary)) return true;
    for (const auto& child : node->children) pending.push_back(child.get());
  }
  return false;
}

}  // namespace tessary
