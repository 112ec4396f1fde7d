// Where each Windows family keeps its shell folders, and which folders and
// files its Windows installation has. Tables, read by the machine writer.
#pragma once

#include <string>
#include <vector>

#include "cli/MachineFacts.h"
#include "cli/MachinePaths.h"

namespace tessary::cli {

enum class FolderBase { Profile, Windows, SystemDrive, AllUsers };

// One value of an Explorer "Shell Folders" key: the folder is base + "\" + suffix.
struct ShellFolderRow {
  const char* value;
  FolderBase base;
  const char* suffix;
};

// The per-user folders of a profile on this family; with profiles off (and
// for the 95 family's default hive) every folder lies in the Windows folder.
const std::vector<ShellFolderRow>& userShellFolders(WindowsFamily family, bool profilesOn);
// The All Users folders kept under HKEY_LOCAL_MACHINE; empty on Windows 95.
const std::vector<ShellFolderRow>& commonShellFolders(const MachineFacts& facts);

// The folder a row names, for the profile `profile`.
std::string shellFolderPath(const ShellFolderRow& row, const MachinePaths& paths,
                            const std::string& profile);
// The "User Shell Folders" form: NT writes environment names (REG_EXPAND_SZ),
// the 95 family the plain path. Empty when the family keeps no such value.
std::string userShellFolderText(const ShellFolderRow& row, const MachineFacts& facts,
                                const MachinePaths& paths, const std::string& profile);

// The folders and files of the Windows installation, Program Files and the
// drive's root, with their contents.
std::vector<std::string> familyFolders(const MachineFacts& facts, const MachinePaths& paths);
std::vector<FileFacts> familyFiles(const MachineFacts& facts, const MachinePaths& paths);

// SharedDlls rows (file, count) and App Paths rows (program, path, folder).
struct SharedDllRow {
  std::string file;
  unsigned count;
};
struct AppPathRow {
  std::string program;
  std::string path;
  std::string folder;
};
std::vector<SharedDllRow> sharedDlls(const MachineFacts& facts, const MachinePaths& paths);
std::vector<AppPathRow> appPaths(const MachineFacts& facts, const MachinePaths& paths);

// A small file standing for a program or library: a Windows image with a
// version resource (the system's own version, or a redistributable's) for
// 32-bit programs and libraries, a DOS header alone for the others.
std::string systemBinary(const MachineFacts& facts, const std::string& path);

}  // namespace tessary::cli
