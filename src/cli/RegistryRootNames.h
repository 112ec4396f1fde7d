// How registry roots are written in a package: as the variables the
// runtime resolves ("$Local Machine$"), so that a per-user key is applied
// to each user's own hive.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessary::cli {

struct RegistryRootName {
  const char* windowsName;    // "HKEY_LOCAL_MACHINE"
  const char* packageName;    // "$Local Machine$"
  const char* packageSubkey;  // below packageName; "" for most roots
  std::uint32_t folderId;
};

// The package form of a root written as regedit writes it (full or short
// name, any case); null for no root.
const RegistryRootName* packageRootOf(std::string_view windowsRoot);

// A package path ("$Local Machine$\Software\X") with its root put back into
// the Windows name ("HKEY_LOCAL_MACHINE\Software\X"); unchanged when it
// begins with no root variable.
std::string windowsRegistryPath(std::string_view packagePath);

}  // namespace tessary::cli
