// The file side of IniDocument: whole-file reads and writes through the
// platform.
#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "support/IniDocument.h"
#include "support/IniDocumentText.h"

namespace tessary {

namespace {

constexpr unsigned kShareReadWrite = kShareRead | kShareWrite;
constexpr std::uint32_t kChunk = 1u << 20;

// False when the file cannot be opened or read in full. Throws
// std::bad_alloc when it is too big to hold.
bool readWholeFile(Platform& platform, const std::string& path, std::string& text) {
  std::unique_ptr<PlatformFile> file;
  if (platform.openFile(path, FileAccess::Read, kShareReadWrite, FileDisposition::OpenExisting, file) !=
      kErrorSuccess)
    return false;
  std::uint64_t size = 0;
  if (file->size(size) != kErrorSuccess) return false;
  if (size > text.max_size()) throw std::bad_alloc();
  text.resize(static_cast<std::size_t>(size));
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t want = static_cast<std::uint32_t>(std::min<std::size_t>(kChunk, text.size() - at));
    std::uint32_t done = 0;
    if (file->read(text.data() + at, want, done) != kErrorSuccess || done == 0) return false;
    at += done;
  }
  return true;
}

bool writeWholeFile(Platform& platform, const std::string& path, const std::string& text) {
  std::unique_ptr<PlatformFile> file;
  if (platform.openFile(path, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file) != kErrorSuccess)
    return false;
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t want = static_cast<std::uint32_t>(std::min<std::size_t>(kChunk, text.size() - at));
    std::uint32_t done = 0;
    if (file->write(text.data() + at, want, done) != kErrorSuccess || done != want) return false;
    at += done;
  }
  return true;
}

// Errors that say the file is there though it cannot be opened now.
bool isPresentButLocked(WinError error) {
  return error == kErrorSharingViolation || error == kErrorLockViolation || error == kErrorAccessDenied;
}

}  // namespace

IniResult IniDocument::load(const std::string& fileName, bool merge) {
  try {
    if (!merge) {
      sections_.clear();
      fileName_ = fileName;
    }
    std::string text;
    if (!readWholeFile(*platform_, fileName, text) || text.empty()) return IniResult::CannotRead;
    if (!merge) return ini::readText(text, false, caseSensitive_, sections_);
    // Into a copy, so that running out of memory half-way loses nothing.
    std::vector<IniSection> merged = sections_;
    IniResult result = ini::readText(text, true, caseSensitive_, merged);
    if (fileName_.empty()) fileName_ = fileName;
    sections_.swap(merged);
    return result;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  if (!merge) sections_.clear();
  return IniResult::OutOfMemory;
}

IniResult IniDocument::createFile(const std::string& fileName, bool overwrite) {
  std::unique_ptr<PlatformFile> file;
  if (!overwrite) {
    // A file that is there but locked must not be taken for a missing one:
    // creating would empty it.
    WinError error = platform_->openFile(fileName, FileAccess::Read, kShareReadWrite,
                                         FileDisposition::OpenExisting, file);
    if (error == kErrorSuccess || isPresentButLocked(error)) return IniResult::FileExists;
  }
  if (platform_->openFile(fileName, FileAccess::ReadWrite, kShareReadWrite, FileDisposition::CreateAlways, file) !=
      kErrorSuccess)
    return IniResult::CannotWrite;
  file.reset();
  try {
    fileName_ = fileName;
  } catch (const std::bad_alloc&) {
    return IniResult::OutOfMemory;
  }
  sections_.clear();
  return IniResult::Ok;
}

IniResult IniDocument::save(const std::string& fileName) {
  const std::string& target = fileName.empty() ? fileName_ : fileName;
  if (target.empty()) return IniResult::NoFileName;
  std::string text;
  try {
    if (!ini::writeText(sections_, text)) return IniResult::NotText;
  } catch (const std::bad_alloc&) {
    return IniResult::OutOfMemory;
  } catch (const std::length_error&) {
    return IniResult::OutOfMemory;
  }
  return writeWholeFile(*platform_, target, text) ? IniResult::Ok : IniResult::CannotWrite;
}

}  // namespace tessary
