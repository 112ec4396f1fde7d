// Saving, closing and abandoning a package.
#include "archive/PackageEngine.h"
#include "archive/index/FormatVersion.h"

namespace tessary {

bool PackageEngine::savePackage() {
  status_ = statusCode(PackageStatus::Success);
  if (!open_ || !index_ || streamHandle(PackageStream::InstallOptions) < 0 ||
      streamHandle(PackageStream::Registry) < 0 || streamHandle(PackageStream::File) < 0)
    return fail(PackageStatus::NotOpen);
  if (!saveInstallOptions() || !saveIndex()) return false;
  if (hasVariablesStream(options_.formatVersion) && !saveVariables()) return false;

  // Stream lengths reach the directory only when the streams close.
  if (!reopenArchive()) return abandonWith(PackageStatus::NotOpened);
  return true;
}

bool PackageEngine::closePackage() {
  if (!open_) return true;
  if (!savePackage()) return false;
  abandonPackage();
  return true;
}

void PackageEngine::abandonPackage() {
  deleteBitmapFile();
  options_ = InstallOptions{};
  if (archive_->isOpen()) PKAcloseArchive(*archive_);
  streams_.fill(-1);
  header_ = RegFileIndexHeader{};
  index_.reset();
  open_ = false;
  path_.clear();
  bitmapSource_.clear();
  undoStubSource_.clear();
  variablesToSave_.reset();
}

}  // namespace tessary
