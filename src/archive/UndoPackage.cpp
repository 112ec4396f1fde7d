// The undo package: a copy of the runtime with an empty archive, taken from
// the running package's undo stub, opened as a new package of its own.
#include "archive/PackageEngine.h"

namespace tessary {
namespace {

constexpr const char* kUndoTitleSuffix = " Undo";
constexpr const char* kUndoDescriptionPrefix = "Undo of -- ";
constexpr std::uint32_t kOverwriteAll = 2;

// "app" of "C:\dir\app.exe".
std::string programBaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace

bool PackageEngine::createUndoPackage(const std::string& targetPath) {
  if (!open_) return fail(PackageStatus::NotOpen);
  status_ = statusCode(PackageStatus::Success);
  platform_.deleteFile(targetPath);
  if (!extractUndoStub(targetPath)) return false;

  auto undo = std::make_unique<PackageEngine>(platform_);
  if (!undo->openPackage(targetPath, false, context_)) {
    status_ = undo->status();
    undo.reset();
    platform_.deleteFile(targetPath);
    return false;
  }

  const InstallOptions& from = options_;
  InstallOptions& to = undo->options();
  to.targetOs = from.targetOs;
  to.runMode = from.runMode;
  to.forceQuiet = from.forceQuiet;
  if (from.forceQuiet == 0) to.overwritePrompt = from.overwritePrompt;
  to.overwriteType = kOverwriteAll;
  to.rebootNeeded = from.rebootNeeded;
  undo->setPassword(getPassword());
  to.isUndoPackage = 1;
  to.title = from.title + kUndoTitleSuffix;
  to.description = kUndoDescriptionPrefix;
  if (from.description.empty())
    to.description += programBaseName(platform_.ownExecutablePath()) + ".exe";
  else
    to.description += from.description.substr(0, kUndoDescriptionKept);
  undo->indexObject()->index().buildWindowsFolder = platform_.windowsFolder();

  undo_ = std::move(undo);
  return true;
}

}  // namespace tessary
