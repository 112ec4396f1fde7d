// Turns a template's facts into a machine folder: machine.ini, registry.reg
// with the loaded hives, and drives/<letter>/... with the unloaded hives at
// their profiles' places.
#pragma once

#include <filesystem>
#include <string>

#include "cli/MachineFacts.h"

namespace tessary::cli {

// The root that the keys of a hive file are written under.
inline constexpr const char* kHiveFileRoot = "HKEY_CURRENT_USER";

// `folder` must be missing or empty. The machine is written beside it first
// and moved into place at the end, so a failure leaves no half-written
// machine. False with a message naming what failed.
bool writeMachine(const MachineFacts& facts, const std::filesystem::path& folder, std::string& error);

}  // namespace tessary::cli
