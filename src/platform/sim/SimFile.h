// An open file of the simulated computer: a host file behind the
// PlatformFile interface, registered in its computer's open-file table
// until it is destroyed. Growth is charged to its drive's free space; a
// write that does not fit writes what fits and answers kErrorDiskFull.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/sim/SimState.h"

namespace tessary {

class SimFile final : public PlatformFile {
 public:
  // Files are refused growth beyond what the 32-bit systems' file systems hold.
  static constexpr std::uint64_t kMaxSize = 0xFFFFFFFFull;

  // `stream` is open on `host`; `id` is the file's entry in `state`'s table.
  SimFile(std::shared_ptr<SimState> state, std::uint64_t id, std::string windowsPath,
          std::filesystem::path host, std::fstream stream, FileAccess access);
  ~SimFile() override;

  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override;
  WinError size(std::uint64_t& bytes) override;
  WinError setEndOfFile() override;

 private:
  bool hostSize(std::uint64_t& bytes);
  bool resizeHost(std::uint64_t bytes);
  char drive() const { return windowsPath_.empty() ? 0 : windowsPath_[0]; }

  std::shared_ptr<SimState> state_;
  std::uint64_t id_;
  std::string windowsPath_;
  std::filesystem::path host_;
  std::fstream stream_;
  FileAccess access_;
  std::uint64_t position_ = 0;
};

}  // namespace tessary
