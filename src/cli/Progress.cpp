#include "cli/Progress.h"

#include <unistd.h>

#include <algorithm>

namespace tessary::cli {

Progress::Progress(std::string label, std::uint64_t totalBytes, std::FILE* terminal)
    : label_(std::move(label)), total_(totalBytes), terminal_(terminal),
      shown_(totalBytes >= kMinimumBytes && terminal && ::isatty(::fileno(terminal))) {}

Progress::~Progress() { finish(); }

void Progress::advance(std::uint64_t bytes) {
  done_ = std::min(total_, done_ + bytes);
  if (shown_) draw();
}

void Progress::draw() {
  constexpr int kWidth = 40;
  int percent = total_ == 0 ? 100 : static_cast<int>(done_ * 100 / total_);
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  int filled = percent * kWidth / 100;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), ' ');
  std::fprintf(terminal_, "\r%s [%s] %3d%% %llu/%llu MB", label_.c_str(), bar.c_str(), percent,
               static_cast<unsigned long long>(done_ >> 20), static_cast<unsigned long long>(total_ >> 20));
  std::fflush(terminal_);
}

void Progress::finish() {
  if (!shown_) return;
  std::fprintf(terminal_, "\r\033[K");
  std::fflush(terminal_);
  shown_ = false;
}

}  // namespace tessary::cli
