// The hidden, system and archive bits of a simulated computer's files and
// folders, which a host file system cannot hold. They live in
// attributes.ini in the machine folder, one line per entry whose bits
// differ from the default (archive for files, none for folders):
//
//   ; comment
//   C:\nutemp=hidden
//   C:\WINDOWS\x.dll=hidden,system,archive
//   C:\data.txt=none
//
// The file is rewritten, sorted, after every change.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

class SimAttributes {
 public:
  static constexpr std::uint32_t kKeptBits = 0x02 | 0x04 | 0x20;  // hidden, system, archive

  // Reads `file`; a missing file holds nothing. False with "attributes.ini:
  // line N: ..." on a malformed line, `*this` unchanged then.
  bool load(const std::filesystem::path& file, std::string& error);

  // `path` is a Windows path as WindowsPath::text() gives it.
  std::uint32_t bits(const std::string& path, bool isDirectory) const;
  // Keeps the kKeptBits part of `bits` and rewrites the file.
  bool set(const std::string& path, bool isDirectory, std::uint32_t bits, std::string& error);
  // Drops the entries of `path` and everything below it.
  bool forget(const std::string& path, std::string& error);
  // Carries the entries of `from` and everything below it over to `to`.
  bool move(const std::string& from, const std::string& to, std::string& error);

 private:
  struct Entry {
    std::string path;
    std::uint32_t bits = 0;
  };
  bool save(std::string& error) const;
  // Entries at or below `path`, as upper-cased keys.
  std::vector<std::string> keysUnder(const std::string& path) const;

  std::filesystem::path file_;
  std::map<std::string, Entry> entries_;  // by upper-cased path
};

// "hidden,system" for the kept bits; "none" when none is set.
std::string attributeWords(std::uint32_t bits);

}  // namespace tessary
