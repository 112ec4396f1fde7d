// A small computer for the path, drive and search functions: drives holding
// trees of files and folders with long and short names, drive types, a
// registry of values, a %path%, version resources and privileges. A journal
// records each folder listing ("list C:\X\*.*") and each message pump
// ("messages"), so tests can assert their order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/NullPlatform.h"
#include "support/TextCompare.h"

namespace tessary::test {

class FileTreePlatform : public NullPlatform {
 public:
  struct Node {
    std::string name;
    std::string shortName;  // empty when the long name is 8.3 already
    bool folder = true;
    std::vector<Node> children;  // in listing order
  };

  std::map<char, Node> drives;  // upper-case letter -> root
  std::map<std::string, std::uint32_t> driveTypes;  // "C:" -> type; missing = no root folder
  std::string currentFolder = "C:\\WORK";
  std::map<std::string, RegistryValue> registry;  // regKey(root, subkey, name)
  std::string pathVariable;  // empty: %path% is not set
  std::string windows = "C:\\WINDOWS";
  std::string system = "C:\\WINDOWS\\SYSTEM";
  std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> versions;
  std::map<std::string, WinError> privileges;  // name -> answer; missing = no such privilege
  std::vector<std::string> journal;

  // Adds a file, or a folder when the path ends in "\"; missing parents
  // become folders. A component may give its short name after "|":
  // "C:\Program Files|PROGRA~1\app.exe". The drive is created fixed.
  void add(std::string_view path) {
    const bool isFolder = !path.empty() && path.back() == '\\';
    if (isFolder) path.remove_suffix(1);
    const char letter = upper(path[0]);
    if (!drives.count(letter)) driveTypes[std::string(1, letter) + ":"] = kDriveFixed;
    Node* node = &drives[letter];
    std::size_t at = 3;
    while (at <= path.size()) {
      std::size_t end = path.find('\\', at);
      if (end == std::string_view::npos) end = path.size();
      std::string_view part = path.substr(at, end - at);
      const std::size_t bar = part.find('|');
      std::string name(part.substr(0, bar));
      Node* child = childNamed(*node, name);
      if (!child) {
        node->children.push_back({name, bar == std::string_view::npos ? "" : std::string(part.substr(bar + 1)),
                                  end < path.size() || isFolder, {}});
        child = &node->children.back();
      }
      node = child;
      at = end + 1;
    }
  }

  static std::string regKey(RegistryRoot root, std::string_view subkey, std::string_view name) {
    return fold(std::to_string(static_cast<std::uint32_t>(root)) + "|" + std::string(subkey) + "|" +
                std::string(name));
  }
  void putString(RegistryRoot root, std::string_view subkey, std::string_view name, std::string_view text,
                 std::uint32_t type = kRegSz) {
    RegistryValue value{std::string(name), type, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    registry[regKey(root, subkey, name)] = value;
  }

  WinError findFiles(const std::string& pattern, std::vector<FoundFile>& found) override {
    found.clear();
    const std::size_t slash = absolute(pattern).rfind('\\');
    if (slash == std::string::npos) return kErrorPathNotFound;
    const Node* folder = resolve(absolute(pattern).substr(0, slash));
    if (!folder || !folder->folder) return kErrorPathNotFound;
    const std::string last = absolute(pattern).substr(slash + 1);
    if (last == "*.*") {
      journal.push_back("list " + pattern);
      if (absolute(pattern).size() > 6) {  // below a root: "." and ".." come first
        found.push_back({".", "", kAttrDirectory});
        found.push_back({"..", "", kAttrDirectory});
      }
      for (const Node& child : folder->children) found.push_back(entryOf(child));
    } else if (const Node* child = childNamed(*folder, last)) {
      found.push_back(entryOf(*child));
    }
    return found.empty() ? kErrorFileNotFound : kErrorSuccess;
  }

  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override {
    const Node* node = resolve(absolute(path));
    if (!node) return kErrorFileNotFound;
    attributes = node->folder ? kAttrDirectory : kAttrArchive;
    return kErrorSuccess;
  }

  WinError fullPathName(const std::string& path, std::string& full) override {
    full = absolute(path);
    return kErrorSuccess;
  }

  WinError shortPathName(const std::string& path, std::string& shortPath) override {
    const std::string whole = absolute(path);
    if (whole.size() < 2 || !drives.count(upper(whole[0]))) return kErrorFileNotFound;
    const Node* node = &drives[upper(whole[0])];
    shortPath = whole.substr(0, 2);
    for (const std::string& part : componentsOf(whole)) {
      node = childNamed(*node, part);
      if (!node) return kErrorFileNotFound;
      shortPath += '\\' + (node->shortName.empty() ? node->name : node->shortName);
    }
    return kErrorSuccess;
  }

  bool fileVersion(const std::string& path, std::uint32_t& high, std::uint32_t& low) override {
    auto found = versions.find(path);
    if (found == versions.end()) {
      high = low = 0xDEAD;  // the caller must clear these itself
      return false;
    }
    high = found->second.first;
    low = found->second.second;
    return true;
  }

  std::string windowsFolder() override { return windows; }
  std::string systemFolder() override { return system; }

  std::vector<std::string> logicalDriveRoots() override {
    std::vector<std::string> roots;
    for (const auto& [drive, type] : driveTypes) roots.push_back(drive + "\\");
    return roots;
  }

  std::uint32_t driveType(const std::string& root) override {
    journal.push_back("type " + root);
    auto found = driveTypes.find(root.substr(0, 2));
    return found == driveTypes.end() || (root.size() > 3) ? kDriveNoRootDir : found->second;
  }

  WinError regQueryValue(RegistryRoot root, const std::string& subkey, const std::string& name,
                         RegistryValue& value) override {
    auto found = registry.find(regKey(root, subkey, name));
    if (found == registry.end()) return kErrorFileNotFound;
    value = found->second;
    return kErrorSuccess;
  }

  std::string expandEnvironment(const std::string& text) override {
    return equalsNoCase(text, "%path%") && !pathVariable.empty() ? pathVariable : text;
  }

  void processPendingMessages() override { journal.push_back("messages"); }

  WinError setPrivilege(const std::string& name, bool enable) override {
    journal.push_back((enable ? "enable " : "remove ") + name);
    auto found = privileges.find(name);
    return found == privileges.end() ? kErrorNoSuchPrivilege : found->second;
  }

 private:
  static char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
  static std::string fold(std::string text) {
    for (char& c : text) c = foldCase(c);
    return text;
  }

  static FoundFile entryOf(const Node& node) {
    return {node.name, node.shortName, node.folder ? kAttrDirectory : kAttrArchive};
  }

  static Node* childNamed(Node& folder, std::string_view name) {
    for (Node& child : folder.children)
      if (equalsNoCase(child.name, name) || (!child.shortName.empty() && equalsNoCase(child.shortName, name)))
        return &child;
    return nullptr;
  }
  static const Node* childNamed(const Node& folder, std::string_view name) {
    return childNamed(const_cast<Node&>(folder), name);
  }

  std::string absolute(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':') return path;
    return currentFolder + "\\" + path;
  }

  // The components after "X:\"; a doubled or final backslash gives an empty
  // one, which names nothing.
  static std::vector<std::string> componentsOf(const std::string& path) {
    std::vector<std::string> parts;
    if (path.size() <= 3) return parts;
    for (std::size_t at = 3;;) {
      std::size_t end = path.find('\\', at);
      parts.push_back(path.substr(at, end == std::string::npos ? std::string::npos : end - at));
      if (end == std::string::npos) return parts;
      at = end + 1;
    }
  }

  // "C:" and "C:\" name the root.
  const Node* resolve(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || (path.size() > 2 && path[2] != '\\')) return nullptr;
    auto drive = drives.find(upper(path[0]));
    if (drive == drives.end()) return nullptr;
    const Node* node = &drive->second;
    for (const std::string& part : componentsOf(path)) {
      if (part.empty() || !node->folder) return nullptr;
      node = childNamed(*node, part);
      if (!node) return nullptr;
    }
    return node;
  }
};

}  // namespace tessary::test
