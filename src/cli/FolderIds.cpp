#include "cli/FolderIds.h"

#include "cli/CliText.h"
#include "cli/ManifestNames.h"

namespace tessary::cli {
namespace {

constexpr NamedValue kFolderIds[] = {
    {"windows", 101},           {"program files", 102},        {"system drive", 103},
    {"user profile", 104},      {"desktop", 105},              {"start menu", 106},
    {"application data", 107},  {"local application data", 108}, {"send to", 109},
    {"startup", 110},           {"programs", 111},             {"templates", 112},
    {"favorites", 113},         {"local settings", 114},       {"my pictures", 115},
    {"cookies", 116},           {"fonts", 117},                {"history", 118},
    {"cache", 119},             {"printhood", 120},            {"my documents", 121},
    {"nethood", 122},           {"all users profile", 123},    {"all users desktop", 124},
    {"all users start menu", 125}, {"all users startup", 126}, {"all users application data", 127},
    {"all users programs", 128}, {"all users templates", 129}, {"local machine", 130},
    {"current user", 131},      {"users", 132},                {"recent", 137},
};

constexpr std::uint32_t kNoFolder = 99;

}  // namespace

std::uint32_t folderIdForName(std::string_view name) {
  while (!name.empty() && name.front() == '$') name.remove_prefix(1);
  while (!name.empty() && name.back() == '$') name.remove_suffix(1);
  return valueOfName(NameTable(kFolderIds), lowerText(name)).value_or(kNoFolder);
}

std::uint32_t folderIdForPath(std::string_view path) {
  if (path.size() < 2 || path.front() != '$') return kNoFolder;
  std::size_t end = path.find('$', 1);
  if (end == std::string_view::npos) return kNoFolder;
  return folderIdForName(path.substr(0, end + 1));
}

}  // namespace tessary::cli
