#include "registry/PackageRegistryRecords.h"

#include "archive/ArchiveStreamIo.h"
#include "archive/PackageEngine.h"

namespace tessary {

RegistryRecordReader packageRecordReader(PackageEngine& engine) {
  return [&engine](const CTree& node, RegistryValueRecord& record) {
    const int handle = engine.streamHandle(PackageStream::Registry);
    if (handle < 0 || node.dataOffset < 0) return false;
    ArchiveStreamSource source(engine.archive(), handle);
    const auto offset = static_cast<std::uint64_t>(node.dataOffset);
    if (offset + node.dataSize > source.position() + source.remaining() || !source.seek(offset)) return false;
    return readRegistryValue(source, node.dataSize, record);
  };
}

}  // namespace tessary
