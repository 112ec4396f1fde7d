#include "platform/sim/SimFullPath.h"

#include <vector>

#include "platform/sim/SimText.h"

namespace tessary {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }
bool hasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && upperAscii(path[0]) >= 'A' && upperAscii(path[0]) <= 'Z';
}

// Splits `rest` into names, resolving "." and "..".
void appendNames(std::string_view rest, std::vector<std::string>& names) {
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !isSeparator(rest[end])) ++end;
    std::string name(rest.substr(start, end - start));
    start = end + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(std::move(name));
  }
}

}  // namespace

WinError fullWindowsPath(std::string_view path, std::string_view current, std::string& full) {
  full.clear();
  if (path.empty()) return kErrorInvalidName;
  std::string root;
  std::vector<std::string> names;
  bool trailing = isSeparator(path.back());
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
    // \\server\share: both names belong to the root.
    std::vector<std::string> parts;
    appendNames(path.substr(2), parts);
    root = "\\\\";
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (i < 2) {
        root += (i ? "\\" : "") + parts[i];
      } else {
        names.push_back(parts[i]);
      }
    }
    path = std::string_view();
  } else {
    std::string_view base = current;
    if (hasDrive(path)) {
      root = {upperAscii(path[0]), ':'};
      bool absolute = path.size() > 2 && isSeparator(path[2]);
      base = !absolute && hasDrive(current) && upperAscii(current[0]) == root[0] ? current.substr(2) : "";
      path.remove_prefix(2);
    } else {
      root = hasDrive(current) ? std::string{upperAscii(current[0]), ':'} : "C:";
      if (!path.empty() && isSeparator(path[0])) base = "";
      else if (hasDrive(current)) base = current.substr(2);
    }
    appendNames(base, names);
  }
  std::size_t before = names.size();
  appendNames(path, names);
  if (!trailing && names.size() > before) {
    std::string& last = names.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    if (last.empty()) names.pop_back();
  }
  full = root;
  for (const std::string& name : names) full += "\\" + name;
  if (names.empty() || trailing) full += "\\";
  if (root.size() > 2 && names.empty() && !trailing) full.pop_back();
  return kErrorSuccess;
}

}  // namespace tessary
