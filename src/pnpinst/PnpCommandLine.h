// What pnpinst is asked to do, read from its raw command line. Pure text
// work, so the host tests it; the Windows side only carries it out.
#pragma once

#include <string_view>

namespace tessary {

enum class PnpOperation { None, CopyOemInf, UpdateDriver };

// The values are views into the analysed line, which must outlive them (the
// process's own command line does). They hold no terminating zero.
struct PnpRequest {
  // The command word found; None when the line holds neither.
  PnpOperation operation = PnpOperation::None;
  // Both named arguments of the operation were present (values may be empty).
  bool argumentsFound = false;
  std::string_view infPath;
  std::string_view setupPath;  // CopyOemInf only
  std::string_view deviceId;   // UpdateDriver only

  bool runnable() const { return operation != PnpOperation::None && argumentsFound; }
};

// The line is searched whole and case-sensitively: "SetupCopyOEMInf" wins
// over "UpdateDriverForPlugAndPlayDevices" when both occur. A named argument
// is the first occurrence of its key; its value runs to the next blank (' ')
// or the end of the line and is taken verbatim, quotes included. On a
// missing key the other value is still filled in when found.
PnpRequest analysePnpCommandLine(std::string_view line);

}  // namespace tessary
