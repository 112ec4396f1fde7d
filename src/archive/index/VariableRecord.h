// The package variables: the "Variable" stream (format 3.0 and later).
// Raw record encoding (RawRecord.h).
//
//   u32 count | count x record
//
//   record   u32 kind | i32 isPath | str name | str defaultText | then by kind:
//     5 Environment      str envName
//     6 IniValue         str iniFile | str iniSection | str iniKey
//     7 RegistryValue    str regKeyPath | str regValueName
//     8 FileLocation     i32 searchFlags | str fileName
//     9 Prompted         i32 promptId | str promptText
//     0, 2, 3, 4 (Literal) and any other kind: nothing more
//
// Variables of kind 1 (BuiltIn) are computed by the runtime and never stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/index/ByteStream.h"

namespace tessary {

// Kinds 2, 3 and 4 are stored by the package builder and treated as Literal.
enum class VariableKind : std::uint32_t {
  Literal = 0,
  BuiltIn = 1,
  Environment = 5,
  IniValue = 6,
  RegistryValue = 7,
  FileLocation = 8,
  Prompted = 9,
};

inline constexpr bool isLiteralKind(VariableKind kind) {
  const auto k = static_cast<std::uint32_t>(kind);
  return k == 0 || (k >= 2 && k <= 4);
}

struct VariableRecord {
  VariableKind kind = VariableKind::Literal;  // the stored number, whatever it is
  std::int32_t isPath = 0;
  std::string name;  // as stored, "$" delimiters included
  std::string defaultText;
  std::string envName;       // Environment
  std::string iniFile;       // IniValue
  std::string iniSection;
  std::string iniKey;
  std::string regKeyPath;    // RegistryValue
  std::string regValueName;
  std::int32_t searchFlags = 1;  // FileLocation
  std::string fileName;
  std::int32_t promptId = 0;     // Prompted
  std::string promptText;
};

// Reads the count and the records from the source's position, each record
// as far as the source goes (fields beyond its end keep their defaults).
// The records stop where the source ends, however large the count. True
// when the count and every record it announces were whole.
bool readVariableRecords(ByteSource& source, std::vector<VariableRecord>& records);

// Writes the count and every record whose kind is not BuiltIn, in order.
// False, with nothing written, when a text holds a zero byte; false also
// when the sink fails.
bool writeVariableRecords(ByteSink& sink, const std::vector<VariableRecord>& records);

}  // namespace tessary
