#include "platform/sim/SimSettings.h"

#include "platform/sim/RegistryRoots.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimPrivileges.h"
#include "platform/sim/SimSettingsReader.h"
#include "platform/sim/SimSid.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

// The value split at commas, blanks trimmed, empty items kept.
std::vector<std::string> fields(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(',', start);
    items.emplace_back(trimBlanks(std::string_view(text).substr(start, comma == std::string::npos ? comma : comma - start)));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

bool readOs(SimSettingsReader& reader, OsVersion& os) {
  if (!reader.number("os", "platform", true, os.platformId) || !reader.number("os", "major", true, os.major) ||
      !reader.number("os", "minor", true, os.minor) || !reader.number("os", "build", false, os.build))
    return false;
  if (os.platformId != 1 && os.platformId != 2)
    return reader.fail("os", "platform", "must be 1 (95 family) or 2 (NT family)");
  os.servicePack = reader.ini().value("os", "csd");
  return true;
}

std::string withoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

void readFolders(const IniMap& ini, SimSettings& settings) {
  settings.computerName = ini.value("computer", "name");
  settings.windowsFolder = withoutTrailingBackslash(ini.value("computer", "windows"));
  if (settings.windowsFolder.empty()) settings.windowsFolder = "C:\\WINDOWS";
  settings.systemFolder = withoutTrailingBackslash(ini.value("computer", "system"));
  if (settings.systemFolder.empty())
    settings.systemFolder = settings.windowsFolder + (settings.os.platformId == 2 ? "\\system32" : "\\SYSTEM");
}

// GetTempPath's order: TMP, TEMP, then the Windows folder.
void readSession(const IniMap& ini, SimSettings& settings) {
  settings.user = ini.value("session", "user");
  const IniEntry* account = ini.entry("session", "account");
  if (account) {
    settings.account = account->value;
  } else if (!settings.user.empty()) {
    settings.account = settings.user;
  } else if (settings.os.platformId == 2) {
    settings.account = "SYSTEM";
  }
  std::string temp = ini.value("session", "temp");
  if (temp.empty()) temp = ini.value("env", "TMP");
  if (temp.empty()) temp = ini.value("env", "TEMP");
  if (temp.empty()) temp = settings.windowsFolder;
  if (temp.back() != '\\') temp += '\\';
  settings.temp = std::move(temp);
}

bool readPrivileges(SimSettingsReader& reader, std::set<std::string>& held) {
  for (const std::string& name : reader.ini().list("privileges", "held")) {
    std::string known = knownPrivilegeName(name);
    if (known.empty()) return reader.fail("privileges", "held", "names an unknown privilege \"" + name + "\"");
    held.insert(known);
  }
  return true;
}

bool readAccounts(SimSettingsReader& reader, std::map<std::string, SimAccount>& accounts) {
  const IniSection* section = reader.ini().section("accounts");
  if (!section) return true;
  for (const auto& [folded, entry] : section->entries) {
    std::vector<std::string> parts = fields(entry.value);
    if (parts.size() < 3 || parts.size() > 4)
      return reader.fail("accounts", entry.key, "must be domain,sid,type[,profile]");
    SimAccount account{entry.key, parts[0], parts[1], parts[2], parts.size() == 4 ? parts[3] : ""};
    std::vector<std::uint8_t> sid;
    if (!account.sid.empty() && !sidFromText(account.sid, sid))
      return reader.fail("accounts", entry.key, "has a malformed SID \"" + account.sid + "\"");
    if (!equalsNoCase(account.type, "user") && !equalsNoCase(account.type, "admin") &&
        !equalsNoCase(account.type, "deleted"))
      return reader.fail("accounts", entry.key, "type must be user, admin or deleted: \"" + account.type + "\"");
    WindowsPath parsed;
    if (!account.profile.empty() && parseWindowsPath(account.profile, parsed) != kErrorSuccess)
      return reader.fail("accounts", entry.key, "profile is not a full Windows path: \"" + account.profile + "\"");
    accounts[folded] = std::move(account);
  }
  return true;
}

// "300M", "2G", "4096", "0x1000".
bool parseSize(std::string text, std::uint64_t& bytes) {
  std::uint64_t scale = 1;
  if (!text.empty()) {
    switch (upperAscii(text.back())) {
      case 'K': scale = 1ull << 10; break;
      case 'M': scale = 1ull << 20; break;
      case 'G': scale = 1ull << 30; break;
      default: break;
    }
    if (scale != 1) text.pop_back();
  }
  std::uint64_t number = 0;
  if (!parseSimNumber(trimBlanks(text), number) || number > UINT64_MAX / scale) return false;
  bytes = number * scale;
  return true;
}

bool readDrives(SimSettingsReader& reader, std::vector<SimDriveRow>& drives) {
  struct TypeName {
    const char* name;
    std::uint32_t type;
  };
  static const TypeName kTypes[] = {{"fixed", kDriveFixed},   {"removable", kDriveRemovable},
                                    {"cdrom", kDriveCdRom},   {"remote", kDriveRemote},
                                    {"ramdisk", kDriveRamDisk}};
  const IniSection* section = reader.ini().section("drives");
  if (!section) return true;
  for (const auto& [folded, entry] : section->entries) {
    if (folded.size() != 1 || folded[0] < 'A' || folded[0] > 'Z')
      return reader.fail("drives", entry.key, "is not a drive letter");
    std::vector<std::string> parts = fields(entry.value);
    if (parts.size() != 3) return reader.fail("drives", entry.key, "must be type,free,total");
    SimDriveRow row;
    row.letter = folded[0];
    const TypeName* type = nullptr;
    for (const TypeName& candidate : kTypes)
      if (equalsNoCase(parts[0], candidate.name)) type = &candidate;
    if (!type) return reader.fail("drives", entry.key, "has an unknown drive type \"" + parts[0] + "\"");
    row.type = type->type;
    if (!parseSize(parts[1], row.freeBytes) || !parseSize(parts[2], row.totalBytes))
      return reader.fail("drives", entry.key, "has a size that is not a number (K, M or G may follow)");
    if (row.freeBytes > row.totalBytes) return reader.fail("drives", entry.key, "has more free bytes than in all");
    drives.push_back(row);  // the section is ordered by letter
  }
  return true;
}

int dayOfWeek(int year, int month, int day) {
  static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

bool readClock(SimSettingsReader& reader, LocalTime& now) {
  now = LocalTime{2000, 1, 6, 1, 12, 0, 0, 0};
  const IniEntry* entry = reader.ini().entry("clock", "now");
  if (!entry) return true;
  const std::string& text = entry->value;
  // YYYY-MM-DD HH:MM:SS
  static const char kShape[] = "dddd-dd-dd dd:dd:dd";
  bool shaped = text.size() == sizeof(kShape) - 1;
  for (std::size_t i = 0; shaped && i < text.size(); ++i)
    shaped = kShape[i] == 'd' ? (text[i] >= '0' && text[i] <= '9') : text[i] == kShape[i];
  auto at = [&](std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  if (shaped) {
    int year = at(0, 4), month = at(5, 2), day = at(8, 2);
    int hour = at(11, 2), minute = at(14, 2), second = at(17, 2);
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    bool valid = year >= 1601 && month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1] &&
                 (month != 2 || day <= 28 || leap) && hour < 24 && minute < 60 && second < 60;
    if (valid) {
      now = LocalTime{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
                      static_cast<std::uint16_t>(dayOfWeek(year, month, day)), static_cast<std::uint16_t>(day),
                      static_cast<std::uint16_t>(hour), static_cast<std::uint16_t>(minute),
                      static_cast<std::uint16_t>(second), 0};
      return true;
    }
  }
  return reader.fail("clock", "now", "must be a time YYYY-MM-DD HH:MM:SS: \"" + text + "\"");
}

bool readPaths(SimSettingsReader& reader, const char* key, std::set<std::string>& paths) {
  for (const std::string& path : reader.ini().list("faults", key)) {
    WindowsPath parsed;
    if (parseWindowsPath(path, parsed) != kErrorSuccess)
      return reader.fail("faults", key, "is not a full Windows path: \"" + path + "\"");
    paths.insert(foldCase(parsed.text()));
  }
  return true;
}

bool readFaults(SimSettingsReader& reader, SimSettings& settings) {
  const IniMap& ini = reader.ini();
  std::string com = ini.value("faults", "comRuntime");
  if (!com.empty() && !equalsNoCase(com, "ok") && !equalsNoCase(com, "fail"))
    return reader.fail("faults", "comRuntime", "must be fail or ok: \"" + com + "\"");
  settings.comRuntimeFails = equalsNoCase(com, "fail");
  if (!readPaths(reader, "readonly", settings.readOnly) || !readPaths(reader, "locked", settings.locked) ||
      !readPaths(reader, "deniedFolders", settings.deniedFolders))
    return false;
  for (const std::string& path : ini.list("faults", "deniedKeys")) {
    std::size_t slash = path.find('\\');
    std::string root = canonicalRootName(std::string_view(path).substr(0, slash), true);
    if (root.empty())
      return reader.fail("faults", "deniedKeys", "names a key without a root: \"" + path + "\"");
    std::string full = slash == std::string::npos ? root : root + path.substr(slash);
    while (full.size() > root.size() && full.back() == '\\') full.pop_back();
    settings.deniedKeys.insert(foldCase(full));
  }
  for (const std::string& name : ini.list("faults", "missingFunctions"))
    settings.missingFunctions.insert(foldCase(name));
  return true;
}

}  // namespace

bool readSimSettings(const IniMap& ini, SimSettings& settings, std::string& error) {
  SimSettings read;
  SimSettingsReader reader(ini, error);
  if (!readOs(reader, read.os)) return false;
  readFolders(ini, read);
  readSession(ini, read);
  if (!readPrivileges(reader, read.held) || !readAccounts(reader, read.accounts) ||
      !readDrives(reader, read.drives) || !readClock(reader, read.now) || !readFaults(reader, read) ||
      !readSimNetwork(reader, read) || !readSimSession(reader, read))
    return false;
  read.answers = ini.list("ui", "answers");
  if (const IniSection* domains = ini.section("domains"))
    for (const auto& [folded, entry] : domains->entries) read.domainControllers[folded] = entry.value;
  settings = std::move(read);
  return true;
}

const SimAccount* findAccount(const SimSettings& settings, const std::string& name) {
  auto found = settings.accounts.find(foldCase(name));
  return found == settings.accounts.end() ? nullptr : &found->second;
}

}  // namespace tessary
