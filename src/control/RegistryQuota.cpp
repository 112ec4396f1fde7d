#include "control/RegistryQuota.h"

#include "control/InstallApp.h"
#include "support/PathText.h"
#include "support/RegistryRead.h"

namespace tessary {

namespace {

constexpr const char* kControlKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control";
constexpr const char* kQuotaValue = "RegistrySizeLimit";
constexpr const char* kDefaultPageFile = "c:\\pagefile.sys";
constexpr const char* kPageFileName = "\\pagefile.sys";
constexpr const char* kUserHiveName = "ntuser.dat";
constexpr const char* kSystemHives[] = {"SYSTEM", "SYSTEM.LOG",   "SOFTWARE", "SOFTWARE.LOG", "SAM",
                                        "SAM.LOG", "SECURITY", "SECURITY.LOG", "DEFAULT",  "DEFAULT.LOG"};
constexpr std::uint64_t kFactorNt5 = 8;
constexpr std::uint64_t kFactorOther = 6;

// The size of a file; a missing file counts 0. False for any other error.
bool sizeOrZero(Platform& platform, const std::string& path, std::uint64_t& bytes) {
  std::vector<FoundFile> found;
  WinError error = platform.findFiles(path, found);
  bytes = 0;
  if (error == kErrorFileNotFound || error == kErrorPathNotFound) return true;
  if (error != kErrorSuccess) return false;
  if (!found.empty()) bytes = found.front().size;
  return true;
}

std::uint64_t quotaOf(Platform& platform) {
  RegistryValue value;
  if (readValue(platform, kControlKey, kQuotaValue, value) && value.type == kRegDword && value.data.size() >= 4)
    return registryDword(value.data);
  const std::string system = platform.systemFolder();
  const std::string pageFile = system.empty() ? kDefaultPageFile : drivePart(system) + kPageFileName;
  std::vector<FoundFile> found;
  if (platform.findFiles(pageFile, found) == kErrorSuccess && !found.empty()) return found.front().size / 4;
  return platform.totalPhysicalMemory() / 4;
}

}  // namespace

bool registryQuotaHolds(const QuotaFigures& figures) {
  const std::uint64_t factor = figures.windows2000OrXp ? kFactorNt5 : kFactorOther;
  return figures.quota >= figures.used + 2 * figures.largestUserHive + factor * figures.registryData;
}

bool readQuotaFigures(InstallApp& app, QuotaFigures& figures) {
  Platform& platform = app.platform();
  figures.quota = quotaOf(platform);
  figures.windows2000OrXp = app.state().os.isWin2000 || app.state().os.isWinXP;
  figures.registryData = app.engine().usedLengths().registryUsed;
  const std::string config = platform.systemFolder() + "\\config";
  for (const char* hive : kSystemHives) {
    std::uint64_t bytes = 0;
    if (!sizeOrZero(platform, config + "\\" + hive, bytes)) return false;
    figures.used += bytes;
  }
  for (const UserContext& user : app.users().users()) {
    if (user.profileDir.empty()) continue;
    std::uint64_t bytes = 0;
    if (!sizeOrZero(platform, addTrailingBackslash(user.profileDir) + kUserHiveName, bytes)) return false;
    if (bytes > figures.largestUserHive) figures.largestUserHive = bytes;
  }
  return true;
}

bool checkRegistryQuota(InstallApp& app) {
  QuotaFigures figures;
  if (!readQuotaFigures(app, figures)) return false;
  if (registryQuotaHolds(figures)) return true;
  app.log().logLine(text(Str::kQuotaLow));
  if (app.options().quiet) return false;
  return app.messageBox(text(Str::kQuotaQuestion), kMbYesNo | kMbIconExclamation) == kIdYes;
}

}  // namespace tessary
