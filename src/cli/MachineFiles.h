// The folders and files a template puts on the drives, gathered in memory
// and then written under drives/<letter>/. Names keep the case they were
// first given, and a later path that differs only in case lands in the same
// place, as on Windows.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace tessary::cli {

class MachineFiles {
 public:
  // Full Windows paths ("C:\WINDOWS\system32"); missing parents are added.
  void addFolder(const std::string& windowsPath);
  // Replaces the bytes of a file added before.
  void addFile(const std::string& windowsPath, std::string bytes);

  bool hasFolder(const std::string& windowsPath) const;

  // Writes everything below `drivesFolder`. False with a message naming the
  // host path that could not be written.
  bool write(const std::filesystem::path& drivesFolder, std::string& error) const;

 private:
  struct Entry {
    std::string spelled;  // "C:\WINDOWS\system32" as first given
    bool folder = true;
    std::string bytes;
  };

  // Adds the parents of `windowsPath`; returns its spelling with theirs.
  std::string place(const std::string& windowsPath);

  std::map<std::string, Entry> entries_;  // by upper-cased path
};

}  // namespace tessary::cli
