// Carries out a pnpinst request with the system's device-install functions.
#pragma once

#include "pnpinst/PnpCommandLine.h"

namespace tessary {

// True only when the request is runnable and the system call reported
// success; a missing library or function counts as failure.
bool carryOutPnpRequest(const PnpRequest& request);

}  // namespace tessary
