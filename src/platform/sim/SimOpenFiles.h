// The files open on a simulated computer, with the access and sharing each
// opener asked for, so that a conflicting open is refused as Windows does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tessary {

// True when an open with `access`/`share` may join an existing one: each
// side's access must be allowed by the other side's sharing.
bool sharingAllows(FileAccess existingAccess, unsigned existingShare, FileAccess newAccess,
                   unsigned newShare);

class SimOpenFiles {
 public:
  // kErrorSharingViolation when an open of `key` conflicts, else kErrorSuccess.
  WinError check(const std::string& key, FileAccess access, unsigned share) const;
  // Records an open and returns its id for remove().
  std::uint64_t add(std::string key, FileAccess access, unsigned share);
  void remove(std::uint64_t id);

  // True when every opener of `key` lets others delete or rename it.
  bool allowsDelete(const std::string& key) const;

  std::size_t count() const { return entries_.size(); }
  std::size_t count(const std::string& key) const;
  // Opens of files below the folder `key`.
  std::size_t countBelow(const std::string& key) const;

 private:
  struct Entry {
    std::uint64_t id;
    std::string key;
    FileAccess access;
    unsigned share;
  };
  std::vector<Entry> entries_;
  std::uint64_t nextId_ = 1;
};

}  // namespace tessary
