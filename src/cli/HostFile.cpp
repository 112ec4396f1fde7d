#include "cli/HostFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tessary::cli {
namespace {

WinError fromErrno(int number) {
  switch (number) {
    case ENOENT: return kErrorFileNotFound;
    case EACCES:
    case EPERM: return kErrorAccessDenied;
    case ENOSPC: return kErrorDiskFull;
    case EINVAL: return kErrorInvalidParameter;
    default: return kErrorWriteFault;
  }
}

std::string describe(const std::filesystem::path& path, int number) {
  return path.string() + ": " + std::strerror(number);
}

}  // namespace

std::unique_ptr<HostFile> HostFile::openRead(const std::filesystem::path& path, std::string& error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = describe(path, errno);
    return nullptr;
  }
  struct stat status {};
  if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
    ::close(fd);
    error = path.string() + ": is a folder";
    return nullptr;
  }
  return std::unique_ptr<HostFile>(new HostFile(fd));
}

std::unique_ptr<HostFile> HostFile::openWrite(const std::filesystem::path& path, bool truncate,
                                              std::string& error) {
  int flags = O_RDWR | O_CLOEXEC | (truncate ? O_CREAT | O_TRUNC : 0);
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    error = describe(path, errno);
    return nullptr;
  }
  return std::unique_ptr<HostFile>(new HostFile(fd));
}

HostFile::~HostFile() { ::close(fd_); }

WinError HostFile::read(void* buffer, std::uint32_t count, std::uint32_t& done) {
  done = 0;
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  while (done < count) {
    ssize_t got = ::read(fd_, bytes + done, count - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::lseek(fd_, -static_cast<off_t>(done), SEEK_CUR);
      done = 0;
      return kErrorReadFault;
    }
    if (got == 0) break;
    done += static_cast<std::uint32_t>(got);
  }
  return kErrorSuccess;
}

WinError HostFile::write(const void* buffer, std::uint32_t count, std::uint32_t& done) {
  done = 0;
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  while (done < count) {
    ssize_t put = ::write(fd_, bytes + done, count - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return fromErrno(errno);
    }
    done += static_cast<std::uint32_t>(put);
  }
  return kErrorSuccess;
}

WinError HostFile::seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) {
  int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
  off_t current = ::lseek(fd_, 0, SEEK_CUR);
  off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? current : ::lseek(fd_, 0, SEEK_END);
  if (base + offset < 0) {
    ::lseek(fd_, current, SEEK_SET);
    return kErrorNegativeSeek;
  }
  off_t result = ::lseek(fd_, base + offset, SEEK_SET);
  if (result < 0) return fromErrno(errno);
  position = static_cast<std::uint64_t>(result);
  return kErrorSuccess;
}

WinError HostFile::size(std::uint64_t& bytes) {
  struct stat status {};
  if (::fstat(fd_, &status) != 0) return fromErrno(errno);
  bytes = static_cast<std::uint64_t>(status.st_size);
  return kErrorSuccess;
}

WinError HostFile::setEndOfFile() {
  off_t at = ::lseek(fd_, 0, SEEK_CUR);
  if (at < 0 || ::ftruncate(fd_, at) != 0) return fromErrno(errno);
  return kErrorSuccess;
}

bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = describe(path, errno);
    return false;
  }
  std::ostringstream out;
  out << in.rdbuf();
  if (in.bad()) {
    error = path.string() + ": read failed";
    return false;
  }
  bytes = out.str();
  return true;
}

bool replaceWholeFile(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = describe(path, errno);
    return false;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = path.string() + ": write failed";
    return false;
  }
  return true;
}

}  // namespace tessary::cli
