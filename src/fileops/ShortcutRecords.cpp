// The file pass's side of the shortcut fix-up: which installed shortcuts
// are remembered, and for which user.
#include "fileops/FileInstaller.h"

namespace tessary {

void FileInstaller::RecordShortcut(const CTree& entry, const std::string& shortcutPath) {
  // An undo run puts old shortcuts back as they were, byte for byte.
  // A copy staged for the next start is remembered by the entry's own path.
  if (run_.shortcuts == nullptr || run_.undoRun || staging_ || entry.dataOffset == -1 ||
      !isShortcutName(shortcutPath))
    return;
  FileBlockHeader header;
  // A package older than the shortcut block stores none: nothing to fix up.
  if (!readHeader(entry, header) || !header.shortcut) return;
  run_.shortcuts->push_back({*header.shortcut, shortcutPath, userIndexOf(entry)});
}

std::size_t FileInstaller::userIndexOf(const CTree& entry) const {
  const std::vector<UserContext>& users = run_.users.users();
  for (std::size_t index = 0; index < users.size(); ++index) {
    std::string path = entry.name;
    substituteVariables(users[index], path, kSubstituteAll);
    if (path == resolved_) return index;
  }
  return 0;
}

}  // namespace tessary
