#include "archive/index/ByteStream.h"

#include <algorithm>
#include <cstring>

namespace tessary {

std::size_t MemorySource::read(void* buffer, std::size_t count) {
  std::size_t n = std::min(count, bytes_.size() - position_);
  if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

bool MemorySource::seek(std::uint64_t position) {
  if (position > bytes_.size()) return false;
  position_ = static_cast<std::size_t>(position);
  return true;
}

bool MemorySink::write(const void* buffer, std::size_t count) {
  std::size_t room = limit_ - std::min(limit_, bytes_.size());
  std::size_t n = std::min(count, room);
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  bytes_.insert(bytes_.end(), p, p + n);
  return n == count;
}

}  // namespace tessary
