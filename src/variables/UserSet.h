// The users an install is for, each with its variable table; the first
// one created is the one whose table the install's path look-ups use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/EngineStatus.h"
#include "variables/FolderId.h"
#include "variables/PackageVariableLoad.h"
#include "variables/Substitution.h"
#include "variables/TargetSystem.h"
#include "variables/Variable.h"

namespace tessary {

class UserSet {
 public:
  explicit UserSet(Platform& platform) : system_(platform) {}
  UserSet(Platform& platform, SystemFamily family) : system_(platform, family) {}

  // Each creates its users, then adds the package's variables to every
  // user and sorts each table. False when no user could be created
  // (status 10025); a package without variables leaves status 10026 but
  // its users keep their built-ins.

  // The current user (currentUserName).
  bool selectCurrentUser(const PackageVariableSource& package, const std::vector<VariableOverride>& overrides);
  // The users of a ";"-separated list. A name that cannot be found is
  // skipped and added to `failedNames`; in a list of several names any
  // failure sets status 10025, as does a list of which none was found.
  bool selectUserList(const PackageVariableSource& package, const std::string& list,
                      const std::vector<VariableOverride>& overrides, std::vector<std::string>& failedNames);
  // Every profile, then ".default"; users that fail are dropped silently.
  bool selectAllUsers(const PackageVariableSource& package, const std::vector<VariableOverride>& overrides);

  // An undo package stores absolute paths: the look-ups below then find
  // nothing.
  void setUndoPackage(bool isUndoPackage) { undoPackage_ = isUndoPackage; }

  // variableForPath and unsubstituteVariables with the first user.
  PathVariable variableForPath(const std::string& path) const;
  int unsubstituteVariables(std::string& text, int mode) const;

  std::vector<UserContext>& users() { return users_; }
  const std::vector<UserContext>& users() const { return users_; }
  const UserContext* firstUser() const { return users_.empty() ? nullptr : &users_.front(); }
  // 10000, 10025 (variables not initialised) or 10026 (no "Variable"
  // stream): the caller hands it to the package engine.
  std::int32_t status() const { return status_; }
  TargetSystem& system() { return system_; }

 private:
  // Initialises `name` and keeps the user when that succeeds.
  bool addUser(const std::string& name);
  // Package variables and sorting, once the users are made.
  void finish(const PackageVariableSource& package, const std::vector<VariableOverride>& overrides);

  TargetSystem system_;
  std::vector<UserContext> users_;
  std::int32_t status_ = statusCode(PackageStatus::Success);
  bool undoPackage_ = false;
};

}  // namespace tessary
