// A computer with folders, files in memory, a clock and message boxes that
// are recorded instead of shown: enough for the run log and the start of a
// run. Paths are compared as written.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/MemoryFile.h"
#include "platform/NullPlatform.h"

namespace tessary::test {

// One open of a file: its own position over the bytes every open shares.
class OpenedFile final : public PlatformFile {
 public:
  explicit OpenedFile(std::shared_ptr<MemoryFile> file) : file_(std::move(file)) {}
  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
    place();
    WinError error = file_->read(buffer, count, done);
    position_ = file_->position();
    return error;
  }
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
    place();
    WinError error = file_->write(buffer, count, done);
    position_ = file_->position();
    return error;
  }
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override {
    place();
    WinError error = file_->seek(offset, origin, position);
    position_ = file_->position();
    return error;
  }
  WinError size(std::uint64_t& bytes) override { return file_->size(bytes); }
  WinError setEndOfFile() override {
    place();
    return file_->setEndOfFile();
  }

 private:
  void place() {
    std::uint64_t ignored = 0;
    file_->seek(static_cast<std::int64_t>(position_), SeekOrigin::Begin, ignored);
  }
  std::shared_ptr<MemoryFile> file_;
  std::uint64_t position_ = 0;
};

class LogPlatform : public NullPlatform {
 public:
  struct Box {
    std::string text;
    std::string caption;
    std::uint32_t style = 0;
  };

  std::set<std::string> folders = {"C:", "C:\\TEMP"};
  std::map<std::string, std::shared_ptr<MemoryFile>> files;
  std::set<std::string> lockedFiles;  // opens fail with a sharing violation
  std::set<std::string> runningImages;  // opens for writing fail with a sharing violation
  std::set<std::string> fixedFolders;  // cannot be created
  LocalTime clock{2026, 12, 4, 10, 4, 44, 28, 0};
  std::vector<Box> boxes;

  std::string text(const std::string& path) const {
    auto found = files.find(path);
    if (found == files.end()) return "<missing>";
    return std::string(found->second->bytes().begin(), found->second->bytes().end());
  }

  WinError openFile(const std::string& path, FileAccess access, unsigned, FileDisposition disposition,
                    std::unique_ptr<PlatformFile>& file) override {
    file.reset();
    if (lockedFiles.count(path)) return kErrorSharingViolation;
    if (runningImages.count(path) && access != FileAccess::Read) return kErrorSharingViolation;
    if (folders.count(path)) return kErrorAccessDenied;
    std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos || !folders.count(path.substr(0, slash))) return kErrorPathNotFound;
    auto found = files.find(path);
    bool exists = found != files.end();
    if (!exists && (disposition == FileDisposition::OpenExisting ||
                    disposition == FileDisposition::TruncateExisting))
      return kErrorFileNotFound;
    if (exists && disposition == FileDisposition::CreateNew) return kErrorFileExists;
    if (!exists) found = files.emplace(path, std::make_shared<MemoryFile>()).first;
    if (disposition == FileDisposition::CreateAlways || disposition == FileDisposition::TruncateExisting)
      found->second->bytes().clear();
    file = std::make_unique<OpenedFile>(found->second);
    return kErrorSuccess;
  }
  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override {
    if (folders.count(path)) {
      attributes = kAttrDirectory;
      return kErrorSuccess;
    }
    if (files.count(path)) {
      attributes = kAttrArchive;
      return kErrorSuccess;
    }
    return kErrorFileNotFound;
  }
  WinError createFolder(const std::string& path) override {
    if (folders.count(path) || files.count(path)) return kErrorAlreadyExists;
    std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos || !folders.count(path.substr(0, slash))) return kErrorPathNotFound;
    if (fixedFolders.count(path)) return kErrorAccessDenied;
    folders.insert(path);
    return kErrorSuccess;
  }
  LocalTime localTime() override { return clock; }
  int messageBox(const std::string& text, const std::string& caption, std::uint32_t style) override {
    boxes.push_back({text, caption, style});
    return kIdOk;
  }
};

}  // namespace tessary::test
