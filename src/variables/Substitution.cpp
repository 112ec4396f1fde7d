#include "variables/Substitution.h"

#include <algorithm>

#include "support/PathText.h"
#include "support/TextCompare.h"
#include "variables/VariableText.h"

namespace tessary {
namespace {

// The folder a path variable stands for: its value, or its default when
// the value is empty or marked not available.
const std::string& folderOf(const Variable& v) {
  if (v.value.empty() || v.value.find("<N/A>") != std::string::npos) return v.defaultText;
  return v.value;
}

}  // namespace

void sortUserVariables(UserContext& user) {
  std::stable_sort(user.variables.begin(), user.variables.end(),
                   [](const Variable& a, const Variable& b) {
                     return backslashCount(a.value) > backslashCount(b.value);
                   });
}

int substituteVariables(const UserContext& user, std::string& text, int mode) {
  const bool every = mode == kSubstituteEveryOne || mode == kSubstituteAll;
  int replaced = 0;
  for (const Variable& v : user.variables) {
    if (replaceNoCase(text, v.name, v.value, every) == 0) continue;
    replaced = 1;
    if (mode != kSubstituteAll) break;
  }
  return replaced;
}

int unsubstituteVariables(const UserContext& user, std::string& text, int mode) {
  int replaced = 0;
  for (const Variable& v : user.variables) {
    if (v.isPath != 1) continue;
    if (mode == kSubstituteAll) {
      if (replaceNoCase(text, folderOf(v), v.name, true) != 0) replaced = 1;
      continue;
    }
    if (replaceNoCase(text, addTrailingBackslash(folderOf(v)), v.name + '\\', false) != 0) return 1;
  }
  return replaced;
}

PathVariable variableForPath(const UserContext& user, const std::string& path) {
  for (const Variable& v : user.variables) {
    if (v.isPath != 1) continue;
    const std::string& folder = folderOf(v);
    if (folder.empty() || !equalsNoCase(folder, path)) continue;
    FolderId id = folderIdForName(v.name);
    return {id == kFolderNone ? kFolderOtherPath : id, v.name};
  }
  return {};
}

}  // namespace tessary
