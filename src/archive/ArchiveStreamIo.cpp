#include "archive/ArchiveStreamIo.h"

#include <algorithm>

namespace tessary {
namespace {

constexpr std::size_t kPiece = 65535;

const PkaStreamSlot* usedSlot(const PkaArchive& archive, int handle) {
  if (!archive.isOpen() || handle < 0 || handle >= kPkaSlotCount) return nullptr;
  const PkaStreamSlot& slot = archive.slots[static_cast<std::size_t>(handle)];
  return slot.inUse ? &slot : nullptr;
}

}  // namespace

std::size_t ArchiveStreamSource::read(void* buffer, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const auto want = static_cast<std::uint32_t>(std::min(count - done, kPiece));
    int got = PKAread(archive_, handle_, out + done, want);
    if (got <= 0) {
      exhausted_ = got < 0 || remaining() > 0;
      break;
    }
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::uint64_t ArchiveStreamSource::remaining() const {
  if (exhausted_) return 0;
  const PkaStreamSlot* slot = usedSlot(archive_, handle_);
  return slot && slot->position < slot->length ? slot->length - slot->position : 0;
}

std::uint64_t ArchiveStreamSource::position() const {
  const PkaStreamSlot* slot = usedSlot(archive_, handle_);
  return slot ? slot->position : 0;
}

bool ArchiveStreamSource::seek(std::uint64_t position) {
  const PkaStreamSlot* slot = usedSlot(archive_, handle_);
  if (!slot || position > slot->length) return false;
  exhausted_ = false;
  return PKAlseek(archive_, handle_, static_cast<std::int32_t>(position), 0) == static_cast<std::int32_t>(position);
}

bool ArchiveStreamSink::write(const void* buffer, std::size_t count) {
  const auto* in = static_cast<const std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const auto piece = static_cast<std::uint32_t>(std::min(count - done, kPiece));
    if (PKAwrite(archive_, handle_, in + done, piece) != static_cast<int>(piece)) return false;
    done += piece;
  }
  return true;
}

}  // namespace tessary
