#include "platform/sim/SimPrivileges.h"

#include "platform/sim/SimText.h"

namespace tessary {

namespace {
const char* const kPrivileges[] = {
    "SeAssignPrimaryTokenPrivilege", "SeAuditPrivilege",
    "SeBackupPrivilege",             "SeChangeNotifyPrivilege",
    "SeCreateGlobalPrivilege",       "SeCreatePagefilePrivilege",
    "SeCreatePermanentPrivilege",    "SeCreateTokenPrivilege",
    "SeDebugPrivilege",              "SeEnableDelegationPrivilege",
    "SeImpersonatePrivilege",        "SeIncreaseBasePriorityPrivilege",
    "SeIncreaseQuotaPrivilege",      "SeLoadDriverPrivilege",
    "SeLockMemoryPrivilege",         "SeMachineAccountPrivilege",
    "SeManageVolumePrivilege",       "SeProfileSingleProcessPrivilege",
    "SeRemoteShutdownPrivilege",     "SeRestorePrivilege",
    "SeSecurityPrivilege",           "SeShutdownPrivilege",
    "SeSyncAgentPrivilege",          "SeSystemEnvironmentPrivilege",
    "SeSystemProfilePrivilege",      "SeSystemtimePrivilege",
    "SeTakeOwnershipPrivilege",      "SeTcbPrivilege",
    "SeUndockPrivilege",             "SeUnsolicitedInputPrivilege",
};
}  // namespace

std::string knownPrivilegeName(std::string_view name) {
  for (const char* known : kPrivileges)
    if (equalsNoCase(name, known)) return known;
  return std::string();
}

}  // namespace tessary
