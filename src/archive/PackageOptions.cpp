// The install options record and the run password of an open package.
#include "archive/ArchiveStreamIo.h"
#include "archive/PackageEngine.h"
#include "archive/index/RunPassword.h"

namespace tessary {

bool PackageEngine::loadInstallOptions() {
  const int h = streamHandle(PackageStream::InstallOptions);
  if (h < 0) return fail(PackageStatus::OptionsNotOpen);
  PKAlseek(*archive_, h, 0, 0);
  ArchiveStreamSource source(*archive_, h);
  // A record cut short is read as far as it goes.
  readInstallOptions(source, options_);
  return true;
}

bool PackageEngine::saveInstallOptions() {
  status_ = statusCode(PackageStatus::Success);
  const int h = streamHandle(PackageStream::InstallOptions);
  if (h < 0) return fail(PackageStatus::OptionsNotOpen);

  if (!bitmapSource_.empty()) {
    if (storeBlob(bitmapSource_, options_.bitmapOffset, options_.bitmapLength)) {
      bitmapSource_.clear();
    } else {
      options_.bitmapOffset = -1;
      options_.bitmapLength = 0;
      status_ = statusCode(PackageStatus::BitmapNotStored);
    }
  }
  if (!undoStubSource_.empty()) {
    if (storeBlob(undoStubSource_, options_.undoStubOffset, options_.undoStubLength)) {
      undoStubSource_.clear();
    } else {
      options_.undoStubOffset = -1;
      options_.undoStubLength = 0;
      status_ = statusCode(PackageStatus::UndoStubFailed);
    }
  }

  // Laid out in memory first, so a record that cannot be stored writes
  // nothing and one that outgrew the stream can make room.
  MemorySink record;
  if (!writeInstallOptions(record, options_) || record.bytes().size() > 0x7FFFFFFFu)
    return fail(PackageStatus::WriteFailed);
  const auto size = static_cast<std::uint32_t>(record.bytes().size());
  if (size > archive_->slots[static_cast<std::size_t>(h)].length && WriteAt(*archive_, h, size) != 0)
    return fail(PackageStatus::WriteFailed);
  if (PKAlseek(*archive_, h, 0, 0) != 0 || PKAwrite(*archive_, h, record.bytes().data(), size) != static_cast<int>(size))
    return fail(PackageStatus::WriteFailed);
  return status_ == statusCode(PackageStatus::Success);
}

bool PackageEngine::checkPassword(std::string_view clearText) {
  if (passwordMatches(options_.runPassword, clearText)) return true;
  return fail(PackageStatus::WrongPassword);
}

bool PackageEngine::setPassword(std::string_view clearText) {
  if (!passwordIsStorable(clearText)) return fail(PackageStatus::WriteFailed);
  options_.runPassword = scramblePassword(clearText);
  return true;
}

std::string PackageEngine::getPassword() const { return scramblePassword(options_.runPassword); }

}  // namespace tessary
