#include "support/FileSearch.h"

#include <cstddef>
#include <vector>

#include "support/PathText.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

constexpr const char* kAppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
// The App Paths value is read into 261 bytes, its zero included.
constexpr std::size_t kAppPathBytes = 261;
// %path% is expanded into 1024 characters, its zero included.
constexpr std::size_t kPathListChars = 1024;

bool isFile(Platform& platform, const std::string& path) {
  std::uint32_t attributes = 0;
  return fitsMaxPath(path) && platform.fileAttributes(path, attributes) == kErrorSuccess &&
         (attributes & kAttrDirectory) == 0;
}

std::string fullPathOf(Platform& platform, const std::string& path) {
  std::string full;
  if (platform.fullPathName(path, full) != kErrorSuccess || full.empty()) return path;
  return full;
}

std::string registeredPath(Platform& platform, std::string_view name) {
  RegistryValue value;
  if (platform.regQueryValue(RegistryRoot::LocalMachine, kAppPathsKey + fileNamePart(name), "", value) !=
      kErrorSuccess)
    return {};
  if ((value.type != kRegSz && value.type != kRegExpandSz) || value.data.size() > kAppPathBytes) return {};
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}

std::vector<std::string> pathFolders(Platform& platform) {
  std::string list = platform.expandEnvironment("%path%");
  if (equalsNoCase(list, "%path%")) return {};  // not set
  if (list.size() >= kPathListChars) {
    // Keep only the folders that fit whole; a cut one would name another folder.
    const bool cutAtSeparator = list[kPathListChars - 1] == ';';
    list.resize(kPathListChars - 1);
    if (!cutAtSeparator) {
      const std::size_t last = list.rfind(';');
      list.resize(last == std::string::npos ? 0 : last);
    }
  }
  std::vector<std::string> folders;
  for (std::size_t at = 0; at <= list.size();) {
    std::size_t end = list.find(';', at);
    if (end == std::string::npos) end = list.size();
    if (end > at) folders.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return folders;
}

std::vector<std::string> fixedDriveRoots(Platform& platform) {
  std::vector<std::string> roots;
  for (std::string& root : platform.logicalDriveRoots())
    if (platform.driveType(root) == kDriveFixed) roots.push_back(std::move(root));
  return roots;
}

}  // namespace

std::string searchTree(Platform& platform, std::string_view folder, std::string_view name) {
  struct Level {
    std::string folder;  // ends with a backslash
    std::vector<FoundFile> entries;
    std::size_t next = 0;
  };
  // An explicit stack: a deep tree cannot exhaust the call stack.
  std::vector<Level> stack;
  auto enter = [&](std::string inside) {
    const std::string pattern = inside + "*.*";
    if (!fitsMaxPath(pattern)) return;
    platform.processPendingMessages();
    Level level{std::move(inside), {}, 0};
    platform.findFiles(pattern, level.entries);
    stack.push_back(std::move(level));
  };

  if (name.empty()) return {};
  enter(addTrailingBackslash(folder));
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.entries.size()) {
      stack.pop_back();
      continue;
    }
    const FoundFile& entry = level.entries[level.next++];
    if (entry.attributes & kAttrDirectory) {
      if (entry.name != "." && entry.name != "..") enter(level.folder + entry.name + '\\');
    } else if (equalsNoCase(entry.name, name)) {
      std::string path = level.folder + entry.name;
      if (fitsMaxPath(path)) return path;
    }
  }
  return {};
}

std::string findFile(Platform& platform, std::string_view name, unsigned flags) {
  if (name.empty() || !fitsMaxPath(name)) return {};
  if (flags == kSearchAll)
    flags = kSearchAppPaths | kSearchWindowsFolders | kSearchPathFolders | kSearchFixedDrives;

  const std::string given(name);
  if (isFile(platform, given)) return fullPathOf(platform, given);

  if (flags & kSearchAppPaths) {
    const std::string registered = registeredPath(platform, name);
    if (!registered.empty() && isFile(platform, registered)) return fullPathOf(platform, registered);
  }
  std::vector<std::string> folders;
  if (flags & kSearchWindowsFolders) {
    folders.push_back(platform.windowsFolder());
    folders.push_back(platform.systemFolder());
  }
  if (flags & kSearchPathFolders)
    for (std::string& folder : pathFolders(platform)) folders.push_back(std::move(folder));
  for (const std::string& folder : folders) {
    const std::string candidate = addTrailingBackslash(folder) + given;
    if (isFile(platform, candidate)) return fullPathOf(platform, candidate);
  }
  if (flags & kSearchFixedDrives)
    for (const std::string& root : fixedDriveRoots(platform))
      if (std::string found = searchTree(platform, root, name); !found.empty()) return found;
  return {};
}

std::string findOnFixedDrives(Platform& platform, std::string_view name, std::string_view subPath) {
  if (!subPath.empty() && subPath.front() == '\\') subPath.remove_prefix(1);
  for (const std::string& root : fixedDriveRoots(platform)) {
    const std::string found = searchTree(platform, addTrailingBackslash(root) + std::string(subPath), name);
    if (!found.empty()) return found.substr(0, found.rfind('\\'));
  }
  return {};
}

}  // namespace tessary
