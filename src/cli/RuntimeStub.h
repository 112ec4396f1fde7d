// The runtime executable a package is appended to.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tessary::cli {

// The stub to use: `given` when set, else "install.exe" beside the running
// tool, else the one named when the tool was built (TESSARY_DEFAULT_STUB).
// Empty when there is none.
std::optional<std::filesystem::path> findRuntimeStub(const std::optional<std::filesystem::path>& given);

// Reads a stub: it must start "MZ". A stub that already carries a package
// (a built package given as the stub) is cut back to the runtime before its
// archive. False with `error` set.
bool loadRuntimeStub(const std::filesystem::path& path, std::string& stub, std::string& error);

}  // namespace tessary::cli
