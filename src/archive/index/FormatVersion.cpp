#include "archive/index/FormatVersion.h"

namespace tessary {

bool applyOpenVersionRules(float& version) {
  if (version > kFormatVersionNewest) return false;
  if (version == 2.0f) version = 1.2f;
  return true;
}

}  // namespace tessary
