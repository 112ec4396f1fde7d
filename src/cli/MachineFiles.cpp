#include "cli/MachineFiles.h"

#include <fstream>
#include <system_error>

#include "platform/sim/SimText.h"

namespace tessary::cli {

namespace {

std::string parentOf(const std::string& path) {
  std::size_t cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

std::string MachineFiles::place(const std::string& windowsPath) {
  std::string parent = parentOf(windowsPath);
  std::string name = windowsPath.substr(parent.size() + (parent.empty() ? 0 : 1));
  if (parent.size() <= 2) return foldCase(parent) + "\\" + name;  // below the drive's root
  auto found = entries_.find(foldCase(parent));
  if (found == entries_.end()) {
    addFolder(parent);
    found = entries_.find(foldCase(parent));
  }
  std::string parentSpelled = found == entries_.end() ? foldCase(parent) : found->second.spelled;
  return parentSpelled + "\\" + name;
}

void MachineFiles::addFolder(const std::string& windowsPath) {
  if (windowsPath.size() <= 3) return;  // a drive root is always there
  if (entries_.count(foldCase(windowsPath))) return;
  std::string spelled = place(windowsPath);
  entries_[foldCase(windowsPath)] = Entry{spelled, true, {}};
}

void MachineFiles::addFile(const std::string& windowsPath, std::string bytes) {
  auto found = entries_.find(foldCase(windowsPath));
  if (found != entries_.end()) {
    found->second.folder = false;
    found->second.bytes = std::move(bytes);
    return;
  }
  std::string spelled = place(windowsPath);
  entries_[foldCase(windowsPath)] = Entry{spelled, false, std::move(bytes)};
}

bool MachineFiles::hasFolder(const std::string& windowsPath) const {
  auto found = entries_.find(foldCase(windowsPath));
  return found != entries_.end() && found->second.folder;
}

bool MachineFiles::write(const std::filesystem::path& drivesFolder, std::string& error) const {
  for (const auto& [key, entry] : entries_) {
    // "C:\A\B" lives at drives/C/A/B.
    std::filesystem::path host = drivesFolder / std::string(1, entry.spelled[0]);
    std::size_t start = 3;
    while (start < entry.spelled.size()) {
      std::size_t end = entry.spelled.find('\\', start);
      if (end == std::string::npos) end = entry.spelled.size();
      host /= entry.spelled.substr(start, end - start);
      start = end + 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(entry.folder ? host : host.parent_path(), ec);
    if (ec) {
      error = host.string() + ": " + ec.message();
      return false;
    }
    if (entry.folder) continue;
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(entry.bytes.data(), static_cast<std::streamsize>(entry.bytes.size()));
    out.close();
    if (!out) {
      error = host.string() + ": cannot write the file";
      return false;
    }
  }
  return true;
}

}  // namespace tessary::cli
