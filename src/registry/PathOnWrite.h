// The last merge before a PATH environment value is set: the package's
// folders go onto the end of the stored PATH unless it already lists them,
// and running programs are told the environment changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/PlatformTypes.h"

namespace tessary {

// `stored` with the pieces of `added` (split at every ";", empty pieces
// skipped) that it does not list yet appended, each after a ";". One
// trailing ";" of `stored` is dropped first. A piece is listed when it
// equals a whole entry, letter case ignored; pieces appended earlier count.
std::string mergePathText(std::string_view stored, std::string_view added);

struct PathWrite {
  bool handled = false;                // false: the caller writes the value as usual
  std::optional<RegistryValue> value;  // what to set; nullopt: nothing to write
  bool broadcastDue = false;           // tell all windows (WM_WININICHANGE) once the write succeeded
};

// What setting `packageValue` under `subkey` comes to, given the value
// stored now (nullopt when it is missing). Handles string PATH values of
// an environment subkey only; an empty one writes nothing.
PathWrite planPathWrite(std::string_view subkey, const RegistryValue& packageValue,
                        const std::optional<RegistryValue>& stored);

}  // namespace tessary
