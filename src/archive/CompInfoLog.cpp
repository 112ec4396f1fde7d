#include "archive/CompInfoLog.h"

#include "archive/TempFiles.h"
#include "support/RunLog.h"

namespace tessary {

CompInfoLog::CompInfoLog(Platform& platform) {
  const std::string folder = ensureCorvaneTempFolder(platform);
  if (folder.empty()) return;
  // Both engines of a run (the package and its undo package) hold the log.
  WinError error = platform.openFile(joinPath(folder, kCompInfoLogName), FileAccess::Write,
                                     kShareRead | kShareWrite, FileDisposition::OpenAlways, file_);
  if (error != kErrorSuccess) {
    file_.reset();
    return;
  }
  append("\n" + formatLogTime(platform.localTime()) + "\n");
}

bool CompInfoLog::append(std::string_view text) {
  if (!file_) return false;
  std::string stored;
  stored.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  std::uint64_t end = 0;
  std::uint32_t done = 0;
  if (file_->seek(0, SeekOrigin::End, end) != kErrorSuccess) return false;
  return file_->write(stored.data(), static_cast<std::uint32_t>(stored.size()), done) == kErrorSuccess &&
         done == stored.size();
}

}  // namespace tessary
