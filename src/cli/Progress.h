// A progress bar on standard error, drawn only when it is a terminal and the
// work is large enough for one to help.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tessary::cli {

class Progress {
 public:
  // Work below this many bytes finishes too fast for a bar.
  static constexpr std::uint64_t kMinimumBytes = 4u << 20;

  Progress(std::string label, std::uint64_t totalBytes, std::FILE* terminal = stderr);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void advance(std::uint64_t bytes);
  // Clears the bar's line.
  void finish();
  bool shown() const { return shown_; }

 private:
  void draw();

  std::string label_;
  std::uint64_t total_;
  std::uint64_t done_ = 0;
  int drawnPercent_ = -1;
  std::FILE* terminal_;
  bool shown_;
};

}  // namespace tessary::cli
