// Find-first/find-next, full and short path names on the simulated computer.
#include "platform/sim/SimFolderListing.h"
#include "platform/sim/SimFullPath.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimShortNames.h"
#include "platform/sim/SimWildcard.h"

namespace tessary {

namespace {

constexpr std::size_t kMaxPathText = 259;

// The running program's folder, where relative paths start.
std::string currentFolder(const std::string& exePath) {
  std::size_t slash = exePath.rfind('\\');
  if (exePath.size() < 3 || exePath[1] != ':' || slash == std::string::npos) return "C:\\";
  return slash <= 2 ? exePath.substr(0, 3) : exePath.substr(0, slash);
}

}  // namespace

WinError SimPlatform::fullPathName(const std::string& path, std::string& full) {
  if (path.size() > kMaxPathText) {
    full.clear();
    return kErrorFilenameExcedRange;
  }
  WinError result = fullWindowsPath(path, currentFolder(exePath_), full);
  if (!result && full.size() > kMaxPathText) {
    full.clear();
    result = kErrorFilenameExcedRange;
  }
  return result;
}

WinError SimPlatform::findFiles(const std::string& pattern, std::vector<FoundFile>& found) {
  found.clear();
  try {
    return findChecked(pattern, found);
  } catch (const std::exception&) {
    found.clear();
    return kErrorAccessDenied;
  }
}

WinError SimPlatform::findChecked(const std::string& pattern, std::vector<FoundFile>& found) {
  // The last name is a pattern: it keeps its dots ("*." means no extension).
  if (pattern.size() > kMaxPathText) return kErrorFilenameExcedRange;
  std::size_t slash = pattern.find_last_of("\\/");
  std::size_t nameStart = slash != std::string::npos ? slash + 1 : (pattern.size() >= 2 && pattern[1] == ':' ? 2 : 0);
  std::string namePattern = pattern.substr(nameStart);
  std::string folderText;
  if (WinError error = fullPathName(nameStart ? pattern.substr(0, nameStart) : ".\\", folderText)) return error;
  if (namePattern.empty()) return kErrorFileNotFound;

  WindowsPath folder;
  HostLocation location;
  if (WinError error = locate(folderText, folder, location)) return error;
  if (!location.exists || !location.isDirectory) return kErrorPathNotFound;

  std::vector<SimFolderEntry> entries;
  if (!listHostFolder(location.host, entries)) return kErrorAccessDenied;
  std::string folderPath = folder.text();
  if (folderPath.back() != '\\') folderPath += '\\';

  // Below a drive's root the folder lists itself and its parent first.
  if (!folder.names.empty()) {
    FileTime written = hostWriteTime(location.host);
    for (const char* dots : {".", ".."}) {
      if (matchesWildcard(namePattern, dots))
        found.push_back(FoundFile{dots, "", kAttrDirectory, 0, written});
    }
  }
  for (const SimFolderEntry& entry : entries) {
    bool matches = matchesWildcard(namePattern, entry.name) ||
                   (!entry.shortName.empty() && matchesWildcard(namePattern, entry.shortName));
    if (!matches) continue;
    std::uint32_t attributes = attributesOf(folderPath + entry.name, entry.host, entry.isDirectory);
    found.push_back(FoundFile{entry.name, entry.shortName, attributes, entry.size, entry.lastWrite});
  }
  if (found.empty()) return kErrorFileNotFound;
  return kErrorSuccess;
}

WinError SimPlatform::shortPathName(const std::string& path, std::string& shortPath) {
  shortPath.clear();
  std::string full;
  if (WinError error = fullPathName(path, full)) return error;
  WindowsPath parsed;
  HostLocation location;
  if (WinError error = locate(full, parsed, location)) return error;
  if (!location.exists) return kErrorFileNotFound;

  // Names that are 8.3 already stay as written; the others are looked up.
  std::string result{parsed.drive, ':'};
  std::filesystem::path host = location.host;
  std::vector<std::string> shortNames(parsed.names.size());
  for (std::size_t i = parsed.names.size(); i-- > 0;) {
    const std::string& name = parsed.names[i];
    std::filesystem::path parent = host.parent_path();
    if (!isShortName(name)) {
      std::vector<SimFolderEntry> entries;
      if (!listHostFolder(parent, entries)) return kErrorAccessDenied;
      std::string hostName = host.filename().string();
      for (const SimFolderEntry& entry : entries)
        if (entry.name == hostName) shortNames[i] = entry.shortName.empty() ? entry.name : entry.shortName;
    }
    if (shortNames[i].empty()) shortNames[i] = name;
    host = parent;
  }
  for (const std::string& name : shortNames) result += "\\" + name;
  if (parsed.names.empty() || full.back() == '\\') result += "\\";
  if (result.size() > kMaxPathText) return kErrorFilenameExcedRange;
  shortPath = std::move(result);
  return kErrorSuccess;
}

}  // namespace tessary
