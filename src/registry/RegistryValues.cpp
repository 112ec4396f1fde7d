// Value nodes: the package's data prepared (variables, "[LFN]" markers,
// the merge rules), compared with what is stored, recorded for the undo
// package and written; or the value deleted.
#include "registry/EnvironmentKey.h"
#include "registry/PathListMerge.h"
#include "registry/PathOnWrite.h"
#include "registry/RegistryDataText.h"
#include "registry/RegistryPassRunner.h"
#include "registry/RegistryValueData.h"
#include "registry/SharedDllCount.h"
#include "registry/StringData.h"
#include "support/FillFields.h"
#include "support/LfnMarkers.h"
#include "support/TextCompare.h"
#include "variables/Substitution.h"

namespace tessary {

namespace {

constexpr std::string_view kLfnOpen = "[LFN]";

std::string withShortPaths(Platform& platform, const CTree& node, std::string text) {
  if (node.attributes != 1 || text.find(kLfnOpen) == std::string::npos) return text;
  return fromLfnMarkers(platform, text);
}

}  // namespace

std::string RegistryPassRunner::valueNameOf(const CTree& node, const CTree& parent, const Scope& scope) const {
  const bool below = node.name.size() > parent.name.size() && node.name[parent.name.size()] == '\\' &&
                     equalsNoCase(std::string_view(node.name).substr(0, parent.name.size()), parent.name);
  const std::size_t slash = node.name.rfind('\\');
  std::string name = below ? node.name.substr(parent.name.size() + 1)
                           : (slash == std::string::npos ? node.name : node.name.substr(slash + 1));
  if (context_.undoPackage) return name;
  const UserContext& user =
      scope.user ? *scope.user : (context_.users.empty() ? noUser_ : context_.users.front());
  substituteVariables(user, name, kSubstituteEveryOne);
  return name;
}

void RegistryPassRunner::handleValue(const CTree& node, const CTree& parent, const std::string& keyPath,
                                     const Scope& scope) {
  std::string name = withShortPaths(platform(), node, valueNameOf(node, parent, scope));
  const std::string valuePath = keyPath + "\\" + name;
  if (node.flags & kTreeFlagDelete) return deleteValue(keyPath, name);

  RegistryValueRecord record;
  const std::optional<KeyRef> key = writableKey(keyPath);
  if (!key || !context_.readRecord(node, record) || !recordDataFits(record.type, record.data))
    return failed(Str::kRegValueWriteFailed, valuePath);

  RegistryValue value{std::move(name), record.type, std::move(record.data)};
  if (isStringType(value.type)) {
    std::string textData = textOfData(value.data);
    if (!context_.undoPackage) {
      const UserContext& user =
          scope.user ? *scope.user : (context_.users.empty() ? noUser_ : context_.users.front());
      substituteVariables(user, textData, kSubstituteAll);
    }
    value.data = dataOfText(withShortPaths(platform(), node, textData));
  } else if (value.type == kRegMultiSz && !context_.undoPackage) {
    std::vector<std::string> strings = multiStringsOf(value.data);
    const UserContext& user =
        scope.user ? *scope.user : (context_.users.empty() ? noUser_ : context_.users.front());
    for (std::string& item : strings) substituteVariables(user, item, kSubstituteAll);
    value.data = packMultiStrings(strings);
  }

  KeyAccessRepair access(platform(), *key, !context_.simulate);
  std::optional<RegistryValue> stored;
  if (RegistryValue found; platform().regQueryValue(key->root, key->subkey, value.name, found) == kErrorSuccess)
    stored = std::move(found);

  if (!context_.undoPackage) {
    if (isEnvironmentKey(keyPath, context_.system.family)) value = mergeEnvironmentValue(value, stored);
    if (isSharedDllKey(valuePath)) value = addSharedDllCount(value, stored);
    if (recording()) {
      if (stored)
        context_.undo->valueChanged(keyPath, *stored);
      else
        context_.undo->valueCreated(keyPath, value);
    }
  }
  if (!writeValue(keyPath, *key, value, stored, !context_.undoPackage)) failed(Str::kRegValueWriteFailed, valuePath);
}

bool RegistryPassRunner::writeValue(const std::string& keyPath, const KeyRef& key, const RegistryValue& value,
                                    const std::optional<RegistryValue>& stored, bool logged) {
  RunLog& log = context_.log;
  if (logged) {
    log.leveledLine(fillNumberedFields(text(Str::kRegValueAdded), {keyPath, value.name}), 3);
    const std::string newText = registryDataText(value.type, value.data);
    log.leveledLine(newText, 4);
    if (stored && stored->type == value.type && registryDataDiffers(value.data, stored->data)) {
      log.leveledLine(fillNumberedFields(text(Str::kRegDataMismatch), {registryDataText(stored->type, stored->data), newText}), 4);
    } else if (stored && stored->type != value.type) {
      log.leveledLine(keyPath + ":\t" + value.name, 1);
      log.leveledLine(
          fillNumberedFields(text(Str::kRegTypeMismatch), {registryTypeName(stored->type), registryTypeName(value.type)}), 1);
    }
  }
  if (context_.simulate) return true;

  if (platform().regOpenKey(key.root, key.subkey) == kErrorFileNotFound) {
    recordMissingChain(key, keyPath);
    bool created = false;
    if (platform().regCreateKey(key.root, key.subkey, created) != kErrorSuccess) return false;
  }
  if (!context_.undoPackage) {
    PathWrite planned = planPathWrite(key.subkey, value, stored);
    if (planned.handled) {
      if (!planned.value) return true;
      if (platform().regSetValue(key.root, key.subkey, *planned.value) != kErrorSuccess) return false;
      if (planned.broadcastDue) platform().broadcastSettingChange();
      return true;
    }
  }
  return platform().regSetValue(key.root, key.subkey, value) == kErrorSuccess;
}

void RegistryPassRunner::deleteValue(const std::string& keyPath, const std::string& valueName) {
  const std::optional<KeyRef> key = writableKey(keyPath);
  if (!key) {
    context_.log.logLine(fillFields(text(Str::kRegValueDeleteFailed), {keyPath}));
    return;
  }
  KeyAccessRepair access(platform(), *key, !context_.simulate);
  const WinError opened = platform().regOpenKey(key->root, key->subkey);
  if (opened == kErrorFileNotFound) {
    context_.log.logLine(fillFields(text(Str::kRegValueDeleteFailed), {keyPath}));
    return;
  }
  if (opened != kErrorSuccess) {
    context_.log.logLine(fillFields(text(Str::kRegDeleteError), {keyPath, std::to_string(opened)}));
    return;
  }
  RegistryValue old;
  const bool existed = platform().regQueryValue(key->root, key->subkey, valueName, old) == kErrorSuccess;
  if (existed && recording()) context_.undo->valueChanged(keyPath, old);
  if (existed && !context_.simulate) {
    const WinError deleted = platform().regDeleteValue(key->root, key->subkey, valueName);
    if (deleted != kErrorSuccess) {
      context_.log.logLine(
          fillFields(text(Str::kRegDeleteError), {keyPath + "\\" + valueName, std::to_string(deleted)}));
      return;
    }
  }
  const std::string shownName = valueName.empty() ? text(Str::kRegDefaultValueWord) : valueName;
  context_.log.logLine(fillNumberedFields(text(Str::kRegValueDeleted), {keyPath, shownName}));
  if (existed) context_.log.leveledLine(registryDataText(old.type, old.data), 4);
}

}  // namespace tessary
