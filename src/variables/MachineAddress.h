// Facts of the machine that every user's table shows alike.
#pragma once

#include <string>

#include "variables/TargetSystem.h"

namespace tessary {

// GetComputerName into 16 characters; empty when it cannot be read.
std::string machineComputerName(Platform& platform);

// The IP address of the machine's network adapter as network discovery
// finds it; empty when none is found. Discovered once per TargetSystem.
const std::string& machineIpAddress(TargetSystem& system);

}  // namespace tessary
