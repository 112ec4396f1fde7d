#include "registry/RegistryKeyRef.h"

#include "support/RegistryPath.h"

namespace tessary {

namespace {

constexpr RegistryRoot kWritableRoots[] = {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                                           RegistryRoot::LocalMachine, RegistryRoot::Users};
constexpr std::size_t kKeyNameLimit = 255;

bool writableRoot(RegistryRoot root) {
  for (RegistryRoot allowed : kWritableRoots)
    if (allowed == root) return true;
  return false;
}

bool namesAreSound(std::string_view subkey) {
  if (subkey.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = subkey.find('\\', start);
    const std::size_t length = (end == std::string_view::npos ? subkey.size() : end) - start;
    if (length == 0 || length > kKeyNameLimit) return false;
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

}  // namespace

std::optional<KeyRef> writableKey(std::string_view fullKeyPath) {
  if (!fullKeyPath.empty() && fullKeyPath.back() == '\\') fullKeyPath.remove_suffix(1);
  KeyPath split = splitKeyPath(fullKeyPath);
  if (!split.root || split.readOnly || !writableRoot(*split.root) || !namesAreSound(split.subkey))
    return std::nullopt;
  return KeyRef{*split.root, std::move(split.subkey)};
}

KeyAccessRepair::KeyAccessRepair(Platform& platform, const KeyRef& key, bool active)
    : platform_(platform), key_(key) {
  if (!active || platform_.regOpenKey(key_.root, key_.subkey) != kErrorAccessDenied) return;
  granted_ = platform_.regGrantKeyAccess(key_.root, key_.subkey, previous_) == kErrorSuccess;
}

KeyAccessRepair::~KeyAccessRepair() {
  if (granted_) platform_.regRestoreKeyAccess(key_.root, key_.subkey, previous_);
}

}  // namespace tessary
