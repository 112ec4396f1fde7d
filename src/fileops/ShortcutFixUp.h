// Shortcuts carry the target computer's paths only once the file pass has
// written them: each installed shortcut is remembered, then given its
// resolved target, arguments, icon and working folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/index/FileBlockHeader.h"
#include "platform/Platform.h"
#include "support/RunLog.h"
#include "variables/UserSet.h"

namespace tessary {

struct ShortcutRecord {
  ShortcutDetails details;  // as the package stores them, variables unresolved
  std::string path;         // the installed ".lnk" file
  std::size_t user = 0;     // the user whose paths the shortcut was installed with
};

struct ShortcutFixUpRun {
  Platform& platform;
  RunLog& log;
  const UserSet& users;
  bool save;  // only ME and the NT 5 systems write the shortcut back
};

// The fields a record's shortcut gets, its variables resolved for `user`
// (null: left as stored).
ShortcutFields resolvedShortcutFields(Platform& platform, const UserContext* user, const ShortcutDetails& details);

// Every record in order. A shortcut that does not load is named in a
// message and still fixed up; the rest go on.
void FixUpShortcuts(const ShortcutFixUpRun& run, const std::vector<ShortcutRecord>& records);

}  // namespace tessary
