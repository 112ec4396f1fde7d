#include "archive/lzs/StoredExtensions.h"

#include <string>

namespace tessary::lzs {

bool isStoredUncompressed(std::string_view name) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string entry = "*.";
  for (char c : name.substr(dot + 1)) entry += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  entry += ';';
  // Every entry starts with "*.", which occurs nowhere else in the list, so
  // a hit is always a whole entry.
  return kStoredExtensions.find(entry) != std::string_view::npos;
}

}  // namespace tessary::lzs
