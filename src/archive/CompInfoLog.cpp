#include "archive/CompInfoLog.h"

#include "archive/TempFiles.h"

namespace tessary {
namespace {

void twoDigits(std::string& text, unsigned value) {
  text += static_cast<char>('0' + value / 10 % 10);
  text += static_cast<char>('0' + value % 10);
}

}  // namespace

std::string localeDateTimeText(const LocalTime& time) {
  std::string text;
  twoDigits(text, time.month);
  text += '/';
  twoDigits(text, time.day);
  text += '/';
  twoDigits(text, time.year % 100);
  text += ' ';
  twoDigits(text, time.hour);
  text += ':';
  twoDigits(text, time.minute);
  text += ':';
  twoDigits(text, time.second);
  return text;
}

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
  append("\n" + localeDateTimeText(platform.localTime()) + "\n");
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
