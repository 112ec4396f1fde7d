// A computer whose disk is held in memory: folders, files that every open
// shares with a position of its own, read-only files (like the running
// executable), opens for reading that refuse writes, and a fixed clock.
// Paths are compared without regard to letter case.
#pragma once

#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/MemoryFile.h"
#include "platform/NullPlatform.h"

namespace tessary::test {

class DiskFile final : public PlatformFile {
 public:
  DiskFile(std::shared_ptr<MemoryFile> file, bool writable) : file_(std::move(file)), writable_(writable) {}
  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
    place();
    WinError error = file_->read(buffer, count, done);
    position_ = file_->position();
    return error;
  }
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
    done = 0;
    if (!writable_) return kErrorAccessDenied;
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
    if (!writable_) return kErrorAccessDenied;
    place();
    return file_->setEndOfFile();
  }

 private:
  void place() {
    std::uint64_t ignored = 0;
    file_->seek(static_cast<std::int64_t>(position_), SeekOrigin::Begin, ignored);
  }
  std::shared_ptr<MemoryFile> file_;
  bool writable_;
  std::uint64_t position_ = 0;
};

class MemoryDisk : public NullPlatform {
 public:
  using Bytes = std::vector<std::uint8_t>;

  std::string tempPath = "C:\\TEMP\\";
  LocalTime clock{2026, 12, 4, 10, 4, 44, 28, 0};

  MemoryDisk() {
    addFolder("C:");
    addFolder("C:\\TEMP");
    addFolder("C:\\PKG");
  }

  void addFolder(const std::string& path) { folders_.insert(key(path)); }
  bool hasFolder(const std::string& path) const { return folders_.count(key(path)) != 0; }
  // Opens for writing fail with 5 from now on, as for a running program.
  void setReadOnly(const std::string& path) { readOnly_.insert(key(path)); }

  MemoryFile& put(const std::string& path, Bytes bytes) {
    auto& file = files_[key(path)];
    file = std::make_shared<MemoryFile>(std::move(bytes));
    return *file;
  }
  bool exists(const std::string& path) const { return files_.count(key(path)) != 0; }
  // The file's bytes; an empty vector when it is missing.
  Bytes& bytes(const std::string& path) {
    static Bytes none;
    auto found = files_.find(key(path));
    if (found == files_.end()) return none = {};
    return found->second->bytes();
  }
  std::string text(const std::string& path) {
    const Bytes& b = bytes(path);
    return std::string(b.begin(), b.end());
  }
  // Paths of the files directly in `folder`, as stored (lower case).
  std::vector<std::string> filesIn(const std::string& folder) const {
    std::vector<std::string> found;
    const std::string prefix = key(folder) + "\\";
    for (const auto& [path, file] : files_) {
      if (path.rfind(prefix, 0) == 0 && path.find('\\', prefix.size()) == std::string::npos) found.push_back(path);
    }
    return found;
  }

  WinError openFile(const std::string& path, FileAccess access, unsigned, FileDisposition disposition,
                    std::unique_ptr<PlatformFile>& file) override {
    file.reset();
    const std::string k = key(path);
    const bool writing = access != FileAccess::Read;
    if (folders_.count(k)) return kErrorAccessDenied;
    if (writing && readOnly_.count(k)) return kErrorAccessDenied;
    if (!folders_.count(parent(k))) return kErrorPathNotFound;
    auto found = files_.find(k);
    const bool exists = found != files_.end();
    if (!exists && (disposition == FileDisposition::OpenExisting || disposition == FileDisposition::TruncateExisting))
      return kErrorFileNotFound;
    if (exists && disposition == FileDisposition::CreateNew) return kErrorFileExists;
    if (!exists) found = files_.emplace(k, std::make_shared<MemoryFile>()).first;
    if (disposition == FileDisposition::CreateAlways || disposition == FileDisposition::TruncateExisting)
      found->second->bytes().clear();
    file = std::make_unique<DiskFile>(found->second, writing);
    return kErrorSuccess;
  }
  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override {
    if (folders_.count(key(path))) {
      attributes = kAttrDirectory;
      return kErrorSuccess;
    }
    if (files_.count(key(path))) {
      attributes = kAttrArchive;
      return kErrorSuccess;
    }
    return kErrorFileNotFound;
  }
  WinError createFolder(const std::string& path) override {
    const std::string k = key(path);
    if (folders_.count(k) || files_.count(k)) return kErrorAlreadyExists;
    if (!folders_.count(parent(k))) return kErrorPathNotFound;
    folders_.insert(k);
    return kErrorSuccess;
  }
  WinError deleteFile(const std::string& path) override {
    const std::string k = key(path);
    if (readOnly_.count(k)) return kErrorAccessDenied;
    return files_.erase(k) ? kErrorSuccess : kErrorFileNotFound;
  }
  std::string temporaryPath() override { return tempPath; }
  std::string windowsFolder() override { return "C:\\WINNT"; }
  std::string ownExecutablePath() override { return "C:\\PKG\\Setup.exe"; }
  LocalTime localTime() override { return clock; }

 private:
  static std::string key(const std::string& path) {
    std::string k;
    for (char c : path) k += c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    while (k.size() > 2 && k.back() == '\\') k.pop_back();
    return k;
  }
  static std::string parent(const std::string& k) {
    const std::size_t slash = k.rfind('\\');
    return slash == std::string::npos ? std::string() : k.substr(0, slash);
  }

  std::set<std::string> folders_;
  std::set<std::string> readOnly_;
  std::map<std::string, std::shared_ptr<MemoryFile>> files_;
};

}  // namespace tessary::test
