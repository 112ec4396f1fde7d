// Variable names to values in text, values back to names, and the order
// that makes the deepest folder win.
#pragma once

#include <string>

#include "variables/FolderId.h"
#include "variables/Variable.h"

namespace tessary {

// Reorders the list by the number of backslashes in each value, most
// first; equal counts keep their order.
void sortUserVariables(UserContext& user);

// Substitution modes. Every other number behaves as kSubstituteFirst.
enum SubstituteMode : int {
  kSubstituteFirst = 0,     // first occurrence of the first variable found
  kSubstituteEveryOne = 1,  // every occurrence of the first variable found
  kSubstituteAll = 2,       // every occurrence of every variable
};

// Replaces variable names (letter case ignored) by their values, walking
// the list in order. 1 when anything was replaced; `text` is unchanged
// otherwise.
int substituteVariables(const UserContext& user, std::string& text, int mode);

// Replaces folder values by the names of path variables. Mode 2 replaces
// every occurrence of every value; other modes replace the first
// occurrence of the first value found, taken with a trailing backslash so
// that a sibling folder whose name merely begins the same is left alone.
// 1 when anything was replaced.
int unsubstituteVariables(const UserContext& user, std::string& text, int mode);

struct PathVariable {
  FolderId id = kFolderNone;
  std::string name;  // empty when no variable matched
};

// The path variable whose value is `path` (whole text, letter case
// ignored): its name and id, kFolderOtherPath for names without an id of
// their own. kFolderNone and an empty name when none matches.
PathVariable variableForPath(const UserContext& user, const std::string& path);

}  // namespace tessary
