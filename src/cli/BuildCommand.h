// Building a package from a manifest.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/Commands.h"

namespace tessary::cli {

struct BuildRequest {
  std::filesystem::path manifest;
  std::optional<std::filesystem::path> output;
  std::optional<std::filesystem::path> stub;
};

bool parseBuildArguments(const Arguments& arguments, BuildRequest& request, std::string& error);

// Builds the package; on failure nothing is left at the output path (an
// earlier file there is kept) and `error` says what went wrong.
bool buildPackage(const BuildRequest& request, std::string& error);

int runBuild(const Arguments& arguments);

}  // namespace tessary::cli
