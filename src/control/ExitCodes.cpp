#include "control/ExitCodes.h"

#include "resources/StringTable.h"

namespace tessary {

namespace {

struct CodeRange {
  std::int32_t first;
  std::int32_t last;
  Str text;
};

// Codes without a row report kExitVariables.
constexpr CodeRange kTexts[] = {
    {0, 0, Str::kExitComplete},          {1, 1, Str::kExitUndefined},
    {3, 3, Str::kExitAdminRights},       {4, 4, Str::kExitCannotObtainRights},
    {5, 5, Str::kExitDiskSpace},         {7, 7, Str::kExitBadPassword},
    {9, 9, Str::kExitPasswordRequired},  {10, 10, Str::kExitWrongWindows},
    {12, 13, Str::kExitWrongWindows},    {18, 18, Str::kExitWrongWindows},
    {29, 56, Str::kExitWrongWindows},    {16, 16, Str::kExitNoUser},
    {17, 17, Str::kExitErrorsSeeLog},    {19, 19, Str::kExitNonVolatile},
    {28, 28, Str::kExitNonVolatile},     {20, 20, Str::kExitLowQuota},
    {21, 21, Str::kExitNoDrive},         {22, 22, Str::kExitConditions},
    {23, 23, Str::kExitPostProgram},     {58, 58, Str::kExitNotEnoughRam},
    {93, 93, Str::kExitFolderAccess},    {95, 95, Str::kExitTempFolder},
};

}  // namespace

std::string exitCodeText(std::int32_t code) {
  for (const CodeRange& range : kTexts) {
    if (code < range.first || code > range.last) continue;
    if (range.text != Str::kExitUndefined) return text(range.text);
    std::string line = text(range.text);
    line.replace(line.find("%u"), 2, std::to_string(static_cast<unsigned>(code)));
    return line;
  }
  return text(Str::kExitVariables);
}

}  // namespace tessary
