// A file handle of the real system, owned and closed by this object.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace tessary {

class Win32File final : public PlatformFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override;
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override;
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override;
  WinError size(std::uint64_t& bytes) override;
  WinError setEndOfFile() override;

 private:
  HANDLE handle_;
};

}  // namespace tessary
