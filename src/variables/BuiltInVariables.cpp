#include "variables/BuiltInVariables.h"

#include <string_view>

#include "support/PathText.h"
#include "support/RegistryRead.h"
#include "variables/MachineAddress.h"
#include "variables/UserHive.h"

namespace tessary {
namespace {

// What the fall-backs are made of.
struct FolderFacts {
  const SystemFamily& family;
  bool profilesOn;
  std::string windows;        // W
  std::string drive;          // D, the drive of W
  std::string profile;        // P
  std::string profilesRoot;   // R, the folder holding every profile
  const std::vector<Variable>& made;  // the variables made so far

  const std::string& base() const { return profilesOn ? profile : windows; }

  const std::string& valueOf(std::string_view label) const {
    for (auto v = made.rbegin(); v != made.rend(); ++v)
      if (v->name.size() == label.size() + 2 && std::string_view(v->name).substr(1, label.size()) == label)
        return v->value;
    static const std::string none;
    return none;
  }
};

using Fallback = std::string (*)(const FolderFacts&);

struct ShellFolder {
  const char* label;
  const char* valueName;  // under Shell Folders
  Fallback fallback;      // when the value is missing or empty
};

// Per-user folders, from the user's own hive.
const ShellFolder kUserFolders[] = {
    {"Application Data", "AppData", [](const FolderFacts& f) { return f.base() + "\\Application Data"; }},
    {"Local Application Data", "Local AppData",
     [](const FolderFacts& f) { return f.base() + "\\Local Settings\\Application Data"; }},
    {"Cache", "cache",
     [](const FolderFacts& f) {
       if (!f.profilesOn) return f.windows + "\\Temporary Internet Files";
       return f.profile + (f.family.isNt5() ? "\\Local Settings\\Temporary Internet Files"
                                            : "\\Temporary Internet Files");
     }},
    {"History", "history",
     [](const FolderFacts& f) {
       if (!f.profilesOn) return f.windows + "\\history";
       return f.profile + (f.family.isNt5() ? "\\Local Settings\\history" : "\\history");
     }},
    {"Local Settings", "Local Settings", [](const FolderFacts& f) { return f.base() + "\\Local Settings"; }},
    {"Cookies", "cookies", [](const FolderFacts& f) { return f.base() + "\\cookies"; }},
    {"Fonts", "fonts", [](const FolderFacts& f) { return f.windows + "\\fonts"; }},
    {"My Documents", "personal",
     [](const FolderFacts& f) {
       if (f.family.isWin95()) return f.drive + "\\my documents";
       return f.profile + (f.family.isNt5() ? "\\my documents" : "\\personal");
     }},
    {"My Pictures", "my pictures",
     [](const FolderFacts& f) { return f.valueOf("My Documents") + "\\my pictures"; }},
    {"Nethood", "NetHood", [](const FolderFacts& f) { return f.base() + "\\nethood"; }},
    {"Printhood", "PrintHood", [](const FolderFacts& f) { return f.base() + "\\printhood"; }},
    {"Desktop", "Desktop", [](const FolderFacts& f) { return f.base() + "\\Desktop"; }},
    {"Recent", "Recent", [](const FolderFacts& f) { return f.base() + "\\Recent"; }},
    {"Templates", "templates",
     [](const FolderFacts& f) {
       return f.family.isNt5() ? f.profile + "\\Templates" : f.windows + "\\ShellNew";
     }},
    {"Start Menu", "Start Menu", [](const FolderFacts& f) { return f.base() + "\\Start Menu"; }},
    {"Send To", "SendTo", [](const FolderFacts& f) { return f.base() + "\\SendTo"; }},
    {"Programs", "programs", [](const FolderFacts& f) { return f.base() + "\\Programs"; }},
    {"Favorites", "favorites", [](const FolderFacts& f) { return f.base() + "\\favorites"; }},
    {"Startup", "Startup", [](const FolderFacts& f) { return f.base() + "\\Startup"; }},
};

// The all-users folder `name` ("Desktop", "Start Menu", ...) of the family.
std::string allUsersFolder(const FolderFacts& f, const char* name) {
  if (f.family.isWin95()) return f.windows + "\\" + name;
  if (f.family.isWin98Me()) return f.windows + "\\All Users\\" + name;
  return f.profilesRoot + "\\All Users\\" + name;
}

// Shared folders, from the machine's Shell Folders key.
const ShellFolder kAllUsersFolders[] = {
    {"All Users Application Data", "Common AppData",
     [](const FolderFacts& f) { return allUsersFolder(f, "Application Data"); }},
    {"All Users Desktop", "Common Desktop", [](const FolderFacts& f) { return allUsersFolder(f, "Desktop"); }},
    {"All Users Start Menu", "Common Start Menu",
     [](const FolderFacts& f) { return allUsersFolder(f, "Start Menu"); }},
    {"All Users Programs", "Common Programs",
     [](const FolderFacts& f) { return f.valueOf("All Users Start Menu") + "\\Programs"; }},
    {"All Users Startup", "Common Startup",
     [](const FolderFacts& f) { return f.valueOf("All Users Programs") + "\\Startup"; }},
    {"All Users Templates", "Templates",
     [](const FolderFacts& f) {
       if (f.family.nt && !f.family.isNt5()) return f.profilesRoot + "\\All Users\\Templates";
       return allUsersFolder(f, "ShellNew");
     }},
};

struct RootVariable {
  const char* label;
  const char* value;
};

const RootVariable kRootVariables[] = {
    {"Local Machine", "HKEY_LOCAL_MACHINE"},
    {"Current User", "HKEY_CURRENT_USER"},
    {"Users", "HKEY_USERS"},
};

void addBuiltIn(UserContext& user, std::string_view label, std::string value, std::int32_t isPath) {
  Variable v;
  v.kind = VariableKind::BuiltIn;
  v.name = "$" + std::string(label) + "$";
  v.defaultText = value;
  v.value = std::move(value);
  v.isPath = isPath;
  user.variables.push_back(std::move(v));
}

void addShellFolders(Platform& platform, UserContext& user, const std::string& key,
                     const FolderFacts& facts, const ShellFolder* begin, const ShellFolder* end) {
  for (const ShellFolder* folder = begin; folder != end; ++folder) {
    std::string value = readString(platform, key, folder->valueName);
    if (value.empty()) value = folder->fallback(facts);
    addBuiltIn(user, folder->label, std::move(value), 1);
  }
}

std::string withQuestionMarks(std::string text) {
  for (char& c : text)
    if (c == ':') c = '?';
  return text;
}

}  // namespace

bool buildUserVariables(TargetSystem& system, UserContext& user) {
  Platform& platform = system.platform;
  const std::string windows = platform.windowsFolder();
  const std::size_t lastSlash = user.profileDir.rfind('\\');
  const FolderFacts facts{
      system.family,
      userProfilesEnabled(system) == 1,
      windows,
      drivePart(windows),
      user.profileDir,
      lastSlash == std::string::npos ? user.profileDir : user.profileDir.substr(0, lastSlash),
      user.variables,
  };

  {
    const UserHive hive = UserHive::load(system, user.hiveKey, user.profileDir);
    if (!hive.usable()) return false;
    addShellFolders(platform, user, kUsersRoot + user.hiveKey + kShellFoldersSubkey, facts,
                    std::begin(kUserFolders), std::end(kUserFolders));
  }

  addBuiltIn(user, "Windows", windows, 1);
  addBuiltIn(user, "System Drive", facts.drive, 1);
  addBuiltIn(user, "MSI Windows", withQuestionMarks(windows), 1);
  const std::size_t slash = user.accountName.find('\\');
  addBuiltIn(user, "Username", slash == std::string::npos ? std::string() : user.accountName.substr(slash + 1), 0);
  addBuiltIn(user, "Computername", machineComputerName(platform), 0);
  addBuiltIn(user, "IP Address", machineIpAddress(system), 0);

  std::string programFiles = readString(platform, kMachineCurrentVersion, "ProgramFilesDir");
  if (programFiles.empty()) {
    programFiles = platform.expandEnvironment("%SystemDrive%");
    // The 95 family has no such variable: its drive is the Windows drive.
    if (programFiles.find('%') != std::string::npos) programFiles = facts.drive;
  }
  if (!programFiles.empty()) {
    addBuiltIn(user, "Program Files", programFiles, 1);
    addBuiltIn(user, "MSI Program Files", withQuestionMarks(programFiles), 1);
  }

  addShellFolders(platform, user, kMachineShellFolders, facts, std::begin(kAllUsersFolders),
                  std::end(kAllUsersFolders));

  for (const RootVariable& root : kRootVariables) addBuiltIn(user, root.label, root.value, 1);
  return true;
}

}  // namespace tessary
