// Drives, accounts, environment and messages of the simulated computer.
#include "platform/sim/HostFiles.h"
#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimProfileText.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

// The drive letter of "C:", "C:\" or "c:\any\path"; 0 when there is none.
char driveLetter(const std::string& root) {
  if (root.size() < 2 || root[1] != ':') return 0;
  char letter = upperAscii(root[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

const SimDriveRow* driveRow(const SimSettings& settings, char letter) {
  for (const SimDriveRow& row : settings.drives)
    if (row.letter == letter) return &row;
  return nullptr;
}

}  // namespace

std::vector<std::string> SimPlatform::logicalDriveRoots() {
  std::vector<std::string> roots;
  for (const SimDriveRow& row : machine_.config().drives) roots.push_back(std::string{row.letter, ':', '\\'});
  return roots;
}

// Only a root names a drive: "C:\" or "C:".
std::uint32_t SimPlatform::driveType(const std::string& root) {
  char letter = driveLetter(root);
  if (!letter || root.size() > 3 || (root.size() == 3 && root[2] != '\\' && root[2] != '/')) return kDriveNoRootDir;
  const SimDriveRow* row = driveRow(machine_.config(), letter);
  return row ? row->type : kDriveNoRootDir;
}

WinError SimPlatform::diskFreeSpace(const std::string& root, std::uint64_t& freeBytes, std::uint64_t& totalBytes) {
  freeBytes = totalBytes = 0;
  char letter = driveLetter(root);
  if (!letter || !driveRow(machine_.config(), letter)) return kErrorPathNotFound;
  state_->space.query(letter, freeBytes, totalBytes);
  return kErrorSuccess;
}

WinError SimPlatform::userName(std::string& name) {
  name = machine_.config().account;
  return name.empty() ? kErrorNotLoggedOn : kErrorSuccess;
}

bool SimPlatform::environmentVariable(const std::string& name, std::string& value) {
  const IniEntry* entry = name.empty() ? nullptr : machine_.settings().entry("env", name);
  value = entry ? entry->value : std::string();
  return entry != nullptr;
}

std::string SimPlatform::expandEnvironment(const std::string& text) {
  return expandEnvironmentText(text, [this](std::string_view name, std::string& value) {
    return environmentVariable(std::string(name), value);
  });
}

// A file named without a full path is looked for in the Windows folder.
std::string SimPlatform::privateProfileString(const std::string& file, const std::string& section,
                                              const std::string& key, const std::string& defaultText) {
  bool full = (file.size() >= 3 && file[1] == ':' && (file[2] == '\\' || file[2] == '/')) ||
              (file.size() >= 2 && file[0] == '\\' && file[1] == '\\');
  std::string path = full ? file : machine_.config().windowsFolder + '\\' + file;
  WindowsPath parsed;
  HostLocation location;
  if (locate(path, parsed, location) || !location.exists || location.isDirectory || machine_.isLockedFault(parsed))
    return defaultText;
  std::string text, error, value;
  try {
    if (!readHostFile(location.host, text, error)) return defaultText;
  } catch (const std::exception&) {
    return defaultText;
  }
  return profileValue(text, section, key, value) ? value : defaultText;
}

}  // namespace tessary
