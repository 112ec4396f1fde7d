// ".ini" and ".url" files: their lines carry variables that are resolved
// while the file is written. A file in which nothing changes is copied as
// the package holds it, byte for byte.
#include <algorithm>

#include "fileops/FileInstaller.h"
#include "fileops/TargetPath.h"
#include "support/FillFields.h"
#include "support/RunLogPlace.h"

namespace tessary {
namespace {

constexpr std::uint32_t kPiece = 65535;

// Lines as a text-mode reader gives them: split at LF, a CR before it
// dropped, a last line without LF kept.
bool readLines(Platform& platform, const std::string& path, std::vector<std::string>& lines) {
  std::unique_ptr<PlatformFile> file;
  if (platform.openFile(path, FileAccess::ReadWrite, kShareNone, FileDisposition::OpenExisting, file) != kErrorSuccess)
    return false;
  std::string bytes;
  std::vector<char> piece(kPiece);
  for (;;) {
    std::uint32_t done = 0;
    if (file->read(piece.data(), kPiece, done) != kErrorSuccess) return false;
    if (done == 0) break;
    bytes.append(piece.data(), done);
  }
  for (std::size_t from = 0; from < bytes.size();) {
    std::size_t end = bytes.find('\n', from);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    from = end + 1;
  }
  return true;
}

bool writeLines(Platform& platform, const std::string& path, const std::vector<std::string>& lines) {
  std::unique_ptr<PlatformFile> file;
  if (platform.openFile(path, FileAccess::Write, kShareRead, FileDisposition::CreateAlways, file) != kErrorSuccess)
    return false;
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  for (std::size_t at = 0; at < text.size();) {
    const auto want = static_cast<std::uint32_t>(std::min<std::size_t>(kPiece, text.size() - at));
    std::uint32_t done = 0;
    if (file->write(text.data() + at, want, done) != kErrorSuccess || done != want) return false;
    at += done;
  }
  return true;
}

void makeNormal(Platform& platform, const std::string& path) {
  std::uint32_t attributes = 0;
  if (platform.fileAttributes(path, attributes) == kErrorSuccess &&
      (attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)))
    platform.setFileAttributes(path, kAttrNormal);
}

}  // namespace

std::int32_t FileInstaller::InstallResolvedTextFile(CTree& entry) {
  const std::string path = target(entry);
  Platform& platform = run_.platform;
  const std::string folder = runTempFolder(platform);
  if (!ensureFolder(platform, folder)) {
    run_.log.sayText(fillFields(text(Str::kTempFileNotOpened), {path}));
    return kFileResultNoTempText;
  }
  const std::string copy = folder + "\\" + splitTarget(path).name;
  makeNormal(platform, copy);
  platform.deleteFile(copy);
  std::vector<std::string> lines;
  const bool extracted = ExtractFileEntry(entry, copy) == kFileResultSuccess;
  makeNormal(platform, copy);
  const bool read = extracted && readLines(platform, copy, lines);
  platform.deleteFile(copy);
  if (!read) {
    run_.log.leveledLine(fillFields(text(Str::kTempFileNotOpened), {copy}), 1);
    return kFileResultNoTempText;
  }

  const UserContext* user = run_.users.users().empty() ? nullptr : &run_.users.users()[userIndexOf(entry)];
  bool changed = false;
  for (std::string& line : lines)
    if (user != nullptr && substituteVariables(*user, line, kSubstituteAll)) changed = true;
  if (!changed) return ExtractFileEntry(entry, path);

  makeNormal(platform, path);
  if (!writeLines(platform, path, lines)) {
    run_.log.leveledLine(fillFields(text(Str::kIniFileNotOpened), {path}), 1);
    return kFileResultWriteFailed;
  }
  const std::uint32_t given = entry.attributes & ~static_cast<std::uint32_t>(kAttrDirectory);
  platform.setFileAttributes(path, given == 0 ? static_cast<std::uint32_t>(kAttrNormal) : given);
  return kFileResultSuccess;
}

}  // namespace tessary
