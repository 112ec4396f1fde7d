// Regedit text: whatever parses must write back to text that parses to the
// same tree. Each input tries one output form (the text of deep keys grows
// with the square of their depth, so all three at once would slow the search).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sim/RegText.h"

using namespace tessary;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RegistryTree tree;
  std::string error;
  if (!applyRegText(bytes, tree, error)) {
    if (error.rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  const RegTextFormat formats[] = {
      {RegTextHeader::Regedit4, false},
      {RegTextHeader::Version5, false},
      {RegTextHeader::Version5, true},
  };
  const RegTextFormat& format = formats[size % 3];
  std::string text = writeRegText(tree, format);
  RegistryTree again;
  if (!applyRegText(text, again, error)) std::abort();
  if (!(again == tree)) std::abort();
  if (writeRegText(again, format) != text) std::abort();
  return 0;
}
