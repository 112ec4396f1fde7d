#include "variables/PackageVariableLoad.h"

#include <algorithm>

#include "archive/PackageEngine.h"
#include "support/PathText.h"
#include "variables/VariableResolve.h"

namespace tessary {
namespace {

bool isKnownKind(VariableKind kind) {
  const auto k = static_cast<std::uint32_t>(kind);
  return k == 0 || (k >= 2 && k <= 9);
}

std::string withoutDollars(std::string name) {
  name.erase(std::remove(name.begin(), name.end(), '$'), name.end());
  return name;
}

}  // namespace

PackageVariableSource readPackageVariableSource(PackageEngine& engine) {
  PackageVariableSource source;
  source.present = engine.readPackageVariables(source.records);
  return source;
}

void addPackageVariables(TargetSystem& system, std::vector<UserContext>& users,
                         const std::vector<VariableRecord>& records,
                         const std::vector<VariableOverride>& overrides) {
  for (const VariableRecord& record : records) {
    if (!isKnownKind(record.kind)) continue;
    Variable stored = variableFromRecord(record);
    const std::string bareName = withoutDollars(record.name);
    for (const VariableOverride& override : overrides)
      if (override.name == bareName) stored.defaultText = override.value;

    for (UserContext& user : users) {
      Variable v = stored;
      if (isLiteralKind(v.kind)) {
        v.value = v.defaultText;
      } else if (v.kind == VariableKind::Prompted) {
        if (v.name.empty()) v.name = v.defaultText;
        v.value = removeTrailingBackslash(v.defaultText);
      } else {
        resolveVariable(system, user, v);
      }
      user.variables.push_back(std::move(v));
    }
  }
}

}  // namespace tessary
