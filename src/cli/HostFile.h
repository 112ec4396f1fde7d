// Files of the packager's own machine behind the PlatformFile interface, so
// that the archive and codec code can read and write them directly.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace tessary::cli {

class HostFile final : public PlatformFile {
 public:
  // Opens an existing file for reading. Null with `error` set on failure.
  static std::unique_ptr<HostFile> openRead(const std::filesystem::path& path, std::string& error);
  // Opens a file for reading and writing, creating it (or cutting it to
  // nothing) when `truncate`. Null with `error` set on failure.
  static std::unique_ptr<HostFile> openWrite(const std::filesystem::path& path, bool truncate,
                                             std::string& error);
  ~HostFile() override;
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override;
  WinError size(std::uint64_t& bytes) override;
  WinError setEndOfFile() override;

 private:
  explicit HostFile(int descriptor) : fd_(descriptor) {}
  int fd_;
};

// Reads a whole host file. False with `error` set when it cannot.
bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error);

// Writes a whole host file (created or replaced). False with `error` set.
bool replaceWholeFile(const std::filesystem::path& path, const std::string& bytes, std::string& error);

}  // namespace tessary::cli
