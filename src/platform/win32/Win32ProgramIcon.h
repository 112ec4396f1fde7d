// The program's icons: its own from the executable's resources, the system's
// application icon where the program carries none (the test programs).
#pragma once

#include <windows.h>

namespace tessary {

enum class IconImage { Program, Alternate };

// Shared images: nobody destroys them.
HICON programIcon(IconImage image, bool small);

}  // namespace tessary
