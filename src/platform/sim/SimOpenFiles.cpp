#include "platform/sim/SimOpenFiles.h"

#include <algorithm>

namespace tessary {

namespace {
bool reads(FileAccess access) { return access != FileAccess::Write; }
bool writes(FileAccess access) { return access != FileAccess::Read; }
}  // namespace

bool sharingAllows(FileAccess existingAccess, unsigned existingShare, FileAccess newAccess,
                   unsigned newShare) {
  if (reads(newAccess) && !(existingShare & kShareRead)) return false;
  if (writes(newAccess) && !(existingShare & kShareWrite)) return false;
  if (reads(existingAccess) && !(newShare & kShareRead)) return false;
  if (writes(existingAccess) && !(newShare & kShareWrite)) return false;
  return true;
}

WinError SimOpenFiles::check(const std::string& key, FileAccess access, unsigned share) const {
  for (const Entry& entry : entries_) {
    if (entry.key == key && !sharingAllows(entry.access, entry.share, access, share))
      return kErrorSharingViolation;
  }
  return kErrorSuccess;
}

std::uint64_t SimOpenFiles::add(std::string key, FileAccess access, unsigned share) {
  entries_.push_back(Entry{nextId_, std::move(key), access, share});
  return nextId_++;
}

void SimOpenFiles::remove(std::uint64_t id) {
  std::erase_if(entries_, [id](const Entry& entry) { return entry.id == id; });
}

bool SimOpenFiles::allowsDelete(const std::string& key) const {
  return std::all_of(entries_.begin(), entries_.end(),
                     [&](const Entry& e) { return e.key != key || (e.share & kShareDelete); });
}

std::size_t SimOpenFiles::count(const std::string& key) const {
  return static_cast<std::size_t>(
      std::count_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; }));
}

std::size_t SimOpenFiles::countBelow(const std::string& key) const {
  std::string prefix = key + '/';
  return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return e.key.compare(0, prefix.size(), prefix) == 0;
  }));
}

}  // namespace tessary
