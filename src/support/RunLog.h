// The run's text log, shared by every run on the computer, and the routing
// of informational messages between message boxes and that log.
//
// Every operation is safe at any time: with no log open the line operations
// do nothing, and a failed write is swallowed so that a full disk never
// stops a run. Lines reach the disk with CR LF endings.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "resources/StringTable.h"

namespace tessary {

// Copies of the run's flags that decide what is written and where messages
// go; the owner keeps them current.
struct LogSettings {
  std::int32_t level = 1;  // 0 = no log, 4 = verbose
  std::int32_t debug = 0;
  std::int32_t quiet = 0;
  std::int32_t simulate = 0;
};

class RunLog {
 public:
  explicit RunLog(Platform& platform) : platform_(platform) {}
  // Closes the log with its banner if it is still open.
  ~RunLog();
  RunLog(const RunLog&) = delete;
  RunLog& operator=(const RunLog&) = delete;

  LogSettings& settings() { return settings_; }
  // The program's base name (without ".exe"): named in the header and the
  // caption of the message boxes.
  void setProgramName(std::string baseName) { programName_ = std::move(baseName); }

  // Opens or creates `path` without truncating it, moves to its end and
  // writes the header (and the simulation banner in a simulation). False,
  // with no log open, when the file cannot be opened. A log already open is
  // closed first.
  bool open(const std::string& path);
  bool isOpen() const { return file_ != nullptr; }

  void logLine(std::string_view text);
  // Only at level 4 or in debug mode.
  void verboseLine(std::string_view text);
  // Only when the level is at least `level`.
  void leveledLine(std::string_view text, std::int32_t level);

  // An informational message: a message box (information icon, OK) in an
  // interactive run, a log line when quiet or simulating.
  void say(Str id);
  void sayText(const std::string& text);

  // Writes the closing banner and closes; later lines are dropped.
  void close();

 private:
  // Writes `text` with each LF as CR LF; errors are swallowed.
  void write(std::string_view text);

  Platform& platform_;
  LogSettings settings_;
  std::string programName_;
  std::unique_ptr<PlatformFile> file_;
};

// "%x %X" in the C locale: MM/DD/YY HH:MM:SS.
std::string formatLogTime(const LocalTime& time);

}  // namespace tessary
