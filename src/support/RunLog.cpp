#include "support/RunLog.h"

#include "support/FillFields.h"

namespace tessary {

namespace {

constexpr std::int32_t kVerboseLevel = 4;

void appendTwoDigits(std::string& out, unsigned value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::string formatLogTime(const LocalTime& time) {
  std::string out;
  appendTwoDigits(out, time.month);
  out += '/';
  appendTwoDigits(out, time.day);
  out += '/';
  appendTwoDigits(out, time.year % 100);
  out += ' ';
  appendTwoDigits(out, time.hour);
  out += ':';
  appendTwoDigits(out, time.minute);
  out += ':';
  appendTwoDigits(out, time.second);
  return out;
}

RunLog::~RunLog() { close(); }

bool RunLog::open(const std::string& path) {
  close();
  std::unique_ptr<PlatformFile> file;
  if (platform_.openFile(path, FileAccess::Write, kShareRead, FileDisposition::OpenAlways, file) !=
      kErrorSuccess)
    return false;
  std::uint64_t end = 0;
  if (file->seek(0, SeekOrigin::End, end) != kErrorSuccess) return false;
  file_ = std::move(file);
  write(fillFields(text(Str::kLogHeader), {formatLogTime(platform_.localTime()), programName_}));
  if (settings_.simulate) write(text(Str::kLogSimulationBanner));
  return true;
}

void RunLog::write(std::string_view text) {
  if (!file_) return;
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16 + 2);
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  std::uint32_t done = 0;
  file_->write(bytes.data(), static_cast<std::uint32_t>(bytes.size()), done);
}

void RunLog::logLine(std::string_view line) {
  if (!file_) return;
  std::string withEnd(line);
  withEnd += '\n';
  write(withEnd);
}

void RunLog::verboseLine(std::string_view line) {
  if (settings_.level >= kVerboseLevel || settings_.debug) logLine(line);
}

void RunLog::leveledLine(std::string_view line, std::int32_t level) {
  if (settings_.level >= level) logLine(line);
}

void RunLog::say(Str id) { sayText(text(id)); }

void RunLog::sayText(const std::string& message) {
  if (settings_.quiet || settings_.simulate) {
    logLine(message);
    return;
  }
  platform_.messageBox(message, programName_, kMbOk | kMbIconInformation);
}

void RunLog::close() {
  if (!file_) return;
  write(fillFields(text(Str::kLogClosingBanner), {formatLogTime(platform_.localTime())}));
  file_.reset();
}

}  // namespace tessary
