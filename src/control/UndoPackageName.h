// The name of a run's undo package: the program's base name, "-un" and the
// first free counter.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tessary {

// Pure: "<base>-unNN.exe", two digits below 100, plain decimal from 100 on.
std::string undoPackageFileName(const std::string& baseName, unsigned counter);

// The path in `folder` with the first counter from 1 whose file does not
// exist yet.
std::string chooseUndoPackagePath(Platform& platform, const std::string& folder, const std::string& baseName);

}  // namespace tessary
