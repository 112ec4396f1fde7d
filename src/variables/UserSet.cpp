#include "variables/UserSet.h"

#include "variables/UserSelection.h"

namespace tessary {

bool UserSet::addUser(const std::string& name) {
  UserContext user;
  if (!initUser(system_, user, name)) return false;
  users_.push_back(std::move(user));
  return true;
}

void UserSet::finish(const PackageVariableSource& package, const std::vector<VariableOverride>& overrides) {
  if (package.present)
    addPackageVariables(system_, users_, package.records, overrides);
  else if (status_ == statusCode(PackageStatus::Success))
    status_ = statusCode(PackageStatus::NoVariables);
  for (UserContext& user : users_) sortUserVariables(user);
}

bool UserSet::selectCurrentUser(const PackageVariableSource& package,
                                const std::vector<VariableOverride>& overrides) {
  std::string name;
  if (!currentUserName(system_, name) || !addUser(name)) {
    status_ = statusCode(PackageStatus::VariablesNotInitialised);
    return false;
  }
  finish(package, overrides);
  return true;
}

bool UserSet::selectUserList(const PackageVariableSource& package, const std::string& list,
                             const std::vector<VariableOverride>& overrides,
                             std::vector<std::string>& failedNames) {
  const std::vector<std::string> names = splitUserList(list);
  for (const std::string& name : names)
    if (!addUser(name)) failedNames.push_back(name);
  if (users_.empty() || (names.size() > 1 && !failedNames.empty()))
    status_ = statusCode(PackageStatus::VariablesNotInitialised);
  finish(package, overrides);
  return !users_.empty();
}

bool UserSet::selectAllUsers(const PackageVariableSource& package,
                             const std::vector<VariableOverride>& overrides) {
  for (const std::string& name : allUserAccountNames(system_)) addUser(name);
  if (users_.empty()) status_ = statusCode(PackageStatus::VariablesNotInitialised);
  finish(package, overrides);
  return !users_.empty();
}

PathVariable UserSet::variableForPath(const std::string& path) const {
  if (undoPackage_ || users_.empty()) return {};
  return tessary::variableForPath(users_.front(), path);
}

int UserSet::unsubstituteVariables(std::string& text, int mode) const {
  if (undoPackage_ || users_.empty()) return 0;
  return tessary::unsubstituteVariables(users_.front(), text, mode);
}

}  // namespace tessary
