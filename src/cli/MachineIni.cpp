#include "cli/MachineIni.h"

#include <algorithm>
#include <map>

#include "cli/MachineRegistry.h"
#include "platform/sim/SimText.h"

namespace tessary::cli {

namespace {

const AccountFacts* loggedOnAccount(const MachineFacts& facts) {
  for (const AccountFacts& account : facts.accounts)
    if (account.loggedOn) return &account;
  return nullptr;
}

class IniText {
 public:
  IniText& comment(const std::string& text) { return line("; " + text); }
  IniText& section(const std::string& name) {
    if (!text_.empty()) text_ += "\r\n";
    return line("[" + name + "]");
  }
  IniText& key(const std::string& name, const std::string& value) { return line(name + "=" + value); }
  IniText& line(const std::string& text) {
    text_ += text + "\r\n";
    return *this;
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::string join(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) text += (i ? "," : "") + items[i];
  return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> processEnvironment(const MachineFacts& facts,
                                                                    const MachinePaths& paths) {
  const AccountFacts* user = loggedOnAccount(facts);
  std::map<std::string, std::pair<std::string, std::string>> merged;  // by upper-cased name
  auto set = [&](const std::string& name, const std::string& value) {
    merged[foldCase(name)] = {name, value};
  };

  if (facts.family == WindowsFamily::Win9x) {
    set("COMSPEC", paths.windows + "\\COMMAND.COM");
    set("PATH", paths.windows + ";" + paths.windows + "\\COMMAND");
    set("PROMPT", "$p$g");
    set("TEMP", paths.systemTemp);
    set("TMP", paths.systemTemp);
    set("winbootdir", paths.windows);
    set("windir", paths.windows);
    set("CMDLINE", "WIN");
  } else {
    std::string profile = user ? paths.profileOf(*user) : std::string();
    for (const EnvironmentRow& row : systemEnvironment(facts))
      set(row.name, row.expand ? paths.expand(row.text, profile) : row.text);
    for (const EnvironmentRow& row : userEnvironment(facts, user != nullptr)) {
      std::string value = row.expand ? paths.expand(row.text, profile) : row.text;
      auto existing = merged.find(foldCase(row.name));
      if (equalsNoCase(row.name, "PATH") && existing != merged.end())
        existing->second.second += ";" + value;
      else
        set(row.name, value);
    }
    set("COMPUTERNAME", facts.computerName);
    set("SystemDrive", paths.systemDrive);
    set("SystemRoot", paths.windows);
    if (user) {
      set("USERNAME", user->name);
      set("USERDOMAIN", user->domain);
      set("USERPROFILE", profile);
      set("HOMEDRIVE", paths.systemDrive);
      set("HOMEPATH", facts.family == WindowsFamily::Nt5 ? profile.substr(paths.systemDrive.size()) : "\\");
      set("LOGONSERVER", "\\\\" + facts.computerName);
    }
    if (facts.family == WindowsFamily::Nt5) {
      set("ALLUSERSPROFILE", paths.allUsers);
      set("ProgramFiles", paths.programFiles);
      set("CommonProgramFiles", paths.commonFiles);
      if (user) set("APPDATA", profile + "\\Application Data");
      if (facts.minor >= 1) {
        set("CLIENTNAME", "Console");
        set("SESSIONNAME", "Console");
      }
    }
  }
  std::vector<std::pair<std::string, std::string>> rows;
  for (const auto& [key, row] : merged) rows.push_back(row);
  return rows;
}

std::string machineIniText(const MachineFacts& facts, const MachinePaths& paths) {
  const AccountFacts* user = loggedOnAccount(facts);
  bool nt = facts.family != WindowsFamily::Win9x;
  IniText ini;
  ini.comment("A simulated computer: " + facts.comment + ".")
      .comment("Written by \"tessary machine new\"; edit freely (see docs/simulated-computer.md).");

  ini.section("os")
      .key("platform", nt ? "2" : "1")
      .key("major", std::to_string(facts.major))
      .key("minor", std::to_string(facts.minor))
      .key("build", std::to_string(facts.build))
      .key("csd", facts.csd);

  ini.section("computer")
      .key("name", facts.computerName)
      .key("memory", std::to_string(facts.memoryMb))
      .key("windows", paths.windows)
      .key("system", paths.system);

  ini.section("session")
      .key("user", user ? user->name : "")
      .key("temp", (user ? paths.tempOf(*user) : paths.systemTemp) + "\\");

  if (nt) {
    ini.section("privileges")
        .key("held", "SeBackupPrivilege, SeRestorePrivilege, SeSecurityPrivilege, "
                     "SeTakeOwnershipPrivilege, SeShutdownPrivilege");
  }
  // The 95 family has neither domains nor SIDs for its users.
  ini.section("accounts").comment("name=domain,sid,type[,profile]");
  for (const AccountFacts& account : facts.accounts) {
    std::vector<std::string> fields = {account.domain, account.sid, account.type};
    if (!account.profileFolder.empty()) fields.push_back(paths.profileOf(account));
    ini.key(account.name, join(fields));
  }
  if (nt) {
    ini.section("domains").comment("DOMAIN=controller; empty = the controller does not answer");
    for (const DomainFacts& domain : facts.domains) ini.key(domain.name, domain.controller);
  }

  ini.section("drives").comment("letter=type,free,total");
  for (const DriveFacts& drive : facts.drives)
    ini.key(std::string(1, drive.letter), drive.type + "," + drive.free + "," + drive.total);

  ini.section("env");
  for (const auto& [name, value] : processEnvironment(facts, paths)) ini.key(name, value);

  ini.section("clock").key("now", facts.clock);

  std::vector<std::string> listed;
  for (const AdapterFacts& adapter : facts.network.adapters)
    if (adapter.listed) listed.push_back(adapter.section);
  ini.section("network").key("adapters", join(listed));
  for (const AdapterFacts& adapter : facts.network.adapters) {
    if (!adapter.listed) continue;
    ini.section("adapter." + adapter.section)
        .key("index", std::to_string(adapter.index))
        .key("type", std::to_string(adapter.type))
        .key("mac", adapter.mac);
    if (!adapter.address.empty()) ini.key("address", adapter.address).key("mask", adapter.mask);
    ini.key("description", adapter.description);
    if (!nt) ini.key("present", adapter.present ? "yes" : "no");
  }

  ini.line("")
      .comment("[ui] answers=ok,yes,...   answers to message boxes and dialogs, in order")
      .comment("[faults] comRuntime=fail, readonly=, locked=, deniedKeys=, missingFunctions=");
  return ini.text();
}

}  // namespace tessary::cli
