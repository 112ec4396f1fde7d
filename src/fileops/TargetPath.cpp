#include "fileops/TargetPath.h"

namespace tessary {

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

TargetParts splitTarget(std::string_view path) {
  TargetParts parts;
  const std::size_t slash = path.find_last_of('\\');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  parts.folder = std::string(path.substr(0, nameStart));
  parts.name = std::string(path.substr(nameStart));
  const std::size_t dot = parts.name.rfind('.');
  if (dot != std::string::npos) parts.extension = lowerAscii(parts.name.substr(dot));
  return parts;
}

bool isTextSpecial(std::string_view path) {
  const TargetParts parts = splitTarget(path);
  const std::string name = lowerAscii(parts.name);
  return name == "config.sys" || name == "autoexec.bat" || parts.extension == ".ini" || parts.extension == ".url";
}

std::string parentFolder(std::string_view path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

}  // namespace tessary
