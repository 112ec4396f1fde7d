#include "platform/win32/Win32File.h"

namespace tessary {

Win32File::~Win32File() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

WinError Win32File::read(void* buffer, std::uint32_t count, std::uint32_t& done) {
  DWORD got = 0;
  done = 0;
  if (!ReadFile(handle_, buffer, count, &got, nullptr)) return GetLastError();
  done = got;
  return kErrorSuccess;
}

WinError Win32File::write(const void* buffer, std::uint32_t count, std::uint32_t& done) {
  DWORD put = 0;
  done = 0;
  BOOL ok = WriteFile(handle_, buffer, count, &put, nullptr);
  done = put;
  return ok ? kErrorSuccess : GetLastError();
}

WinError Win32File::seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) {
  // The two-word SetFilePointer form: SetFilePointerEx is missing on the 95 family.
  LONG high = static_cast<LONG>(offset >> 32);
  DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN
                 : origin == SeekOrigin::Current ? FILE_CURRENT
                                                 : FILE_END;
  SetLastError(NO_ERROR);
  DWORD low = SetFilePointer(handle_, static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
  if (low == INVALID_SET_FILE_POINTER) {
    DWORD error = GetLastError();
    if (error != NO_ERROR) return error;
  }
  position = (static_cast<std::uint64_t>(static_cast<DWORD>(high)) << 32) | low;
  return kErrorSuccess;
}

WinError Win32File::size(std::uint64_t& bytes) {
  DWORD high = 0;
  SetLastError(NO_ERROR);
  DWORD low = GetFileSize(handle_, &high);
  if (low == INVALID_FILE_SIZE) {
    DWORD error = GetLastError();
    if (error != NO_ERROR) return error;
  }
  bytes = (static_cast<std::uint64_t>(high) << 32) | low;
  return kErrorSuccess;
}

WinError Win32File::setEndOfFile() {
  return SetEndOfFile(handle_) ? kErrorSuccess : GetLastError();
}

}  // namespace tessary
