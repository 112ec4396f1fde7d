// Format versions of a package: which groups of the install options record
// a version holds, and the rules applied when a package is opened. Every
// test is made on the stored float; 3.1 is not exactly representable, so a
// stored 3.1 is greater than 3.0 and no greater than 3.1.
#pragma once

#include <cstdint>

namespace tessary {

inline constexpr float kFormatVersionWritten = 3.1f;  // new packages and undo packages
inline constexpr float kFormatVersionNewest = 3.1f;   // newest that opens

inline constexpr bool hasUndoStubFields(float v) { return v > 1.0f; }
inline constexpr bool hasLegacyTexts(float v) { return v > 1.5f && v < 3.0f; }
inline constexpr bool hasConditions(float v) { return v > 2.0f; }
inline constexpr bool hasPackageId(float v) { return v >= 3.0f; }
inline constexpr bool hasProgramLists(float v) { return v > 3.0f; }
// The "Variable" stream and the 1072-byte header of ".lnk" blocks.
inline constexpr bool hasVariablesStream(float v) { return v >= 3.0f; }

// The status the engine leaves when it refuses a package's version.
inline constexpr std::int32_t kStatusVersionTooNew = 10020;

// Applies the rules of opening to a version read from a package: exactly
// 2.0 becomes 1.2; a version above 3.1 is refused (false, version
// unchanged). True when the package may stay open.
bool applyOpenVersionRules(float& version);

}  // namespace tessary
