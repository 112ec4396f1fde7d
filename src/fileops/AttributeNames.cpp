#include "fileops/AttributeNames.h"

#include "resources/StringTable.h"

namespace tessary {
namespace {

struct AttributeName {
  std::uint32_t bit;
  Str name;
};

constexpr AttributeName kAttributeNames[] = {
    {0x1, Str::kAttrNameReadOnly},   {0x2, Str::kAttrNameHidden},       {0x4, Str::kAttrNameSystem},
    {0x10, Str::kAttrNameDirectory}, {0x20, Str::kAttrNameArchive},     {0x100, Str::kAttrNameTemporary},
    {0x800, Str::kAttrNameCompressed}, {0x1000, Str::kAttrNameOffline},
};

}  // namespace

std::string attributeNames(std::uint32_t attributes) {
  std::string names;
  for (const AttributeName& entry : kAttributeNames) {
    if ((attributes & entry.bit) == 0) continue;
    if (!names.empty()) names += ", ";
    names += text(entry.name);
  }
  return names.empty() ? text(Str::kAttrNameNormal) : names;
}

}  // namespace tessary
