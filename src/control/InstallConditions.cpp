#include "control/InstallConditions.h"

#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "variables/PackageVariableLoad.h"
#include "variables/Substitution.h"
#include "variables/UserSet.h"

namespace tessary {

namespace {

constexpr std::uint64_t kMegabyte = 1048576;
constexpr std::uint64_t kMemoryLeewayMb = 2;

struct ConditionTexts {
  Str said;
  Str logged;
};

// The users are chosen only after the checks; until then a path with
// variables is resolved for the current user, who will be the first user
// of every run that is not for a list or all users.
std::string resolvedForFirstUser(InstallApp& app, const std::string& path) {
  std::string resolved = path;
  if (path.find('$') == std::string::npos) return resolved;
  if (const UserContext* user = app.users().firstUser()) {
    substituteVariables(*user, resolved, kSubstituteAll);
    return resolved;
  }
  UserSet current(app.platform());
  if (current.selectCurrentUser(readPackageVariableSource(app.engine()), {}) && current.firstUser())
    substituteVariables(*current.firstUser(), resolved, kSubstituteAll);
  return resolved;
}

bool report(InstallApp& app, bool holds, ConditionTexts texts) {
  if (holds) return true;
  app.setExitCode(kExitConditionsNotMet);
  app.log().say(texts.said);
  if (!app.options().quiet) app.log().logLine(text(texts.logged));
  return false;
}

}  // namespace

bool memoryConditionHolds(std::uint64_t totalBytes, std::uint32_t requiredMb) {
  if (requiredMb == 0) return true;
  return totalBytes / kMegabyte + kMemoryLeewayMb >= requiredMb;
}

bool checkInstallConditions(InstallApp& app) {
  Platform& platform = app.platform();
  const InstallOptions& options = app.packageOptions();
  bool holds = true;
  holds &= report(app, registryConditionHolds(platform, options.registryCondition),
                  {Str::kRegistryConditionSaid, Str::kRegistryConditionLogged});
  holds &= report(app, memoryConditionHolds(platform.totalPhysicalMemory(), options.requiredMemoryMb),
                  {Str::kMemoryConditionSaid, Str::kMemoryConditionLogged});
  holds &= report(app,
                  fileConditionHolds(platform, options.fileCondition,
                                     resolvedForFirstUser(app, options.fileCondition.path)),
                  {Str::kFileConditionSaid, Str::kFileConditionLogged});
  holds &= report(app, driveSpaceConditionHolds(platform, options.driveSpace),
                  {Str::kDriveConditionSaid, Str::kDriveConditionLogged});
  return holds;
}

}  // namespace tessary
