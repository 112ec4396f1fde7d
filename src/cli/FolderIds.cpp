#include "cli/FolderIds.h"

#include "variables/FolderId.h"

namespace tessary::cli {

std::uint32_t folderIdForPath(std::string_view path) {
  if (path.size() < 2 || path.front() != '$') return kFolderNone;
  std::size_t end = path.find('$', 1);
  if (end == std::string_view::npos) return kFolderNone;
  return static_cast<std::uint32_t>(tessary::folderIdForName(path.substr(0, end + 1)));
}

}  // namespace tessary::cli
