#include <algorithm>

#include "archive/index/InstallOptionsLayout.h"
#include "archive/index/RawRecord.h"

namespace tessary {
namespace {

class OptionsWriting {
 public:
  explicit OptionsWriting(ByteSink& sink) : raw_(sink) {}

  void u32(std::uint32_t v) { raw_.u32(v); }
  void i32(std::int32_t v) { raw_.i32(v); }
  void f32(float v) { raw_.f32(v); }
  void f64(double v) { raw_.f64(v); }
  void text(const std::string& v) { raw_.text(v); }
  template <std::size_t N>
  void bytes(const std::array<std::uint8_t, N>& v) { raw_.bytes(v.data(), N); }

  // One letter per entry: the first character of the drive text.
  void driveList(const std::vector<DriveSpaceEntry>& list) {
    raw_.u8(static_cast<std::uint8_t>(list.size()));
    for (const auto& entry : list) {
      raw_.u8(entry.drive.empty() ? 0 : static_cast<std::uint8_t>(entry.drive[0]));
      raw_.u32(entry.requiredMb);
    }
  }

  void programList(const std::vector<ProgramEntry>& list) {
    raw_.u32(static_cast<std::uint32_t>(list.size()));
    for (const auto& entry : list) transferProgramEntry(*this, entry);
  }

  bool ok() const { return raw_.ok(); }

 private:
  RawWriter raw_;
};

// Collects what the writer would store, to check it before a byte is written.
class OptionsChecking {
 public:
  void u32(std::uint32_t) {}
  void i32(std::int32_t) {}
  void f32(float) {}
  void f64(double) {}
  void text(const std::string& v) { ok_ = ok_ && isRawText(v); }
  template <std::size_t N>
  void bytes(const std::array<std::uint8_t, N>&) {}
  void driveList(const std::vector<DriveSpaceEntry>& list) {
    ok_ = ok_ && list.size() <= kMaxDriveSpaceEntries;
  }
  void programList(const std::vector<ProgramEntry>& list) {
    for (const auto& entry : list) transferProgramEntry(*this, entry);
  }

  bool ok() const { return ok_; }

 private:
  bool ok_ = true;
};

}  // namespace

bool installOptionsAreStorable(const InstallOptions& options) {
  OptionsChecking check;
  transferInstallOptions(check, options);
  return check.ok();
}

bool writeInstallOptions(ByteSink& sink, const InstallOptions& options) {
  if (!installOptionsAreStorable(options)) return false;
  OptionsWriting io(sink);
  transferInstallOptions(io, options);
  return io.ok();
}

}  // namespace tessary
