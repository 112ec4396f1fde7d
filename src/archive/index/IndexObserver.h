// What the index object tells the rest of the program while it reads or
// writes: its diagnostic lines, meant for the computer information log, and
// a beat before each tree node so that windows can stay responsive during a
// long load.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

class IndexObserver {
 public:
  virtual ~IndexObserver() = default;
  // One whole line, its "\n" included.
  virtual void diagnostic(std::string_view line) {}
  virtual void beforeNode() {}
};

enum class IndexMessage {
  LoadFailed,   // "(OPEN)\tUnable to load the index files contained in %s\n"
  OpenFailed,   // "(OPEN)\tUnable to Open: %s\n"
  SaveFailed,   // "(OPEN)\tUnable to Save: %s\n"
  CloseFailed,  // "(Close)\tUnable to save the index files contained in %s\n"
};

// The diagnostic line with `fileName` in place of %s.
std::string indexMessageText(IndexMessage message, std::string_view fileName);

}  // namespace tessary
