#include "cli/VarsCommand.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/PackageReader.h"
#include "platform/sim/SimPlatform.h"
#include "variables/UserSet.h"

namespace tessary::cli {

namespace {

enum class Selection { CurrentUser, List, AllUsers };

struct VarsRequest {
  std::string machine;
  std::string package;
  std::string users;
  Selection selection = Selection::CurrentUser;
};

bool parseRequest(const Arguments& arguments, VarsRequest& request) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--machine" && i + 1 < arguments.size()) {
      request.machine = arguments[++i];
    } else if (word == "--users" && i + 1 < arguments.size()) {
      request.users = arguments[++i];
      request.selection = Selection::List;
    } else if (word == "--all-users") {
      request.selection = Selection::AllUsers;
    } else if (!word.empty() && word[0] != '-' && request.package.empty()) {
      request.package = word;
    } else {
      return false;
    }
  }
  return !request.machine.empty();
}

void printUsers(const UserSet& users) {
  for (const UserContext& user : users.users()) {
    std::printf("User: %s\n  profile: %s\n  hive: %s\n", user.accountName.c_str(), user.profileDir.c_str(),
                user.hiveKey.c_str());
    for (const Variable& variable : user.variables)
      std::printf("  %-28s %s\n", variable.name.c_str(), variable.value.c_str());
  }
}

}  // namespace

int runVarsCommand(const Arguments& arguments) {
  VarsRequest request;
  if (!parseRequest(arguments, request)) {
    std::fprintf(stderr, "usage: tessary %s\n", kVarsUsage);
    return 2;
  }
  std::string error;
  std::unique_ptr<SimPlatform> platform = SimPlatform::load(request.machine, error);
  if (!platform) {
    std::fprintf(stderr, "tessary vars: %s\n", error.c_str());
    return 1;
  }
  PackageVariableSource source;
  if (!request.package.empty()) {
    OpenPackage package;
    if (!openPackage(request.package, package, error)) {
      std::fprintf(stderr, "tessary vars: %s: %s\n", request.package.c_str(), error.c_str());
      return 1;
    }
    source.present = true;
    source.records = package.variables;
  }
  // Hives load only with these, as the runtime takes them at start.
  for (const char* privilege : {"SeBackupPrivilege", "SeRestorePrivilege"}) platform->setPrivilege(privilege, true);

  UserSet users(*platform);
  std::vector<std::string> failed;
  bool found = false;
  switch (request.selection) {
    case Selection::CurrentUser: found = users.selectCurrentUser(source, {}); break;
    case Selection::List: found = users.selectUserList(source, request.users, {}, failed); break;
    case Selection::AllUsers: found = users.selectAllUsers(source, {}); break;
  }
  for (const std::string& name : failed) std::fprintf(stderr, "tessary vars: no user \"%s\"\n", name.c_str());
  if (!found) {
    std::fprintf(stderr, "tessary vars: no user could be initialised (status %d)\n", users.status());
    return 1;
  }
  printUsers(users);
  return 0;
}

}  // namespace tessary::cli
