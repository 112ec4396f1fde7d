// Finding a file by name on the computer.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tessary {

// Where findFile looks, as bits; 0 means all of them.
enum SearchFlag : unsigned {
  kSearchAll = 0,
  kSearchAppPaths = 1,        // the registered application paths
  kSearchWindowsFolders = 2,  // the Windows folder, then the system folder
  kSearchPathFolders = 4,     // each folder of %path%, in order
  kSearchFixedDrives = 8,     // every fixed drive, its whole tree
};

// The full path of the first file found for `name`, or empty.
//
// A name that exists as given is returned at once, whatever the flags.
// Otherwise, in this order and as far as the flags allow:
//   1: the unnamed value of HKEY_LOCAL_MACHINE
//      "Software\Microsoft\Windows\CurrentVersion\App Paths\<last component
//      of name>" (a string read into 261 bytes: a longer one is passed over);
//   2: the Windows folder and the name, then the system folder and the name;
//   4: each folder of "%path%" and the name, in order (the expansion is read
//      into 1024 characters: folders past the 1023rd character, and one cut
//      by that limit, are not searched; empty entries are skipped);
//   8: each root of the logical drive list that is a fixed drive, searched
//      depth first (below).
// Only files match, never folders. A candidate that does not fit a Windows
// path (259 bytes) is passed over. An empty name finds nothing.
std::string findFile(Platform& platform, std::string_view name, unsigned flags);

// Searches the tree under `folder` for a file called `name` (ignoring letter
// case), depth first in the order the system lists each folder ("*.*"),
// entering each sub-folder when it is met. Pending window messages are
// processed before each folder is listed. Folders whose listing pattern
// would not fit a Windows path are not entered, which also bounds the depth.
// The full path of the first match, or empty.
std::string searchTree(Platform& platform, std::string_view folder, std::string_view name);

// The folder that holds the first match of `name` on the fixed drives (type
// 3), taken in the order of the logical drive list: each drive's tree is
// searched from `subPath` below its root (the whole drive when empty). The
// folder is the found path up to its last backslash ("C:" for a file at a
// root); empty when nothing is found.
std::string findOnFixedDrives(Platform& platform, std::string_view name, std::string_view subPath);

}  // namespace tessary
