// The computer information log "CompInfo.log" in the folder "CorvaneTemp"
// under the platform's temporary path: the index object's diagnostic log.
// It is opened for appending (created when missing, never truncated) and
// written as text, each "\n" stored as CR LF.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tessary {

inline constexpr const char* kCompInfoLogName = "CompInfo.log";

class CompInfoLog {
 public:
  // Makes sure the folder exists, opens the log and appends "\n<date time>\n".
  // A log that cannot be opened is left closed; appending then does nothing.
  explicit CompInfoLog(Platform& platform);

  // Appends `text` at the end of the file, whoever else appended meanwhile.
  // False when the log is closed or the write failed.
  bool append(std::string_view text);

  bool isOpen() const { return file_ != nullptr; }

 private:
  std::unique_ptr<PlatformFile> file_;
};

}  // namespace tessary
