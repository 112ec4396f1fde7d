// Rights, memory, the single-instance mutex and the client service's
// window on the simulated computer: [computer] memory, [session] admin and
// instance, [service].
#include <cstdio>

#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimText.h"
#include "platform/sim/SimTranscript.h"

namespace tessary {

namespace {

std::string hex8(std::uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

}  // namespace

bool SimPlatform::serviceManagerFullAccess() {
  const SimSettings& config = machine_.config();
  if (config.admin >= 0) return config.admin == 1;
  if (!machine_.isNtFamily()) return false;
  if (equalsNoCase(config.account, "SYSTEM")) return true;
  const SimAccount* account = findAccount(config, config.account);
  return account && equalsNoCase(account->type, "admin");
}

std::uint64_t SimPlatform::totalPhysicalMemory() {
  return static_cast<std::uint64_t>(machine_.config().memoryMb) * 1048576u;
}

MutexTake SimPlatform::takeNamedMutex(const std::string& name) {
  MutexTake result = MutexTake::Taken;
  const char* what = "created";
  switch (machine_.config().instance) {
    case SimInstance::None: break;
    case SimInstance::Abandoned: what = "taken over"; break;
    case SimInstance::Running:
      result = MutexTake::HeldElsewhere;
      what = "held elsewhere";
      break;
    case SimInstance::Fails:
      result = MutexTake::Failed;
      what = "failed";
      break;
  }
  if (result == MutexTake::Taken) {
    mutexHeld_ = true;
    mutexName_ = name;
  }
  record("mutex " + name + " -> " + what);
  return result;
}

void SimPlatform::releaseNamedMutex() {
  if (!mutexHeld_) return;
  mutexHeld_ = false;
  record("mutex " + mutexName_ + " released");
  mutexName_.clear();
}

WinError SimPlatform::sendCopyData(const std::string& title, std::uint32_t id,
                                   const std::vector<std::uint8_t>& data, std::intptr_t& answer) {
  const SimSettings& config = machine_.config();
  answer = 0;
  std::string text;
  for (std::uint8_t byte : data) {
    if (byte == 0) break;
    text += static_cast<char>(byte);
  }
  std::string entry = "copy data: " + title + "\r\nid: " + hex8(id) + "\r\nbytes: " + std::to_string(data.size()) +
                      "\r\n" + transcriptField("data", text);
  WinError result = kErrorSuccess;
  if (!config.serviceWindow) {
    result = kErrorInvalidWindowHandle;
    entry += "answer: no such window\r\n\r\n";
    record("copy data \"" + title + "\" " + hex8(id), result);
  } else {
    answer = static_cast<std::intptr_t>(config.serviceAnswer);
    entry += "answer: " + std::to_string(config.serviceAnswer) + "\r\n\r\n";
    record("copy data \"" + title + "\" " + hex8(id) + " -> answer " + std::to_string(config.serviceAnswer));
  }
  transcribe(entry);
  return result;
}

WinError SimPlatform::postWindowMessage(const std::string& title, std::uint32_t message) {
  const SimSettings& config = machine_.config();
  WinError result = !config.serviceWindow ? kErrorInvalidWindowHandle
                    : config.postFails   ? kErrorAccessDenied
                                         : kErrorSuccess;
  const char* outcome = result == kErrorSuccess              ? "posted"
                        : result == kErrorInvalidWindowHandle ? "no such window"
                                                              : "failed (5)";
  transcribe("post message: " + title + "\r\nmessage: " + std::to_string(message) + "\r\nresult: " + outcome +
             "\r\n\r\n");
  record("post \"" + title + "\" " + std::to_string(message), result);
  return result;
}

}  // namespace tessary
