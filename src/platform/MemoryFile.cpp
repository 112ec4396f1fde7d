#include "platform/MemoryFile.h"

#include <algorithm>
#include <cstring>

namespace tessary {

namespace {
// Files larger than this are refused, so a hostile seek cannot make us
// allocate the address space away.
constexpr std::uint64_t kMaxMemoryFile = 1ull << 31;
}  // namespace

WinError MemoryFile::read(void* buffer, std::uint32_t count, std::uint32_t& done) {
  done = 0;
  if (position_ >= bytes_.size()) return kErrorSuccess;
  std::uint64_t available = bytes_.size() - position_;
  done = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, available));
  if (done) std::memcpy(buffer, bytes_.data() + position_, done);
  position_ += done;
  return kErrorSuccess;
}

WinError MemoryFile::write(const void* buffer, std::uint32_t count, std::uint32_t& done) {
  done = 0;
  ++writeCalls_;
  if (readOnly_) return kErrorAccessDenied;
  if (writesLeft_ == 0) return kErrorWriteFault;
  if (position_ + count > kMaxMemoryFile) return kErrorDiskFull;
  if (writesLeft_ > 0) --writesLeft_;
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  if (count) std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  done = count;
  return kErrorSuccess;
}

WinError MemoryFile::seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) {
  std::int64_t from = 0;
  switch (origin) {
    case SeekOrigin::Begin: from = 0; break;
    case SeekOrigin::Current: from = static_cast<std::int64_t>(position_); break;
    case SeekOrigin::End: from = static_cast<std::int64_t>(bytes_.size()); break;
    default: return kErrorInvalidParameter;
  }
  std::int64_t target = from + offset;
  if (target < 0) {
    position = position_;
    return kErrorNegativeSeek;
  }
  position_ = static_cast<std::uint64_t>(target);
  position = position_;
  return kErrorSuccess;
}

WinError MemoryFile::size(std::uint64_t& bytes) {
  bytes = bytes_.size();
  return kErrorSuccess;
}

WinError MemoryFile::setEndOfFile() {
  ++writeCalls_;
  if (readOnly_) return kErrorAccessDenied;
  if (writesLeft_ == 0) return kErrorWriteFault;
  if (position_ > kMaxMemoryFile) return kErrorDiskFull;
  bytes_.resize(position_);
  return kErrorSuccess;
}

}  // namespace tessary
