// Accounts of the simulated computer, from [accounts] and [domains].
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimSid.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

struct WellKnown {
  const char* sid;
  const char* name;
  const char* domain;
};
const WellKnown kWellKnown[] = {
    {"S-1-5-18", "SYSTEM", "NT AUTHORITY"},
    {"S-1-5-19", "LOCAL SERVICE", "NT AUTHORITY"},
    {"S-1-5-20", "NETWORK SERVICE", "NT AUTHORITY"},
};

std::uint32_t typeOf(const SimAccount& account) {
  return equalsNoCase(account.type, "deleted") ? kAccountDeleted : kAccountUser;
}

std::string withoutBackslashes(std::string_view name) {
  while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
  return std::string(name);
}

}  // namespace

WinError SimPlatform::desktopUserSid(std::vector<std::uint8_t>& sid) {
  sid.clear();
  const SimSettings& config = machine_.config();
  if (!machine_.isNtFamily() || config.user.empty()) return kErrorInvalidWindowHandle;
  const SimAccount* account = findAccount(config, config.user);
  if (!account || !sidFromText(account->sid, sid)) {
    sid.clear();
    return kErrorNoneMapped;
  }
  return kErrorSuccess;
}

WinError SimPlatform::lookupAccountSid(const std::vector<std::uint8_t>& sid, std::string& account,
                                       std::string& domain, std::uint32_t& type) {
  account.clear();
  domain.clear();
  type = 0;
  if (!machine_.isNtFamily()) return kErrorCallNotImplemented;
  std::string text = sidText(sid);
  if (text.empty()) return kErrorInvalidParameter;
  for (const WellKnown& known : kWellKnown) {
    if (text == known.sid) {
      account = known.name;
      domain = known.domain;
      type = kAccountWellKnownGroup;
      return kErrorSuccess;
    }
  }
  for (const auto& [folded, row] : machine_.config().accounts) {
    std::vector<std::uint8_t> rowSid;
    if (!sidFromText(row.sid, rowSid) || rowSid != sid) continue;
    account = row.name;
    domain = row.domain;
    type = typeOf(row);
    return kErrorSuccess;
  }
  return kErrorNoneMapped;
}

// On this computer every account answers, preferring its own domain; on a
// domain controller only the accounts of the domains it serves.
WinError SimPlatform::lookupAccountName(const std::string& system, const std::string& account,
                                        std::vector<std::uint8_t>& sid, std::string& domain,
                                        std::uint32_t& type) {
  sid.clear();
  domain.clear();
  type = 0;
  if (!machine_.isNtFamily()) return kErrorCallNotImplemented;
  const SimSettings& config = machine_.config();
  std::size_t slash = account.find('\\');
  std::string wantedDomain = slash == std::string::npos ? std::string() : account.substr(0, slash);
  std::string name = slash == std::string::npos ? account : account.substr(slash + 1);
  std::string server = withoutBackslashes(system);

  for (const WellKnown& known : kWellKnown) {
    if (server.empty() && equalsNoCase(name, known.name) &&
        (wantedDomain.empty() || equalsNoCase(wantedDomain, known.domain))) {
      sidFromText(known.sid, sid);
      domain = known.domain;
      type = kAccountWellKnownGroup;
      return kErrorSuccess;
    }
  }
  const SimAccount* best = nullptr;
  for (const auto& [folded, row] : config.accounts) {
    if (!equalsNoCase(row.name, name) || typeOf(row) == kAccountDeleted) continue;
    if (!wantedDomain.empty() && !equalsNoCase(wantedDomain, row.domain)) continue;
    if (!server.empty()) {
      auto controller = config.domainControllers.find(foldCase(row.domain));
      if (controller == config.domainControllers.end() || !equalsNoCase(withoutBackslashes(controller->second), server))
        continue;
    }
    if (!best || equalsNoCase(row.domain, config.computerName)) best = &row;
  }
  if (!best || !sidFromText(best->sid, sid)) {
    sid.clear();
    return kErrorNoneMapped;
  }
  domain = best->domain;
  type = typeOf(*best);
  return kErrorSuccess;
}

WinError SimPlatform::domainControllerName(const std::string& domainName, std::string& controller) {
  controller.clear();
  if (!machine_.isNtFamily() || functionMissing("NetGetDCName")) return kErrorCallNotImplemented;
  const auto& controllers = machine_.config().domainControllers;
  auto found = controllers.find(foldCase(domainName));
  if (found == controllers.end() || found->second.empty()) return kErrorDcNotFound;
  controller = "\\\\" + withoutBackslashes(found->second);
  return kErrorSuccess;
}

}  // namespace tessary
