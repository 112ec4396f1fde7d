// The "Variable" stream: the package's own variables.
#include "archive/ArchiveStreamIo.h"
#include "archive/PackageEngine.h"

namespace tessary {

bool PackageEngine::saveVariables() {
  if (!variablesToSave_) return true;
  const int h = streamHandle(PackageStream::Variable);
  if (h < 0) return fail(PackageStatus::NoVariables);
  // Laid out first so the count is right without writing it twice.
  MemorySink records;
  if (!writeVariableRecords(records, *variablesToSave_) || records.bytes().size() > 0x7FFFFFFFu)
    return fail(PackageStatus::WriteFailed);
  const auto size = static_cast<std::uint32_t>(records.bytes().size());
  if (PKAlseek(*archive_, h, 0, 0) != 0 || PKAwrite(*archive_, h, records.bytes().data(), size) != static_cast<int>(size))
    return fail(PackageStatus::WriteFailed);
  return true;
}

bool PackageEngine::readPackageVariables(std::vector<VariableRecord>& records) {
  records.clear();
  const int h = streamHandle(PackageStream::Variable);
  if (h < 0) return fail(PackageStatus::NoVariables);
  PKAlseek(*archive_, h, 0, 0);
  ArchiveStreamSource source(*archive_, h);
  // Records cut by the end of the stream are kept as far as they go.
  readVariableRecords(source, records);
  return true;
}

}  // namespace tessary
