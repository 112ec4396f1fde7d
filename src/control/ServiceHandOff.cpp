#include "control/ServiceHandOff.h"

#include "control/InstallApp.h"
#include "platform/ArgumentVector.h"
#include "support/FillFields.h"

namespace tessary {

std::string relaunchCommand(const std::string& executablePath, const std::string& arguments) {
  Str pattern = executablePath.find(' ') == std::string::npos ? Str::kRelaunchPlain : Str::kRelaunchQuoted;
  return fillFields(text(pattern), {executablePath, arguments});
}

std::vector<std::uint8_t> handOffBuffer(const std::string& command) {
  std::vector<std::uint8_t> buffer(kHandOffBufferSize, 0);
  std::size_t kept = command.size() < kHandOffBufferSize ? command.size() : kHandOffBufferSize - 1;
  for (std::size_t i = 0; i < kept; ++i) buffer[i] = static_cast<std::uint8_t>(command[i]);
  return buffer;
}

bool handToClientService(InstallApp& app) {
  Platform& platform = app.platform();
  std::string command = relaunchCommand(app.state().ownExecutablePath,
                                        std::string(commandLineArguments(platform.rawCommandLine())));
  const std::string title = text(Str::kServiceWindowTitle);
  std::intptr_t answer = 0;
  if (platform.sendCopyData(title, kHandOffDataId, handOffBuffer(command), answer) != kErrorSuccess) return false;
  if (answer != 0) {
    app.log().say(Str::kServiceRefused);
    return false;
  }
  return platform.postWindowMessage(title, kHandOffStartMessage) == kErrorSuccess;
}

}  // namespace tessary
