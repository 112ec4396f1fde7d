// The system's folders, its drives and their free space.
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"
#include "platform/win32/Win32Text.h"

namespace tessary {
namespace {

std::string withoutTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// Old systems want the root with its backslash; "C:" alone would name the
// drive's current folder.
std::string rootOf(const std::string& root) {
  return root.size() == 2 && root[1] == ':' ? root + '\\' : root;
}

}  // namespace

std::string Win32Platform::temporaryPath() {
  std::string path;
  fetchText([](char* buffer, std::uint32_t size) { return GetTempPathA(size, buffer); }, path);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

std::string Win32Platform::windowsFolder() {
  std::string path;
  fetchText([](char* buffer, std::uint32_t size) { return GetWindowsDirectoryA(buffer, size); }, path);
  return withoutTrailingBackslash(path);
}

std::string Win32Platform::systemFolder() {
  std::string path;
  fetchText([](char* buffer, std::uint32_t size) { return GetSystemDirectoryA(buffer, size); }, path);
  return withoutTrailingBackslash(path);
}

std::vector<std::string> Win32Platform::logicalDriveRoots() {
  std::string list;
  fetchText([](char* buffer, std::uint32_t size) { return GetLogicalDriveStringsA(size, buffer); }, list);
  // "A:\<0>C:\<0>" without the list's final zero.
  std::vector<std::string> roots;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) roots.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return roots;
}

std::uint32_t Win32Platform::driveType(const std::string& root) {
  return GetDriveTypeA(rootOf(root).c_str());
}

WinError Win32Platform::diskFreeSpace(const std::string& root, std::uint64_t& freeBytes,
                                      std::uint64_t& totalBytes) {
  freeBytes = totalBytes = 0;
  const std::string path = rootOf(root);
  using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  if (auto freeSpaceEx = functions_->get<FreeSpaceEx>(RuntimeFunction::GetDiskFreeSpaceExA)) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!freeSpaceEx(path.c_str(), &available, &total, &free)) return lastFailure();
    freeBytes = available.QuadPart;
    totalBytes = total.QuadPart;
    return kErrorSuccess;
  }
  // The first Windows 95 only knows the cluster counts (up to 2 GB).
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    return lastFailure();
  const std::uint64_t clusterBytes = std::uint64_t{sectorsPerCluster} * bytesPerSector;
  freeBytes = clusterBytes * freeClusters;
  totalBytes = clusterBytes * clusters;
  return kErrorSuccess;
}

}  // namespace tessary
