// The fix-up after the file pass: each installed shortcut loaded, given
// its fields with this computer's paths, resolved and, where the system
// keeps it, saved.
#include "fileops/ShortcutFixUp.h"

#include "support/FillFields.h"
#include "support/LfnMarkers.h"

namespace tessary {
namespace {

constexpr std::string_view kLfnOpen = "[LFN]";
constexpr std::string_view kLfnClose = "[lfn]";

std::string resolved(const UserContext* user, std::string text) {
  if (user != nullptr) substituteVariables(*user, text, kSubstituteAll);
  return text;
}

void removeAll(std::string& text, std::string_view marker) {
  for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at))
    text.erase(at, marker.size());
}

}  // namespace

ShortcutFields resolvedShortcutFields(Platform& platform, const UserContext* user, const ShortcutDetails& details) {
  ShortcutFields fields;
  fields.targetPath = resolved(user, details.targetPath);
  fields.arguments = resolved(user, details.arguments);
  fields.iconFile = resolved(user, details.iconFile);
  if (fields.iconFile.find(kLfnOpen) != std::string::npos) {
    std::string expanded = fromLfnMarkers(platform, fields.iconFile);
    if (!expanded.empty()) {
      removeAll(expanded, kLfnOpen);
      removeAll(expanded, kLfnClose);
      fields.iconFile = expanded;
    }
  }
  fields.workingFolder = resolved(user, details.workingFolder);
  fields.showCommand = details.showCommand;
  fields.iconIndex = static_cast<std::int32_t>(details.iconIndex);
  return fields;
}

void FixUpShortcuts(const ShortcutFixUpRun& run, const std::vector<ShortcutRecord>& records) {
  const std::vector<UserContext>& users = run.users.users();
  for (const ShortcutRecord& record : records) {
    const UserContext* user = record.user < users.size() ? &users[record.user] : run.users.firstUser();
    // A shell namespace object ("{...}") keeps everything it was stored with.
    const bool keep = record.details.targetPath.find('{') != std::string::npos;
    const ShortcutFields fields = keep ? ShortcutFields{} : resolvedShortcutFields(run.platform, user, record.details);
    if (run.platform.fixUpShortcut(record.path, keep ? nullptr : &fields, run.save) != kErrorSuccess)
      run.log.sayText(fillFields(text(Str::kShortcutNotOpened), {record.path}));
  }
}

}  // namespace tessary
