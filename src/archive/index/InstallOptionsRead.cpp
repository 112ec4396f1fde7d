#include "archive/index/InstallOptionsLayout.h"
#include "archive/index/RawRecord.h"

namespace tessary {
namespace {

class OptionsReading {
 public:
  explicit OptionsReading(ByteSource& source) : raw_(source) {}

  void u32(std::uint32_t& v) { raw_.u32(v); }
  void i32(std::int32_t& v) { raw_.i32(v); }
  void f32(float& v) { raw_.f32(v); }
  void f64(double& v) { raw_.f64(v); }
  void text(std::string& v) { raw_.text(v); }
  template <std::size_t N>
  void bytes(std::array<std::uint8_t, N>& v) { raw_.bytes(v.data(), N); }

  // The drive letter comes back as a one-character text.
  void driveList(std::vector<DriveSpaceEntry>& list) {
    std::uint8_t count = 0;
    raw_.u8(count);
    list.clear();
    for (unsigned i = 0; i < count && !stopAtEnd(); ++i) {
      DriveSpaceEntry& entry = list.emplace_back();
      std::uint8_t letter = 0;
      raw_.u8(letter);
      if (letter != 0) entry.drive.assign(1, static_cast<char>(letter));
      raw_.u32(entry.requiredMb);
    }
  }

  // Entries are read while the source lasts, so a count larger than the
  // stream can hold costs nothing.
  void programList(std::vector<ProgramEntry>& list) {
    std::uint32_t count = 0;
    raw_.u32(count);
    list.clear();
    for (std::uint32_t i = 0; i < count && !stopAtEnd(); ++i) {
      transferProgramEntry(*this, list.emplace_back());
    }
  }

  bool ranShort() const { return raw_.ranShort(); }

 private:
  bool stopAtEnd() {
    if (!raw_.atEnd()) return false;
    raw_.markShort();
    return true;
  }

  RawReader raw_;
};

}  // namespace

bool readInstallOptions(ByteSource& source, InstallOptions& options) {
  OptionsReading io(source);
  transferInstallOptions(io, options);
  return !io.ranShort();
}

}  // namespace tessary
