// The file tree of a package: every [[files]] entry becomes nodes named by
// their full target path, folders included, and every embedded script a
// node below the scripts folder.
#include <algorithm>
#include <chrono>
#include <system_error>

#include "archive/index/FormatVersion.h"
#include "archive/lzs/StoredExtensions.h"
#include "cli/CliText.h"
#include "cli/FolderIds.h"
#include "cli/HostFile.h"
#include "cli/PackagePlan.h"
#include "platform/sim/PeVersion.h"
#include "platform/PlatformTypes.h"

namespace tessary::cli {
namespace {

namespace fs = std::filesystem;

// Files larger than this are not searched for a version resource.
constexpr std::uintmax_t kVersionScanLimit = 64u << 20;

class FilePlanner {
 public:
  FilePlanner(const Manifest& manifest, FilePlan& plan, std::string& error)
      : manifest_(manifest), plan_(plan), error_(error) {}

  bool entry(const ManifestFile& item);
  bool scripts(const Manifest& manifest);

 private:
  bool fail(const ManifestPlace& place, const std::string& key, const std::string& message) {
    error_ = manifest_.path.string() + ":" + std::to_string(place.line) + ": " + place.key +
             (key.empty() ? "" : "." + key) + ": " + message;
    return false;
  }

  // The folder node at `path`, made with its parents when missing; null
  // (with the error set) when a file lies in the way or a name is bad.
  CTree* folder(const std::string& path, const ManifestFile& item);
  CTree* child(CTree& parent, const std::string& name);
  bool fileNode(CTree& parent, const std::string& target, const fs::path& source, const ManifestFile& item);
  bool folderTree(CTree& node, const std::string& target, const fs::path& source, const ManifestFile& item);

  const Manifest& manifest_;
  FilePlan& plan_;
  std::string& error_;
};

std::uint32_t writeTimeOf(const fs::path& path) {
  std::error_code ignored;
  auto time = fs::last_write_time(path, ignored);
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                     std::chrono::file_clock::to_sys(time).time_since_epoch())
                     .count();
  return static_cast<std::uint32_t>(std::clamp<long long>(seconds, 0, 0xFFFFFFFFll));
}

CTree* FilePlanner::child(CTree& parent, const std::string& name) {
  for (const auto& node : parent.children)
    if (sameNoCase(node->name, name)) return node.get();
  return nullptr;
}

CTree* FilePlanner::folder(const std::string& path, const ManifestFile& item) {
  CTree* node = plan_.root.get();
  std::size_t start = 0;
  for (;;) {
    std::size_t slash = path.find('\\', start);
    std::string name = path.substr(0, slash);
    std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (part.empty() || part == "." || part == "..") {
      fail(item.place, "target", "\"" + path + "\" has an empty, \".\" or \"..\" folder name");
      return nullptr;
    }
    CTree* next = child(*node, name);
    if (next && next->dataOffset != -1) {
      fail(item.place, "target", "\"" + next->name + "\" is a file of the package, not a folder");
      return nullptr;
    }
    if (!next) {
      auto created = std::make_unique<CTree>(name);
      created->attributes = kAttrDirectory;
      created->folderId = folderIdForPath(name);
      next = node->addChild(std::move(created));
    }
    node = next;
    if (slash == std::string::npos) return node;
    start = slash + 1;
  }
}

bool FilePlanner::fileNode(CTree& parent, const std::string& target, const fs::path& source, const ManifestFile& item) {
  if (CTree* existing = child(parent, target))
    return fail(item.place, "target", "\"" + existing->name + "\" is already in the package");
  std::size_t slash = target.rfind('\\');
  std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1);
  if (name.empty() || name == "." || name == "..")
    return fail(item.place, "target", "\"" + target + "\" has no file name");

  auto node = std::make_unique<CTree>(target);
  node->folderId = folderIdForPath(target);
  node->attributes = item.attributes.value_or(kAttrArchive);
  node->flags = (item.deleteEntry ? kTreeFlagDelete : 0) | (item.merge ? kTreeFlagMerge : 0);
  node->dataOffset = 0;  // a file: the real offset is known when the block is written

  PlannedBlock block;
  block.header.overwriteOverride = item.overwriteOverride;
  if (!source.empty()) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(source, error);
    if (error) return fail(item.place, "source", "cannot read " + source.string() + " (" + error.message() + ")");
    if (size > 0xFFFFFFFFu - kShortcutBlockHeaderSize)
      return fail(item.place, "source", source.string() + " is too large for a package (4 GB at most)");
    block.source = source;
    block.header.fileSize = static_cast<std::uint32_t>(size);
    block.header.writeTime = writeTimeOf(source);
    block.compress = !lzs::isStoredUncompressed(name);
    plan_.contentBytes += size;
    if (item.version) {
      std::tie(block.header.versionHigh, block.header.versionLow) = *item.version;
    } else if (size <= kVersionScanLimit) {
      std::string bytes, readError;
      if (!readWholeFile(source, bytes, readError)) return fail(item.place, "source", "cannot read " + readError);
      readPeFileVersion(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), block.header.versionHigh,
                        block.header.versionLow);
    }
  }
  bool shortcut = fileBlockHeaderLength(name, false, kFormatVersionWritten) == kShortcutBlockHeaderSize;
  if (shortcut && !item.deleteEntry) {
    if (!item.shortcut)
      return fail(item.place, "shortcut", "\"" + target + "\" is a shortcut: give its details in a shortcut table");
    for (const std::string* text : {&item.shortcut->targetPath, &item.shortcut->arguments,
                                    &item.shortcut->workingFolder, &item.shortcut->iconFile})
      if (text->size() >= kShortcutTextSize) return fail(item.place, "shortcut", "texts are at most 259 characters");
    block.header.shortcut = item.shortcut;
  } else if (item.shortcut) {
    return fail(item.place, "shortcut", "only a \".lnk\" file carries shortcut details");
  } else if (shortcut) {
    block.header.shortcut = ShortcutDetails();  // a delete mark still has the long header
  }
  CTree* added = parent.addChild(std::move(node));
  plan_.blocks.emplace(added, std::move(block));
  return true;
}

bool FilePlanner::folderTree(CTree& node, const std::string& target, const fs::path& source, const ManifestFile& item) {
  std::vector<fs::directory_entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) entries.push_back(*it);
  if (error) return fail(item.place, "source", "cannot read the folder " + source.string() + " (" + error.message() + ")");
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  for (const fs::directory_entry& entry : entries) {
    std::string name;
    if (!utf8ToLatin1(entry.path().filename().string(), name))
      return fail(item.place, "source", entry.path().string() + ": a name the package's 8-bit text cannot carry");
    std::string childTarget = target + "\\" + name;
    if (entry.is_directory()) {
      CTree* sub = folder(childTarget, item);
      if (!sub || !folderTree(*sub, childTarget, entry.path(), item)) return false;
    } else if (entry.is_regular_file()) {
      if (!fileNode(node, childTarget, entry.path(), item)) return false;
    } else {
      return fail(item.place, "source", entry.path().string() + " is neither a file nor a folder");
    }
  }
  return true;
}

bool FilePlanner::entry(const ManifestFile& item) {
  if (item.target.find(kEmbeddedScriptsFolder) != std::string::npos)
    return fail(item.place, "target", "the scripts folder is the package's own");
  std::size_t slash = item.target.rfind('\\');
  bool isFolder = item.folder;
  if (item.source) {
    std::error_code error;
    fs::file_status status = fs::status(*item.source, error);
    if (!fs::exists(status)) return fail(item.place, "source", "no such file or folder: " + item.source->string());
    isFolder = fs::is_directory(status);
    if (!isFolder && !fs::is_regular_file(status))
      return fail(item.place, "source", item.source->string() + " is neither a file nor a folder");
  }
  if (isFolder) {
    CTree* node = folder(item.target, item);
    if (!node) return false;
    if (item.attributes) node->attributes = *item.attributes | kAttrDirectory;
    if (item.deleteEntry) node->flags |= kTreeFlagDelete | (item.deleteTree ? kTreeFlagDeleteTree : 0);
    return !item.source || folderTree(*node, item.target, *item.source, item);
  }
  CTree* parent = slash == std::string::npos ? plan_.root.get() : folder(item.target.substr(0, slash), item);
  return parent && fileNode(*parent, item.target, item.source.value_or(fs::path()), item);
}

bool FilePlanner::scripts(const Manifest& manifest) {
  CTree* folderNode = nullptr;
  std::map<fs::path, std::string> idOfSource;
  for (int phase = 0; phase < 3; ++phase) {
    for (const ManifestProgram& program : manifest.programs[phase]) {
      ProgramEntry entry = program.entry;
      if (program.script) {
        auto known = idOfSource.find(*program.script);
        if (known != idOfSource.end()) {
          entry.scriptId = known->second;
        } else {
          if (!folderNode) {
            auto created = std::make_unique<CTree>(kEmbeddedScriptsFolder);
            created->attributes = kAttrDirectory;
            folderNode = plan_.root->addChild(std::move(created));
          }
          std::string base;
          if (!utf8ToLatin1(program.script->filename().string(), base))
            return fail(program.place, "script", "a script name the package's 8-bit text cannot carry");
          std::string id = base;
          for (int n = 2; child(*folderNode, id); ++n) id = base + "~" + std::to_string(n);
          ManifestFile item;
          item.place = program.place;
          std::error_code error;
          if (!fs::is_regular_file(*program.script, error))
            return fail(program.place, "script", "no such file: " + program.script->string());
          if (!fileNode(*folderNode, id, *program.script, item)) return false;
          idOfSource.emplace(*program.script, id);
          entry.scriptId = id;
        }
      }
      plan_.programs[phase].push_back(std::move(entry));
    }
  }
  return true;
}

}  // namespace

void markLeaves(CTree& root) {
  std::vector<CTree*> pending{&root};
  while (!pending.empty()) {
    CTree* node = pending.back();
    pending.pop_back();
    node->leaf = node->children.empty() ? 1 : 0;
    for (const auto& child : node->children) pending.push_back(child.get());
  }
}

bool planFiles(const Manifest& manifest, FilePlan& plan, std::string& error) {
  FilePlanner planner(manifest, plan, error);
  for (const ManifestFile& item : manifest.files)
    if (!planner.entry(item)) return false;
  if (!planner.scripts(manifest)) return false;
  markLeaves(*plan.root);
  return true;
}

}  // namespace tessary::cli
