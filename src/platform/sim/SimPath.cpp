#include "platform/sim/SimPath.h"

#include <system_error>

#include "platform/sim/SimText.h"

namespace tessary {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isInvalidNameChar(char c) {
  static constexpr std::string_view kInvalid = "<>:\"|?*";
  return static_cast<unsigned char>(c) < 0x20 || kInvalid.find(c) != std::string_view::npos;
}

// The host entry whose name matches without regard to case. When several
// do (possible on a case-sensitive host), the smallest name wins, so every
// spelling of a name reaches the same entry.
bool findEntry(const std::filesystem::path& folder, const std::string& name,
               std::filesystem::path& found, bool& isDirectory) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return false;
  std::string best;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    std::string candidate;
    try {
      candidate = it->path().filename().string();
    } catch (const std::exception&) {
      continue;  // a host name with no 8-bit spelling cannot be asked for
    }
    if (!equalsNoCase(candidate, name) || (!best.empty() && candidate >= best)) continue;
    best = candidate;
    isDirectory = it->is_directory(ec);
  }
  if (best.empty()) return false;
  found = folder / best;
  return true;
}

WinError locate(const std::filesystem::path& drivesFolder, const WindowsPath& path,
                HostLocation& location) {
  std::filesystem::path current;
  bool isDirectory = false;
  if (!findEntry(drivesFolder, std::string(1, path.drive), current, isDirectory) || !isDirectory)
    return kErrorPathNotFound;
  for (std::size_t i = 0; i < path.names.size(); ++i) {
    std::filesystem::path next;
    bool last = i + 1 == path.names.size();
    if (!findEntry(current, path.names[i], next, isDirectory)) {
      if (!last) return kErrorPathNotFound;
      location.host = current / path.names[i];
      return kErrorSuccess;
    }
    if (!last && !isDirectory) return kErrorPathNotFound;
    current = std::move(next);
  }
  location.host = std::move(current);
  location.exists = true;
  location.isDirectory = isDirectory;
  return kErrorSuccess;
}

}  // namespace

std::string WindowsPath::text() const {
  std::string text{drive, ':'};
  if (names.empty()) text += '\\';
  for (const std::string& name : names) text += '\\' + name;
  return text;
}

WinError parseWindowsPath(std::string_view path, WindowsPath& parsed) {
  parsed = WindowsPath();
  char letter = path.empty() ? 0 : upperAscii(path[0]);
  if (path.size() < 3 || letter < 'A' || letter > 'Z' || path[1] != ':' || !isSeparator(path[2]))
    return kErrorPathNotFound;
  parsed.drive = letter;

  std::string_view rest = path.substr(3);
  bool endsWithSeparator = !rest.empty() && isSeparator(rest.back());
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !isSeparator(rest[end])) ++end;
    std::string name(rest.substr(start, end - start));
    bool last = end >= rest.size();
    start = end + 1;
    if (last && !endsWithSeparator && name != "." && name != "..") {
      while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    }
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(std::move(name));
  }
  for (const std::string& name : names) {
    for (char c : name)
      if (isInvalidNameChar(c)) return kErrorInvalidName;
  }
  parsed.names = std::move(names);
  return kErrorSuccess;
}

WinError locateOnHost(const std::filesystem::path& drivesFolder, const WindowsPath& path,
                      HostLocation& location) {
  location = HostLocation();
  try {
    return locate(drivesFolder, path, location);
  } catch (const std::exception&) {
    // A name the host cannot spell.
    location = HostLocation();
    return kErrorInvalidName;
  }
}

}  // namespace tessary
