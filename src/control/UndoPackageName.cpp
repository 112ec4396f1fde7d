#include "control/UndoPackageName.h"

#include "resources/StringTable.h"
#include "support/FillFields.h"
#include "support/PathText.h"

namespace tessary {

std::string undoPackageFileName(const std::string& baseName, unsigned counter) {
  std::string number = std::to_string(counter);
  if (number.size() < 2) number.insert(0, 1, '0');
  return fillFields(text(Str::kUndoName), {baseName, number});
}

std::string chooseUndoPackagePath(Platform& platform, const std::string& folder, const std::string& baseName) {
  const std::string prefix = addTrailingBackslash(folder);
  for (unsigned counter = 1;; ++counter) {
    std::string path = prefix + undoPackageFileName(baseName, counter);
    std::uint32_t attributes = 0;
    WinError error = platform.fileAttributes(path, attributes);
    // Only a name that is certainly free is taken; a name the system cannot
    // answer for is passed over like a taken one.
    if (error == kErrorFileNotFound || error == kErrorPathNotFound) return path;
    if (counter == 0xFFFFFFFFu) return path;
  }
}

}  // namespace tessary
