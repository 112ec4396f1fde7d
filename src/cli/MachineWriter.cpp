#include "cli/MachineWriter.h"

#include <fstream>
#include <system_error>

#include <unistd.h>

#include "cli/MachineFiles.h"
#include "cli/MachineIni.h"
#include "cli/MachineLayout.h"
#include "cli/MachinePaths.h"
#include "cli/MachineRegistry.h"
#include "platform/sim/RegText.h"

namespace tessary::cli {

namespace {

void addProfileFolders(MachineFiles& files, const MachineFacts& facts, const MachinePaths& paths,
                       const std::string& profile) {
  files.addFolder(profile);
  for (const ShellFolderRow& row : userShellFolders(facts.family, facts.profilesOn))
    if (row.base == FolderBase::Profile) files.addFolder(shellFolderPath(row, paths, profile));
  if (facts.family == WindowsFamily::Nt5) files.addFolder(profile + "\\Local Settings\\Temp");
}

std::string hiveFileText(const MachineFacts& facts, const MachinePaths& paths, const HiveOwner& owner) {
  RegistryTree hive;
  writeUserHive(hive, kHiveFileRoot, facts, paths, owner);
  return writeRegText(hive);
}

// Everything but the registry file: users' folders and hives, the Windows
// installation, the drives.
void gatherFiles(MachineFiles& files, RegistryTree& live, const MachineFacts& facts,
                 const MachinePaths& paths) {
  for (const std::string& folder : familyFolders(facts, paths)) files.addFolder(folder);
  for (const FileFacts& file : familyFiles(facts, paths)) files.addFile(file.path, file.text);
  files.addFolder(paths.systemTemp);

  // The Windows folder's own shell folders (95 family default hive).
  if (facts.family == WindowsFamily::Win9x)
    for (const ShellFolderRow& row : userShellFolders(facts.family, false))
      files.addFolder(shellFolderPath(row, paths, paths.windows));
  for (const ShellFolderRow& row : commonShellFolders(facts))
    files.addFolder(shellFolderPath(row, paths, paths.allUsers));

  bool perUserHives = facts.family != WindowsFamily::Win9x || facts.profilesOn;
  for (const AccountFacts& account : facts.accounts) {
    std::string profile = paths.profileOf(account);
    files.addFolder(paths.tempOf(account));
    if (!perUserHives || profile.empty()) continue;
    addProfileFolders(files, facts, paths, profile);
    HiveOwner owner{account.name, account.domain, profile, account.loggedOn};
    // The logged-on user's file is there too, held open by the system.
    if (account.loggedOn) writeUserHive(live, "HKEY_USERS\\" + paths.hiveKeyOf(account), facts, paths, owner);
    files.addFile(paths.hiveFileIn(profile), hiveFileText(facts, paths, owner));
  }
  if (!paths.defaultUser.empty()) {
    addProfileFolders(files, facts, paths, paths.defaultUser);
    files.addFile(paths.hiveFileIn(paths.defaultUser),
                  hiveFileText(facts, paths, HiveOwner{"", "", paths.defaultUser, false}));
  }
}

bool writeText(const std::filesystem::path& path, const std::string& text, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) error = path.string() + ": cannot write the file";
  return static_cast<bool>(out);
}

bool writeInto(const std::filesystem::path& staging, const MachineFacts& facts, std::string& error) {
  MachinePaths paths(facts);
  RegistryTree live;
  writeMachineKeys(live, facts, paths);
  writeNetworkKeys(live, facts);
  writeDefaultHive(live, facts, paths);
  MachineFiles files;
  gatherFiles(files, live, facts, paths);

  std::error_code ec;
  std::filesystem::create_directories(staging / "drives", ec);
  for (const DriveFacts& drive : facts.drives)
    if (!ec) std::filesystem::create_directories(staging / "drives" / std::string(1, drive.letter), ec);
  if (ec) {
    error = staging.string() + ": " + ec.message();
    return false;
  }
  return writeText(staging / "machine.ini", machineIniText(facts, paths), error) &&
         writeText(staging / "registry.reg", writeRegText(live), error) &&
         files.write(staging / "drives", error);
}

}  // namespace

bool writeMachine(const MachineFacts& facts, const std::filesystem::path& folder, std::string& error) {
  std::error_code ec;
  std::filesystem::path target = std::filesystem::absolute(folder, ec);
  if (ec) {
    error = folder.string() + ": " + ec.message();
    return false;
  }
  target = target.lexically_normal();
  if (!target.has_filename()) target = target.parent_path();
  std::filesystem::path staging =
      target.parent_path() / ("." + target.filename().string() + ".new-" + std::to_string(::getpid()));
  std::filesystem::remove_all(staging, ec);

  if (!writeInto(staging, facts, error)) {
    std::filesystem::remove_all(staging, ec);
    return false;
  }
  // An empty folder given by the caller is replaced by the finished one.
  if (std::filesystem::is_directory(target, ec)) std::filesystem::remove(target, ec);
  std::filesystem::rename(staging, target, ec);
  if (ec) {
    error = target.string() + ": " + ec.message();
    std::error_code ignored;
    std::filesystem::remove_all(staging, ignored);
    return false;
  }
  return true;
}

}  // namespace tessary::cli
