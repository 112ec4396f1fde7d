// Find-first/find-next searches.
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

FoundFile foundFileOf(const WIN32_FIND_DATAA& data) {
  FoundFile file;
  file.name = boundedText(data.cFileName);
  file.shortName = boundedText(data.cAlternateFileName);
  file.attributes = data.dwFileAttributes;
  file.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  file.lastWrite = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                   data.ftLastWriteTime.dwLowDateTime;
  return file;
}

}  // namespace

WinError Win32Platform::findFiles(const std::string& pattern, std::vector<FoundFile>& found) {
  found.clear();
  WIN32_FIND_DATAA data{};
  FindHandle search(FindFirstFileA(pattern.c_str(), &data));
  if (search.get() == INVALID_HANDLE_VALUE) {
    const WinError error = lastFailure();
    // Some systems say "no more files" for a search that matched nothing.
    return error == ERROR_NO_MORE_FILES ? kErrorFileNotFound : error;
  }
  do {
    found.push_back(foundFileOf(data));
  } while (FindNextFileA(search.get(), &data));
  const WinError error = lastFailure();
  if (error == ERROR_NO_MORE_FILES) return kErrorSuccess;
  found.clear();
  return error;
}

}  // namespace tessary
