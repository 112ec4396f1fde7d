// Short (8.3) paths inside free text, and "[LFN]" markers.
//
// Registry text and command lines are stored with their short paths turned
// into "[LFN]" + long path + "[lfn]", so that on another computer, where the
// short names may differ, the markers can be turned back into that
// computer's short paths. The markers are case-sensitive: "[LFN]" opens,
// "[lfn]" closes.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tessary {

// The same path with every component in its long form, looked up from the
// end with the system's find-first-file: "C:\PROGRA~1\COMMON~1" becomes
// "C:\Program Files\Common Files". Empty when a component is not found,
// when the path or its long form does not fit a Windows path (259 bytes),
// or when the path holds a wildcard ("*", "?"), which would look up some
// other file.
std::string longPathOf(Platform& platform, std::string_view shortPath);

// The text with each short path replaced by "[LFN]" + long path + "[lfn]".
//
// Each "~" is a hint: the path around it starts at the letter of the last
// "X:\" before it that lies after the previous replacement (a "~" with no
// such drive before it is passed over). A path whose letter follows a
// double quote ends at the next double quote; any other ends at the first
// ",", ";", space or tab after it, or at the end of the text. Scanning goes
// on after each replacement.
//
// Empty when no "~" led to a replacement, when a quoted path has no closing
// quote, or when any path has no long form (longPathOf).
std::string toLfnMarkers(Platform& platform, std::string_view text);

// Each "[LFN]"..."[lfn]" segment, markers included, replaced by the
// system's short form of the path inside, or by that path itself when the
// system gives none (missing file, or a short form that would not fit 260
// characters). An "[LFN]" with no "[lfn]" after it, and all that follows,
// is left as written.
std::string fromLfnMarkers(Platform& platform, std::string_view text);

}  // namespace tessary
