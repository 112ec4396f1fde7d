// Where the package's file items go on this computer, and what the checks
// before the install need to know about them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/index/CTree.h"
#include "variables/Variable.h"

namespace tessary {

class InstallApp;

// A node's target path with its variables resolved for `user`.
std::string targetPathFor(const UserContext* user, const CTree& node);

// The embedded scripts are not installed where their name points.
bool isEmbeddedScripts(const CTree& node);

// A folder item: no data of its own, and not an entry that deletes.
bool isFolderItem(const CTree& node);

// The data bytes of the node and everything below it.
std::uint64_t subtreeDataSize(const CTree& node);

struct DriveNeed {
  std::string drive;  // "C:"
  std::uint64_t bytes = 0;
};

// Checks that the drive of every top-level item exists and takes files,
// adding up what each drive receives into `needs`. False (said) at the
// first drive that fails.
bool checkDrivesExist(InstallApp& app, std::vector<DriveNeed>& needs);

// The free-space check over `needs`, with the room the undo package may
// take; may turn undo off when the user agrees. False when space is short.
bool checkDiskSpace(InstallApp& app, std::vector<DriveNeed> needs);

// Pure: where the undo package's room is reserved. Half of all the bytes to
// install goes to the undo folder's drive, which is added to `needs` when
// the package installs nothing there. Returns the allowance in bytes.
std::uint64_t reserveUndoRoom(std::vector<DriveNeed>& needs, const std::string& undoDrive);

// Whether the package installs the system's core library (only asked on
// the NT family while undo is on).
bool installsCoreLibrary(InstallApp& app);

// The folder-access probe over every folder item. False (said) at the
// first folder that refuses.
bool checkFolderAccess(InstallApp& app);

}  // namespace tessary
