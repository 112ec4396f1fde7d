// Unpacking a package into a host folder:
//   DIR/files/<target path>   each file's content, under its stored path
//                             ("$Program Files$/App/a.txt"), with its time
//   DIR/scripts/<script id>   the embedded scripts
//   DIR/registry.reg          the registry tree as regedit text
//   DIR/bitmap.bmp            the background bitmap, when there is one
#pragma once

#include <filesystem>
#include <string>

#include "cli/Commands.h"
#include "cli/PackageReader.h"

namespace tessary::cli {

// False with `error` naming the entry that could not be extracted.
bool extractPackage(OpenPackage& package, const std::filesystem::path& folder, std::string& error);

// The registry tree as regedit edits, roots put back into their Windows names.
std::string registryAsRegText(const OpenPackage& package, std::string& error);

int runExtract(const Arguments& arguments);

}  // namespace tessary::cli
