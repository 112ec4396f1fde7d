// The walk: machine nodes once with the first user's variables, per-user
// nodes once per target user inside that user's hive, progress counted once
// per node and the cancel flag polled between nodes.
#include "registry/RegistryPass.h"

#include "registry/RegistryPassRunner.h"
#include "support/FillFields.h"
#include "support/TextCompare.h"
#include "variables/Substitution.h"
#include "variables/UserHive.h"

namespace tessary {

namespace {

constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";
constexpr std::string_view kUsersPrefix = "HKEY_USERS\\";

bool isKeyNode(const CTree& node) { return node.dataOffset == -1; }

std::uint64_t subtreeBytes(const CTree& node) {
  std::uint64_t bytes = node.dataSize;
  for (const auto& child : node.children) bytes += subtreeBytes(*child);
  return bytes;
}

// An undo package keeps per-user keys under HKEY_USERS\<hive>; every hive
// but the default one must be loaded before its keys are touched.
bool namesProfileHive(std::string_view path) {
  if (!startsWithNoCase(path, kUsersPrefix)) return false;
  std::string_view hive = path.substr(kUsersPrefix.size());
  hive = hive.substr(0, hive.find('\\'));
  return !hive.empty() && !equalsNoCase(hive, ".default");
}

}  // namespace

RegistryPassRunner::RegistryPassRunner(RegistryPassContext& context) : context_(context) {}

RegistryPassResult RegistryPassRunner::run(const CTree& root) {
  total_ = subtreeBytes(root);
  const bool walked = !root.children.empty() && walkChildren(root, std::string(), Scope{}) && !cancelled_;
  return RegistryPassResult{walked, errors_};
}

void RegistryPassRunner::failed(Str id, const std::string& path) {
  context_.log.logLine(fillFields(text(id), {path}));
  ++errors_;
}

void RegistryPassRunner::countProgress(std::uint64_t bytes, const std::string& path) {
  done_ += bytes;
  const std::uint64_t percent = total_ == 0 ? 100 : std::min<std::uint64_t>(done_ * 100 / total_, 100);
  context_.progress(static_cast<int>(percent), path);
}

bool RegistryPassRunner::walkChildren(const CTree& key, const std::string& keyPath, const Scope& scope) {
  if (!context_.goOn()) {
    cancelled_ = true;
    return false;
  }
  for (const auto& child : key.children)
    if (!walkNode(*child, key, keyPath, scope)) return false;
  return true;
}

bool RegistryPassRunner::walkNode(const CTree& node, const CTree& parent, const std::string& parentPath,
                                  const Scope& scope) {
  if (!context_.goOn()) {
    cancelled_ = true;
    return false;
  }
  if (!scope.perUser && !context_.undoPackage &&
      resolvePath(node, parent, parentPath, scope).find(kCurrentUserRoot) != std::string::npos)
    return walkPerUser(node, parent, parentPath);
  return handleNode(node, parent, parentPath, scope);
}

bool RegistryPassRunner::walkPerUser(const CTree& node, const CTree& parent, const std::string& parentPath) {
  const std::vector<UserContext>& users = context_.users;
  for (std::size_t at = 0; at < users.size(); ++at) {
    const UserContext& user = users[at];
    const bool last = at + 1 == users.size();
    UserHive hive = UserHive::load(context_.system, user.hiveKey, user.profileDir);
    if (!hive.usable()) {
      context_.log.logLine(fillFields(text(Str::kRegHiveLoadError), {user.hiveKey}));
      // Every node counts once, even when the last user is passed over.
      if (last) countProgress(subtreeBytes(node), parentPath);
      continue;
    }
    if (!handleNode(node, parent, parentPath, Scope{&user, true, last})) return false;
  }
  return true;
}

std::string RegistryPassRunner::resolvePath(const CTree& node, const CTree& parent, const std::string& parentPath,
                                            const Scope& scope) const {
  if (context_.undoPackage) return node.name;
  const UserContext& user =
      scope.user ? *scope.user : (context_.users.empty() ? noUser_ : context_.users.front());
  // Names hold full paths: the part below the parent is resolved on its own.
  const bool below = !parent.name.empty() && node.name.size() > parent.name.size() &&
                     node.name[parent.name.size()] == '\\' &&
                     equalsNoCase(std::string_view(node.name).substr(0, parent.name.size()), parent.name);
  std::string own = below ? node.name.substr(parent.name.size() + 1) : node.name;
  substituteVariables(user, own, kSubstituteFirst);
  std::string path = below ? parentPath + "\\" + own : own;
  if (scope.perUser) {
    const std::size_t at = path.find(kCurrentUserRoot);
    if (at != std::string::npos) path.replace(at, kCurrentUserRoot.size(), std::string(kUsersPrefix) + user.hiveKey);
  }
  return path;
}

bool RegistryPassRunner::handleNode(const CTree& node, const CTree& parent, const std::string& parentPath,
                                    const Scope& scope) {
  if (!isKeyNode(node)) {
    if (scope.countsProgress) countProgress(node.dataSize, parentPath);
    handleValue(node, parent, parentPath, scope);
    return true;
  }
  const std::string path = resolvePath(node, parent, parentPath, scope);
  if (scope.countsProgress) countProgress(node.dataSize, path);
  return handleKey(node, path, scope);
}

bool RegistryPassRunner::handleKey(const CTree& node, const std::string& path, const Scope& scope) {
  std::optional<UserHive> hive;
  if (context_.undoPackage && namesProfileHive(path)) {
    hive.emplace(UserHive::loadForUsersPath(context_.system, path));
    if (!hive->usable()) {
      context_.log.logLine(fillFields(text(Str::kRegHiveLoadError), {path}));
      return true;
    }
  }
  if ((node.flags & kTreeFlagDelete) == 0) {
    ensureKey(path);
    return walkChildren(node, path, scope);
  }
  if (context_.repair) return true;
  return deleteKeyNode(node, path, scope);
}

RegistryPassResult registryPass(const CTree& root, RegistryPassContext& context) {
  return RegistryPassRunner(context).run(root);
}

}  // namespace tessary
