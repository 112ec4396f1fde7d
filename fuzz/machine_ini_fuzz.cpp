// machine.ini: any text is read without fault; a refusal names the file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sim/IniMap.h"
#include "platform/sim/SimSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  tessary::IniMap ini;
  std::string error;
  if (!ini.parse(text, error)) {
    if (error.rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  tessary::SimSettings settings;
  if (!tessary::readSimSettings(ini, settings, error)) {
    if (error.rfind("machine.ini: ", 0) != 0) std::abort();
    return 0;
  }
  if (settings.os.platformId != 1 && settings.os.platformId != 2) std::abort();
  if (settings.temp.empty() || settings.temp.back() != '\\') std::abort();
  return 0;
}
