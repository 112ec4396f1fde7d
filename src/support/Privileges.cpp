#include "support/Privileges.h"

namespace tessary {

bool enablePrivilege(Platform& platform, const std::string& name, bool on) {
  return platform.setPrivilege(name, on) == kErrorSuccess;
}

}  // namespace tessary
