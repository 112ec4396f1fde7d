// Asking the management client service, which runs with administrator
// rights, to start this package again on its behalf.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

class InstallApp;

inline constexpr std::uint32_t kHandOffDataId = 0x05A3E816;
inline constexpr std::size_t kHandOffBufferSize = 260;
inline constexpr std::uint32_t kHandOffStartMessage = 0x0400 + 1;

// Pure: the relaunch command for the service, quoted when the path holds a
// blank, with the switch that skips the rights check appended.
std::string relaunchCommand(const std::string& executablePath, const std::string& arguments);

// Pure: the command in the fixed buffer the service reads, zero-padded (a
// longer command is cut so that its terminating zero still fits).
std::vector<std::uint8_t> handOffBuffer(const std::string& command);

// True when the service accepted the relaunch. A refusal by the service is
// said; a missing service is silent.
bool handToClientService(InstallApp& app);

}  // namespace tessary
