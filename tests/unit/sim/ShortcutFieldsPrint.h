// Shortcut fields as a failed check shows them.
#pragma once

#include <ostream>

#include "platform/PlatformTypes.h"

namespace tessary {

inline void PrintTo(const ShortcutFields& f, std::ostream* out) {
  *out << "{target \"" << f.targetPath << "\", arguments \"" << f.arguments << "\", working folder \""
       << f.workingFolder << "\", icon \"" << f.iconFile << "\" " << f.iconIndex << ", show " << f.showCommand << "}";
}

}  // namespace tessary
