// A platform whose files are byte strings in a map, for tests of code that
// reads and writes whole files. Only opening files is supported.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/NullPlatform.h"
#include "platform/MemoryFile.h"
#include "platform/Platform.h"

namespace tessary::test {

// One open of a file held by the platform; every open shares the bytes.
class SharedMemoryFile final : public PlatformFile {
 public:
  explicit SharedMemoryFile(std::shared_ptr<MemoryFile> file) : file_(std::move(file)) {}
  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
    return file_->read(buffer, count, done);
  }
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
    return file_->write(buffer, count, done);
  }
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override {
    return file_->seek(offset, origin, position);
  }
  WinError size(std::uint64_t& bytes) override { return file_->size(bytes); }
  WinError setEndOfFile() override { return file_->setEndOfFile(); }

 private:
  std::shared_ptr<MemoryFile> file_;
};

class MemoryPlatform final : public NullPlatform {
 public:
  std::map<std::string, std::shared_ptr<MemoryFile>> files;
  // Every open of such a path fails with the error given.
  std::map<std::string, WinError> openErrors;

  MemoryFile& put(const std::string& path, std::string_view text) {
    auto& file = files[path];
    file = std::make_shared<MemoryFile>(std::vector<std::uint8_t>(text.begin(), text.end()));
    return *file;
  }

  bool exists(const std::string& path) const { return files.count(path) != 0; }

  std::string text(const std::string& path) const {
    auto found = files.find(path);
    if (found == files.end()) return "<missing>";
    const auto& bytes = found->second->bytes();
    return std::string(bytes.begin(), bytes.end());
  }

  WinError openFile(const std::string& path, FileAccess, unsigned, FileDisposition disposition,
                    std::unique_ptr<PlatformFile>& file) override {
    file.reset();
    if (auto error = openErrors.find(path); error != openErrors.end()) return error->second;
    auto found = files.find(path);
    switch (disposition) {
      case FileDisposition::OpenExisting:
        if (found == files.end()) return kErrorFileNotFound;
        break;
      case FileDisposition::CreateAlways:
        if (found == files.end())
          found = files.emplace(path, std::make_shared<MemoryFile>()).first;
        else
          found->second->bytes().clear();
        break;
      default: return kErrorNotSupported;
    }
    std::uint64_t position = 0;
    found->second->seek(0, SeekOrigin::Begin, position);
    file = std::make_unique<SharedMemoryFile>(found->second);
    return kErrorSuccess;
  }

  std::string ownExecutablePath() override { return "C:\\install.exe"; }
  std::string rawCommandLine() override { return "install.exe"; }
  bool initializeComponentRuntime() override { return false; }
  void uninitializeComponentRuntime() override {}
  bool osVersion(OsVersion&) override { return false; }
  WinError setPrivilege(const std::string&, bool) override { return kErrorCallNotImplemented; }
};

}  // namespace tessary::test
