#include "support/RunLogPlace.h"

#include <vector>

#include "resources/StringTable.h"

namespace tessary {

namespace {

std::string inFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\') return folder + name;
  return folder + '\\' + name;
}

std::string afterLastBackslash(const std::string& path) {
  std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string runTempFolder(Platform& platform) {
  return inFolder(platform.temporaryPath(), text(Str::kTempFolderName));
}

bool ensureFolder(Platform& platform, const std::string& folder) {
  std::uint32_t attributes = 0;
  if (platform.fileAttributes(folder, attributes) != kErrorSuccess) platform.createFolder(folder);
  return platform.fileAttributes(folder, attributes) == kErrorSuccess && (attributes & kAttrDirectory);
}

std::string openRunLog(RunLog& log, const LogPlace& place) {
  if (place.level == 0) return {};
  std::vector<std::string> candidates;
  if (place.simulate) {
    candidates.push_back(place.simulationLogPath);
    candidates.push_back(inFolder(place.tempFolder, afterLastBackslash(place.simulationLogPath)));
  }
  candidates.push_back(inFolder(place.tempFolder, text(Str::kLogFileName)));
  for (const std::string& path : candidates) {
    // An empty path or file name names no file (a bare "si" switch).
    if (path.empty() || path.back() == '\\') continue;
    if (log.open(path)) return path;
  }
  return {};
}

}  // namespace tessary
