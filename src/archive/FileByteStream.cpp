#include "archive/FileByteStream.h"

#include <algorithm>
#include <cstring>

namespace tessary {
namespace {
constexpr std::size_t kPiece = 65535;
}  // namespace

bool FileByteSource::fill() {
  buffer_.resize(kPiece);
  std::uint64_t at = 0;
  std::uint32_t got = 0;
  const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(kPiece, size_ - position_));
  if (file_.seek(static_cast<std::int64_t>(position_), SeekOrigin::Begin, at) != kErrorSuccess ||
      file_.read(buffer_.data(), want, got) != kErrorSuccess || got == 0) {
    buffer_.clear();
    return false;
  }
  buffer_.resize(got);
  bufferStart_ = position_;
  return true;
}

std::size_t FileByteSource::read(void* buffer, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count && position_ < size_) {
    const bool inBuffer = position_ >= bufferStart_ && position_ < bufferStart_ + buffer_.size();
    if (!inBuffer && !fill()) break;
    const auto offset = static_cast<std::size_t>(position_ - bufferStart_);
    const std::size_t n = std::min(count - done, buffer_.size() - offset);
    std::memcpy(out + done, buffer_.data() + offset, n);
    done += n;
    position_ += n;
  }
  return done;
}

bool FileByteSource::seek(std::uint64_t position) {
  if (position > size_) return false;
  position_ = position;
  return true;
}

bool FileByteSink::write(const void* buffer, std::size_t count) {
  const auto* in = static_cast<const std::uint8_t*>(buffer);
  pending_.insert(pending_.end(), in, in + count);
  return pending_.size() < kPiece || flush();
}

bool FileByteSink::flush() {
  std::size_t done = 0;
  while (ok_ && done < pending_.size()) {
    const auto piece = static_cast<std::uint32_t>(std::min(pending_.size() - done, kPiece));
    std::uint32_t wrote = 0;
    if (file_.write(pending_.data() + done, piece, wrote) != kErrorSuccess || wrote != piece) ok_ = false;
    done += piece;
  }
  pending_.clear();
  return ok_;
}

}  // namespace tessary
