// The access repair of a denied key and the environment broadcast on the
// simulated computer: a denied key is one listed in [faults] deniedKeys, so
// granting lifts that mark and restoring sets it again.
#include "platform/sim/SimPlatform.h"

namespace tessary {

namespace {

// What `previous` holds for the simulated computer: whether the key was denied.
constexpr std::uint8_t kWasOpen = 0;
constexpr std::uint8_t kWasDenied = 1;

}  // namespace

WinError SimPlatform::regGrantKeyAccess(RegistryRoot root, const std::string& subkey,
                                        std::vector<std::uint8_t>& previous) {
  previous.clear();
  std::string treePath, shown;
  WinError result = resolveKey(root, subkey, treePath, shown);
  if (!result && !machine_.registry().findKey(treePath)) result = kErrorFileNotFound;
  if (!result) {
    const bool denied = machine_.isDeniedKey(treePath);
    previous.push_back(denied ? kWasDenied : kWasOpen);
    machine_.setKeyDenied(treePath, false);
  }
  record("reg grant " + shown, result);
  return result;
}

WinError SimPlatform::regRestoreKeyAccess(RegistryRoot root, const std::string& subkey,
                                          const std::vector<std::uint8_t>& previous) {
  std::string treePath, shown;
  WinError result = resolveKey(root, subkey, treePath, shown);
  if (!result && previous.size() != 1) result = kErrorInvalidParameter;
  if (!result) machine_.setKeyDenied(treePath, previous[0] == kWasDenied);
  record("reg restore " + shown, result);
  return result;
}

void SimPlatform::broadcastSettingChange() { record("broadcast WM_WININICHANGE", kErrorSuccess); }

}  // namespace tessary
