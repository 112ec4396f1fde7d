// Free space of the simulated computer's drives. A drive with a row in
// [drives] has a fixed size and free bytes that writes consume and deletes
// give back; a drive folder without a row has no limit.
#pragma once

#include <cstdint>
#include <map>

namespace tessary {

class SimDriveSpace {
 public:
  void setDrive(char letter, std::uint64_t freeBytes, std::uint64_t totalBytes);

  bool limited(char letter) const { return drives_.count(upper(letter)) > 0; }
  // Bytes a file on the drive may still grow by (all of them when unlimited).
  std::uint64_t available(char letter) const;
  // False (both 0) for a drive without a row.
  bool query(char letter, std::uint64_t& freeBytes, std::uint64_t& totalBytes) const;

  // Bytes the drive's files grew (positive) or shrank (negative) by.
  void change(char letter, std::int64_t delta);

 private:
  struct Drive {
    std::uint64_t free = 0;
    std::uint64_t total = 0;
  };
  static char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

  std::map<char, Drive> drives_;
};

}  // namespace tessary
