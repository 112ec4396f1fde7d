#include "platform/sim/SimFile.h"

#include <system_error>

namespace tessary {

SimFile::SimFile(std::shared_ptr<SimState> state, std::uint64_t id, std::string windowsPath,
                 std::filesystem::path host, std::fstream stream, FileAccess access)
    : state_(std::move(state)),
      id_(id),
      windowsPath_(std::move(windowsPath)),
      host_(std::move(host)),
      stream_(std::move(stream)),
      access_(access) {}

SimFile::~SimFile() {
  stream_.close();
  state_->openFiles.remove(id_);
  state_->journal.push_back("close " + windowsPath_);
}

bool SimFile::hostSize(std::uint64_t& bytes) {
  stream_.clear();
  stream_.seekg(0, std::ios::end);
  std::streamoff end = stream_.tellg();
  stream_.clear();
  if (end < 0) return false;
  bytes = static_cast<std::uint64_t>(end);
  return true;
}

// Through the file system, not the stream, which cannot cut a file; the
// stream's buffers are flushed first and dropped by the next seek.
bool SimFile::resizeHost(std::uint64_t bytes) {
  stream_.flush();
  stream_.clear();
  std::error_code ec;
  std::filesystem::resize_file(host_, bytes, ec);
  return !ec;
}

WinError SimFile::read(void* buffer, std::uint32_t count, std::uint32_t& done) {
  done = 0;
  if (access_ == FileAccess::Write) return kErrorAccessDenied;
  std::uint64_t end = 0;
  if (!hostSize(end)) return kErrorReadFault;
  if (position_ >= end || count == 0) return kErrorSuccess;
  stream_.seekg(static_cast<std::streamoff>(position_));
  stream_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
  std::streamsize got = stream_.gcount();
  stream_.clear();
  if (got < 0) return kErrorReadFault;
  done = static_cast<std::uint32_t>(got);
  position_ += done;
  return kErrorSuccess;
}

WinError SimFile::write(const void* buffer, std::uint32_t count, std::uint32_t& done) {
  done = 0;
  if (access_ == FileAccess::Read) return kErrorAccessDenied;
  if (position_ + count > kMaxSize) return kErrorDiskFull;
  std::uint64_t end = 0;
  if (!hostSize(end)) return kErrorWriteFault;
  // What fits: the file may end no later than its end plus the free bytes.
  std::uint64_t available = state_->space.available(drive());
  std::uint64_t limit = available > kMaxSize ? kMaxSize : end + available;
  std::uint32_t fits = count;
  if (position_ + count > limit) fits = position_ >= limit ? 0 : static_cast<std::uint32_t>(limit - position_);
  bool full = fits < count;
  if (full && fits == 0) return kErrorDiskFull;
  if (position_ > end) {
    if (!resizeHost(position_)) return kErrorWriteFault;
    state_->space.change(drive(), static_cast<std::int64_t>(position_ - end));
    end = position_;
  }
  if (fits == 0) return kErrorSuccess;
  stream_.seekp(static_cast<std::streamoff>(position_));
  stream_.write(static_cast<const char*>(buffer), static_cast<std::streamsize>(fits));
  // Flushed at once: other openers of the same file see the bytes, as on Windows.
  stream_.flush();
  bool ok = static_cast<bool>(stream_);
  stream_.clear();
  if (!ok) return kErrorWriteFault;
  if (position_ + fits > end) state_->space.change(drive(), static_cast<std::int64_t>(position_ + fits - end));
  done = fits;
  position_ += fits;
  return full ? kErrorDiskFull : kErrorSuccess;
}

WinError SimFile::seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) {
  std::int64_t from = 0;
  switch (origin) {
    case SeekOrigin::Begin: break;
    case SeekOrigin::Current: from = static_cast<std::int64_t>(position_); break;
    case SeekOrigin::End: {
      std::uint64_t end = 0;
      if (!hostSize(end)) return kErrorReadFault;
      from = static_cast<std::int64_t>(end);
      break;
    }
    default: return kErrorInvalidParameter;
  }
  std::int64_t target = 0;
  if (__builtin_add_overflow(from, offset, &target)) {
    position = position_;
    return kErrorInvalidParameter;
  }
  if (target < 0) {
    position = position_;
    return kErrorNegativeSeek;
  }
  position_ = static_cast<std::uint64_t>(target);
  position = position_;
  return kErrorSuccess;
}

WinError SimFile::size(std::uint64_t& bytes) {
  bytes = 0;
  return hostSize(bytes) ? kErrorSuccess : kErrorReadFault;
}

WinError SimFile::setEndOfFile() {
  if (access_ == FileAccess::Read) return kErrorAccessDenied;
  if (position_ > kMaxSize) return kErrorDiskFull;
  std::uint64_t end = 0;
  if (!hostSize(end)) return kErrorWriteFault;
  if (position_ > end && position_ - end > state_->space.available(drive())) return kErrorDiskFull;
  if (!resizeHost(position_)) return kErrorWriteFault;
  state_->space.change(drive(), static_cast<std::int64_t>(position_) - static_cast<std::int64_t>(end));
  return kErrorSuccess;
}

}  // namespace tessary
