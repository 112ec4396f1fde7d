// The system's shared-file reference counts, read before a file is deleted.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tessary {

// True when the SharedDlls key holds a value named `path` whose count
// (signed 32 bits) is above 0. A key or value that cannot be read counts
// as no reference.
bool IsSharedFileReferenced(Platform& platform, const std::string& path);

}  // namespace tessary
