#include "archive/index/VariableRecord.h"

#include <algorithm>

#include "archive/index/RawRecord.h"

namespace tessary {
namespace {

// Field order of one record, shared by reading, writing and checking.
template <class Io, class Record>
void transferRecord(Io& io, Record& r) {
  io.kind(r.kind);
  io.i32(r.isPath);
  io.text(r.name);
  io.text(r.defaultText);
  switch (r.kind) {
    case VariableKind::Environment:
      io.text(r.envName);
      break;
    case VariableKind::IniValue:
      io.text(r.iniFile);
      io.text(r.iniSection);
      io.text(r.iniKey);
      break;
    case VariableKind::RegistryValue:
      io.text(r.regKeyPath);
      io.text(r.regValueName);
      break;
    case VariableKind::FileLocation:
      io.i32(r.searchFlags);
      io.text(r.fileName);
      break;
    case VariableKind::Prompted:
      io.i32(r.promptId);
      io.text(r.promptText);
      break;
    default:
      break;
  }
}

struct Reading {
  RawReader& raw;
  void kind(VariableKind& k) {
    auto v = static_cast<std::uint32_t>(k);
    raw.u32(v);
    k = static_cast<VariableKind>(v);
  }
  void i32(std::int32_t& v) { raw.i32(v); }
  void text(std::string& v) { raw.text(v); }
};

struct Writing {
  RawWriter& raw;
  void kind(VariableKind k) { raw.u32(static_cast<std::uint32_t>(k)); }
  void i32(std::int32_t v) { raw.i32(v); }
  void text(const std::string& v) { raw.text(v); }
};

struct Checking {
  bool ok = true;
  void kind(VariableKind) {}
  void i32(std::int32_t) {}
  void text(const std::string& v) { ok = ok && isRawText(v); }
};

bool isStored(const VariableRecord& r) { return r.kind != VariableKind::BuiltIn; }

}  // namespace

bool readVariableRecords(ByteSource& source, std::vector<VariableRecord>& records) {
  RawReader raw(source);
  Reading io{raw};
  std::uint32_t count = 0;
  raw.u32(count);
  records.clear();
  for (std::uint32_t i = 0; i < count && !raw.ranShort(); ++i) {
    if (raw.atEnd()) {
      raw.markShort();
      break;
    }
    transferRecord(io, records.emplace_back());
  }
  return !raw.ranShort();
}

bool writeVariableRecords(ByteSink& sink, const std::vector<VariableRecord>& records) {
  Checking check;
  for (const auto& r : records) transferRecord(check, r);
  if (!check.ok) return false;
  RawWriter raw(sink);
  Writing io{raw};
  raw.u32(static_cast<std::uint32_t>(std::count_if(records.begin(), records.end(), isStored)));
  for (const auto& r : records) {
    if (isStored(r)) transferRecord(io, r);
  }
  return raw.ok();
}

}  // namespace tessary
