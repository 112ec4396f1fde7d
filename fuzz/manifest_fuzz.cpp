// The manifest reader on arbitrary text: it must end with a manifest or an
// error naming a line, never crash or throw.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/Manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  tessary::cli::Manifest manifest;
  tessary::cli::ManifestError error;
  bool ok = tessary::cli::parseManifest(text, "/fuzz/app.toml", manifest, error);
  // A refusal always says why.
  if (!ok && error.message.empty()) std::abort();
  return 0;
}
