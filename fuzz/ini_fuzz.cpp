// Any bytes load as an INI document without fault, under both name rules.
// The document is well formed, its saved text reads back as the same
// document and saves to the same bytes, merging that text into it changes no
// key entry and only repeats the kept lines, and every key entry deletes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/NullPlatform.h"
#include "platform/MemoryFile.h"
#include "support/IniDocument.h"
#include "support/TextCompare.h"

namespace {

using namespace tessary;

constexpr std::size_t kMaxDeletes = 512;

class SharedFile final : public PlatformFile {
 public:
  explicit SharedFile(std::shared_ptr<MemoryFile> file) : file_(std::move(file)) {}
  WinError read(void* b, std::uint32_t n, std::uint32_t& d) override { return file_->read(b, n, d); }
  WinError write(const void* b, std::uint32_t n, std::uint32_t& d) override { return file_->write(b, n, d); }
  WinError seek(std::int64_t o, SeekOrigin f, std::uint64_t& p) override { return file_->seek(o, f, p); }
  WinError size(std::uint64_t& b) override { return file_->size(b); }
  WinError setEndOfFile() override { return file_->setEndOfFile(); }

 private:
  std::shared_ptr<MemoryFile> file_;
};

class FilesOnly final : public NullPlatform {
 public:
  std::map<std::string, std::shared_ptr<MemoryFile>> files;

  WinError openFile(const std::string& path, FileAccess, unsigned, FileDisposition disposition,
                    std::unique_ptr<PlatformFile>& file) override {
    auto& slot = files[path];
    if (!slot) {
      if (disposition == FileDisposition::OpenExisting) {
        files.erase(path);
        return kErrorFileNotFound;
      }
      slot = std::make_shared<MemoryFile>();
    } else if (disposition == FileDisposition::CreateAlways) {
      slot->bytes().clear();
    }
    std::uint64_t position = 0;
    slot->seek(0, SeekOrigin::Begin, position);
    file = std::make_unique<SharedFile>(slot);
    return kErrorSuccess;
  }

  std::string ownExecutablePath() override { return {}; }
  std::string rawCommandLine() override { return {}; }
  bool initializeComponentRuntime() override { return false; }
  void uninitializeComponentRuntime() override {}
  bool osVersion(OsVersion&) override { return false; }
  WinError setPrivilege(const std::string&, bool) override { return kErrorCallNotImplemented; }
};

void check(bool ok) {
  if (!ok) std::abort();
}

std::string fold(const std::string& name, bool caseSensitive) {
  std::string out = name;
  if (!caseSensitive)
    for (char& c : out) c = foldCase(c);
  return out;
}

void checkWellFormed(const IniDocument& document) {
  std::set<std::string> names;
  const auto& sections = document.sections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    check(!sections[i].name.empty() || i == 0);
    check(names.insert(fold(sections[i].name, document.caseSensitive())).second);
  }
}

std::vector<IniEntry> withKeys(const IniSection& section) {
  std::vector<IniEntry> out;
  for (const IniEntry& entry : section.entries)
    if (!entry.key.empty()) out.push_back(entry);
  return out;
}

void run(const std::string& input, bool caseSensitive) {
  FilesOnly platform;
  platform.files["in.ini"] = std::make_shared<MemoryFile>(std::vector<std::uint8_t>(input.begin(), input.end()));
  IniDocument document(platform, caseSensitive);
  IniResult loaded = document.load("in.ini", false);
  check(loaded == IniResult::Ok || (loaded == IniResult::CannotRead && input.empty()));
  checkWellFormed(document);
  const std::vector<IniSection> first = document.sections();

  check(document.save("out.ini") == IniResult::Ok);
  const std::vector<std::uint8_t> saved = platform.files["out.ini"]->bytes();
  IniResult reloaded = document.load("out.ini", false);
  check(reloaded == (saved.empty() ? IniResult::CannotRead : IniResult::Ok));
  check(document.sections() == first);
  check(document.save("again.ini") == IniResult::Ok);
  check(platform.files["again.ini"]->bytes() == saved);
  if (saved.empty()) return;

  check(document.load("out.ini", true) == IniResult::Ok);
  checkWellFormed(document);
  const auto& merged = document.sections();
  check(merged.size() == first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    check(merged[i].name == first[i].name);
    check(withKeys(merged[i]) == withKeys(first[i]));
    std::size_t kept = first[i].entries.size() - withKeys(first[i]).size();
    check(merged[i].entries.size() - withKeys(merged[i]).size() == 2 * kept);
  }

  // Each delete moves the later entries up, so huge sections are left out.
  for (std::size_t i = 0; i < first.size(); ++i) {
    std::vector<IniEntry> keyed = withKeys(first[i]);
    if (keyed.size() > kMaxDeletes) continue;
    for (const IniEntry& entry : keyed) check(document.deleteKey(first[i].name, entry.key) == IniResult::Ok);
    check(withKeys(document.sections()[i]).empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  run(input, false);
  run(input, true);
  return 0;
}
