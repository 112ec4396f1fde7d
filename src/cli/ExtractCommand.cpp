// tessary extract PACKAGE DIR
#include <sys/time.h>

#include <iostream>
#include <system_error>

#include "cli/CliText.h"
#include "cli/ExtractCommand.h"
#include "cli/HostFile.h"
#include "cli/PackagePlan.h"
#include "cli/RegistryRootNames.h"
#include "platform/sim/RegText.h"

namespace tessary::cli {
namespace {

namespace fs = std::filesystem;

// A stored name as a relative host path. Names come from the package and
// are not trusted: a "." or ".." component, a rooted name or an empty
// component would write outside the folder, so such a name is refused.
bool hostPathOf(const std::string& name, fs::path& relative) {
  relative.clear();
  std::size_t start = 0;
  for (;;) {
    std::size_t end = name.find_first_of("\\/", start);
    std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") return false;
    relative /= fs::path(latin1ToUtf8(part));
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

void setTime(const fs::path& path, std::uint32_t seconds) {
  struct timeval times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
  ::utimes(path.c_str(), times);
}

class Extractor {
 public:
  Extractor(OpenPackage& package, const fs::path& folder, std::string& error)
      : package_(package), folder_(folder), error_(error) {}

  bool node(const CTree& node, const fs::path& under);

 private:
  bool fail(const CTree& node, const std::string& message) {
    error_ = "\"" + latin1ToUtf8(node.name) + "\": " + message;
    return false;
  }
  bool file(const CTree& node, const fs::path& target);

  OpenPackage& package_;
  fs::path folder_;
  std::string& error_;
};

bool Extractor::file(const CTree& node, const fs::path& target) {
  std::error_code failure;
  fs::create_directories(target.parent_path(), failure);
  if (failure) return fail(node, "cannot create " + target.parent_path().string() + " (" + failure.message() + ")");
  std::string openError;
  std::unique_ptr<HostFile> out = HostFile::openWrite(target, true, openError);
  if (!out) return fail(node, "cannot write " + openError);
  std::string expandError;
  if (!expandBlock(package_, node, *out, expandError)) return fail(node, expandError);
  out.reset();
  FileBlockHeader header;
  if (readBlockHeader(package_, node, header, expandError)) setTime(target, header.writeTime);
  return true;
}

bool Extractor::node(const CTree& node, const fs::path& under) {
  bool scripts = node.parent && !node.parent->parent && node.name == kEmbeddedScriptsFolder;
  if (scripts) {
    for (const auto& child : node.children)
      if (!this->node(*child, folder_ / "scripts")) return false;
    return true;
  }
  fs::path relative;
  if (!hostPathOf(node.name, relative)) return fail(node, "a name that cannot be a path inside the folder");
  fs::path target = under / relative;
  bool isFolder = node.dataOffset == -1;
  // Delete marks stand for something to remove from the target: nothing to unpack.
  if (!isFolder && !(node.flags & kTreeFlagDelete) && !file(node, target)) return false;
  if (isFolder && !(node.flags & kTreeFlagDelete)) {
    std::error_code failure;
    fs::create_directories(target, failure);
    if (failure) return fail(node, "cannot create " + target.string() + " (" + failure.message() + ")");
  }
  for (const auto& child : node.children)
    if (!this->node(*child, under)) return false;
  return true;
}

void registryEdits(const OpenPackage& package, const CTree& node, std::vector<RegEdit>& edits, std::string& error) {
  if (!error.empty()) return;
  RegEdit edit;
  if (node.dataOffset == -1) {
    edit.keyPath = windowsRegistryPath(node.name);
    edit.kind = (node.flags & kTreeFlagDelete) ? RegEdit::Kind::DeleteKey : RegEdit::Kind::CreateKey;
    edits.push_back(edit);
    for (const auto& child : node.children) registryEdits(package, *child, edits, error);
    return;
  }
  edit.keyPath = node.parent ? windowsRegistryPath(node.parent->name) : std::string();
  edit.value.name = valueNameOf(node);
  if (node.flags & kTreeFlagDelete) {
    edit.kind = RegEdit::Kind::DeleteValue;
  } else {
    RegistryValueRecord record;
    std::string readError;
    if (!readValue(package, node, record, readError)) {
      error = "\"" + latin1ToUtf8(node.name) + "\": " + readError;
      return;
    }
    edit.kind = RegEdit::Kind::SetValue;
    edit.value.type = record.type;
    edit.value.data = record.data;
  }
  edits.push_back(edit);
}

}  // namespace

std::string registryAsRegText(const OpenPackage& package, std::string& error) {
  std::vector<RegEdit> edits;
  error.clear();
  for (const auto& child : package.index.registryTree->children) registryEdits(package, *child, edits, error);
  return writeRegEdits(edits);
}

bool extractPackage(OpenPackage& package, const fs::path& folder, std::string& error) {
  std::error_code failure;
  fs::create_directories(folder, failure);
  if (failure) {
    error = "cannot create " + folder.string() + " (" + failure.message() + ")";
    return false;
  }
  Extractor extractor(package, folder, error);
  for (const auto& child : package.index.fileTree->children)
    if (!extractor.node(*child, folder / "files")) return false;

  std::string text = registryAsRegText(package, error);
  if (!error.empty()) return false;
  if (!replaceWholeFile(folder / "registry.reg", text, error)) return false;

  const InstallOptions& o = package.options;
  if (o.bitmapLength > 0 && o.bitmapOffset >= 0) {
    std::string bitmap;
    if (!readFileBytes(package, static_cast<std::uint32_t>(o.bitmapOffset), o.bitmapLength, bitmap, error)) {
      error = "the background bitmap " + error;
      return false;
    }
    if (!replaceWholeFile(folder / "bitmap.bmp", bitmap, error)) return false;
  }
  return true;
}

int runExtract(const Arguments& arguments) {
  if (arguments.size() != 2 || arguments[0].empty() || arguments[0][0] == '-') {
    std::cerr << "usage: tessary extract PACKAGE DIR\n";
    return 2;
  }
  OpenPackage package;
  std::string error;
  if (!openPackage(arguments[0], package, error)) {
    std::cerr << "tessary extract: " << arguments[0] << ": " << error << "\n";
    return 1;
  }
  if (!extractPackage(package, arguments[1], error)) {
    std::cerr << "tessary extract: " << arguments[0] << ": " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tessary::cli
