// A file held in memory: what the fuzzers and unit tests open archives on.
// Faults can be injected to drive the failure paths of callers.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Platform.h"

namespace tessary {

class MemoryFile final : public PlatformFile {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override;
  WinError size(std::uint64_t& bytes) override;
  WinError setEndOfFile() override;

  std::vector<std::uint8_t>& bytes() { return bytes_; }
  std::uint64_t position() const { return position_; }

  // Read-only files refuse writes and size changes with kErrorAccessDenied.
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
  // After `writes` more successful write calls, every write fails with
  // kErrorWriteFault. A negative number never fails.
  void failWritesAfter(int writes) { writesLeft_ = writes; }
  // Counts the write and setEndOfFile calls made so far.
  int writeCalls() const { return writeCalls_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t position_ = 0;
  bool readOnly_ = false;
  int writesLeft_ = -1;
  int writeCalls_ = 0;
};

}  // namespace tessary
