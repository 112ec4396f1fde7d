// Before anything is written: can every folder the package fills be made,
// and does every existing one take new files?
#include "archive/TempFiles.h"
#include "control/InstallApp.h"
#include "control/PackageTargets.h"
#include "support/FillFields.h"

namespace tessary {

namespace {

bool isDriveRoot(const std::string& path) { return path.size() >= 2 && path[1] == ':' && path.size() <= 3; }

// A new file in the folder, deleted again. Only a refusal counts: a folder
// that cannot be reached for another reason is the install's to report.
bool acceptsNewFiles(Platform& platform, const std::string& folder) {
  std::string probe;
  WinError error = createTemporaryFile(platform, folder, text(Str::kProbePrefix), probe);
  if (error == kErrorSuccess) platform.deleteFile(probe);
  return error != kErrorAccessDenied;
}

class FolderProbe {
 public:
  explicit FolderProbe(InstallApp& app) : app_(app), user_(app.users().firstUser()) {}

  // False with the refused path in `denied`.
  bool visit(const CTree& item) {
    if (!isFolderItem(item)) return true;
    Platform& platform = app_.platform();
    const std::string path = targetPathFor(user_, item);
    bool created = false;
    if (isDriveRoot(path)) {
      if (!acceptsNewFiles(platform, path)) return refuse(path);
    } else {
      WinError error = platform.createFolder(path);
      created = error == kErrorSuccess;
      if (error == kErrorAccessDenied) return refuse(path);
      if ((error == kErrorAlreadyExists || error == kErrorFileExists) && !item.children.empty() &&
          !acceptsNewFiles(platform, path))
        return refuse(path);
    }
    bool ok = true;
    for (const auto& child : item.children)
      if (!(ok = visit(*child))) break;
    if (created) platform.removeFolder(path);
    return ok;
  }

  const std::string& denied() const { return denied_; }

 private:
  bool refuse(const std::string& path) {
    denied_ = path;
    return false;
  }

  InstallApp& app_;
  const UserContext* user_;
  std::string denied_;
};

}  // namespace

bool checkFolderAccess(InstallApp& app) {
  IndexObject* index = app.engine().indexObject();
  if (index == nullptr) return true;
  FolderProbe probe(app);
  for (const auto& item : index->index().fileTree->children) {
    if (isEmbeddedScripts(*item)) continue;
    if (probe.visit(*item)) continue;
    const std::string line = fillFields(text(Str::kAccessDenied), {probe.denied()});
    app.log().logLine(line);
    app.showUnlessQuiet(line);
    return false;
  }
  return true;
}

}  // namespace tessary
