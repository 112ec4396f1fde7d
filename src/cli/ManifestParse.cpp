// Reading a manifest: toml++ parses the text (it throws; the throw is
// caught here and becomes an error value), then each table is read through
// a TableReader, which refuses unknown keys and wrong types.
#include <cctype>
#include <random>
#include <tuple>

#include "archive/index/FormatVersion.h"
#include "archive/index/RunPassword.h"
#include "cli/CliText.h"
#include "cli/HostFile.h"
#include "cli/Manifest.h"
#include "cli/ManifestReader.h"
#include "cli/ManifestTextCheck.h"

namespace tessary::cli {
namespace {

std::string indexed(const char* name, std::size_t index) { return std::string(name) + "[" + std::to_string(index) + "]"; }

// A GUID in braces, for packages whose manifest names none.
std::string newPackageId() {
  std::random_device device;
  std::mt19937_64 random(((std::uint64_t)device() << 32) ^ device());
  std::string hex;
  for (int i = 0; i < 32; ++i) hex += "0123456789ABCDEF"[random() & 0xF];
  return "{" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" + hex.substr(16, 4) + "-" +
         hex.substr(20) + "}";
}

bool readPackage(TableReader& in, Manifest& m) {
  InstallOptions& o = m.options;
  return in.text("title", o.title) && in.text("description", o.description) && in.text("id", o.packageId) &&
         in.mask("target_systems", kTargetSystemNames, o.targetOs) &&
         in.word("overwrite", kOverwriteNames, o.overwriteType) && in.flag("overwrite_prompt", o.overwritePrompt) &&
         in.flag("reboot", o.rebootNeeded) && in.flag("quiet", o.forceQuiet) && in.text("password", m.password) &&
         in.word("run_mode", kRunModeNames, o.runMode) && in.flag("undo", m.undo) &&
         in.flag("skip_disk_space_check", o.skipDiskSpaceCheck) && in.path("bitmap", m.bitmap) &&
         in.number("bitmap_layout", o.bitmapLayout, 2) && in.finish() &&
         (m.password.empty() || passwordIsStorable(m.password) ||
          in.context().fail(in.lineOf("password"), in.keyName("password"), "this password cannot be stored"));
}

bool readFileCondition(TableReader& in, FileCondition& c) {
  c.kind = 0;
  if (!in.text("path", c.path) || !in.word("kind", kFileConditionKinds, c.kind) ||
      !in.word("operator", kFileConditionOperators, c.op))
    return false;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> version;
  if (!in.version("version", version) || !in.date("date", c.date) || !in.finish()) return false;
  if (c.path.empty()) return in.context().fail(in.line(), in.keyName("path"), "a file condition needs a path");
  if (c.kind == 1 && !in.has("date"))
    return in.context().fail(in.line(), in.keyName("date"), "a date condition needs a date");
  if (c.kind == 2 && !version)
    return in.context().fail(in.line(), in.keyName("version"), "a version condition needs a version");
  if (version) std::tie(c.versionHigh, c.versionLow) = *version;
  return true;
}

bool readRegistryCondition(TableReader& in, RegistryCondition& c) {
  if (!in.text("key", c.keyPath) || !in.text("value", c.valueName) ||
      !in.word("kind", kRegConditionKinds, c.kind) || !in.word("operator", kRegConditionOperators, c.op) ||
      !in.text("data", c.data) || !in.finish())
    return false;
  if (c.keyPath.empty()) return in.context().fail(in.line(), in.keyName("key"), "a registry condition needs a key");
  if (c.kind == 1 && c.valueName.empty())
    return in.context().fail(in.line(), in.keyName("value"), "a comparison needs a value name");
  return true;
}

bool readConditions(TableReader& in, InstallOptions& o) {
  bool ok = true;
  if (!in.number("memory_mb", o.requiredMemoryMb)) return false;
  if (const toml::table* t = in.table("file", ok)) {
    TableReader sub(in.context(), *t, in.keyName("file"));
    if (!readFileCondition(sub, o.fileCondition)) return false;
  }
  if (!ok) return false;
  if (const toml::table* t = in.table("registry", ok)) {
    TableReader sub(in.context(), *t, in.keyName("registry"));
    if (!readRegistryCondition(sub, o.registryCondition)) return false;
  }
  if (!ok) return false;
  std::vector<const toml::table*> drives;
  if (!in.tables("drive_space", drives)) return false;
  if (drives.size() > kMaxDriveSpaceEntries)
    return in.context().fail(in.lineOf("drive_space"), in.keyName("drive_space"), "at most 255 drives");
  for (std::size_t i = 0; i < drives.size(); ++i) {
    TableReader d(in.context(), *drives[i], in.keyName(indexed("drive_space", i).c_str()));
    DriveSpaceEntry entry;
    if (!d.text("drive", entry.drive) || !d.number("mb", entry.requiredMb) || !d.finish()) return false;
    bool letter = !entry.drive.empty() && std::isalpha(static_cast<unsigned char>(entry.drive[0])) &&
                  (entry.drive.size() == 1 || (entry.drive.size() == 2 && entry.drive[1] == ':'));
    if (!letter) return in.context().fail(d.lineOf("drive"), d.keyName("drive"), "expected a drive letter such as \"C\"");
    entry.drive = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(entry.drive[0]))));
    o.driveSpace.push_back(entry);
  }
  return in.finish();
}

bool readProgram(TableReader& in, ManifestProgram& item) {
  ProgramEntry& e = item.entry;
  item.place = {in.line(), ""};
  if (!in.text("command", e.command) || !in.text("arguments", e.arguments) || !in.flag("wait", e.wait) ||
      !in.word("show", kShowModeNames, e.showMode) || !in.word("script_host", kScriptHostNames, e.scriptHost) ||
      !in.flag("run_at_next_logon", e.runAtNextLogon) || !in.flag("stop_on_failure", e.stopOnFailure) ||
      !in.path("script", item.script) || !in.finish())
    return false;
  if (item.script) {
    e.embedded = 1;
    // The command's extension tells the runtime what kind of script it is.
    if (e.command.empty()) {
      std::string name;
      if (!utf8ToLatin1(item.script->filename().string(), name))
        return in.context().fail(in.lineOf("script"), in.keyName("script"), "a script name the package cannot carry");
      e.command = name;
    }
  } else if (e.command.empty()) {
    return in.context().fail(in.line(), in.keyName("command"), "a program needs a command or a script");
  }
  return true;
}

bool readPrograms(TableReader& in, Manifest& m) {
  static const char* kPhases[] = {"pre", "mid", "post"};
  for (int phase = 0; phase < 3; ++phase) {
    std::vector<const toml::table*> entries;
    if (!in.tables(kPhases[phase], entries)) return false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      std::string key = in.keyName(indexed(kPhases[phase], i).c_str());
      TableReader p(in.context(), *entries[i], key);
      ManifestProgram item;
      if (!readProgram(p, item)) return false;
      item.place.key = key;
      m.programs[phase].push_back(std::move(item));
    }
  }
  return in.finish();
}

bool readShortcut(TableReader& in, ShortcutDetails& s) {
  return in.text("target", s.targetPath) && in.text("arguments", s.arguments) &&
         in.text("working_folder", s.workingFolder) && in.text("icon", s.iconFile) &&
         in.number("icon_index", s.iconIndex) && in.number("show", s.showCommand) && in.finish();
}

bool readFile(TableReader& in, ManifestFile& f) {
  std::uint32_t overwrite = 0xFFFFFFFFu;
  std::uint32_t attributes = 0xFFFFFFFFu;
  if (!in.path("source", f.source) || !in.text("target", f.target) || !in.flag("folder", f.folder) ||
      !in.flag("delete", f.deleteEntry) || !in.flag("delete_tree", f.deleteTree) || !in.flag("merge", f.merge) ||
      !in.word("overwrite", kOverwriteNames, overwrite) || !in.mask("attributes", kAttributeNames, attributes) ||
      !in.version("version", f.version))
    return false;
  bool ok = true;
  if (const toml::table* t = in.table("shortcut", ok)) {
    TableReader sub(in.context(), *t, in.keyName("shortcut"));
    f.shortcut.emplace();
    if (!readShortcut(sub, *f.shortcut)) return false;
  }
  if (!ok || !in.finish()) return false;
  if (overwrite != 0xFFFFFFFFu) f.overwriteOverride = overwrite + 1;
  if (attributes != 0xFFFFFFFFu) f.attributes = attributes;
  // Targets are Windows paths: forward slashes are taken as backslashes.
  for (char& c : f.target) c = c == '/' ? '\\' : c;
  while (!f.target.empty() && f.target.back() == '\\') f.target.pop_back();
  auto fail = [&](const char* key, const char* message) { return in.context().fail(in.lineOf(key), in.keyName(key), message); };
  if (f.target.empty()) return fail("target", "every entry needs a target");
  if (f.source && f.folder) return fail("folder", "a folder entry takes no source; its source folder makes it one");
  if (!f.source && !f.folder && !f.deleteEntry) return fail("source", "an entry needs a source, folder = true or delete = true");
  if (f.deleteTree && !(f.deleteEntry && f.folder)) return fail("delete_tree", "only a folder delete mark can delete a tree");
  if (f.deleteEntry && f.source) return fail("delete", "a delete mark takes no source");
  return true;
}

bool readRegistry(TableReader& in, ManifestRegistry& r) {
  if (!in.path("file", r.file) || !in.text("delete_key", r.deleteKey) || !in.flag("force", r.force) ||
      !in.flag("lfn", r.lfn) || !in.finish())
    return false;
  if (r.file.has_value() == !r.deleteKey.empty())
    return in.context().fail(in.line(), in.keyName("file"), "an entry needs either file or delete_key");
  if (r.force && r.deleteKey.empty())
    return in.context().fail(in.lineOf("force"), in.keyName("force"), "force applies to delete_key only");
  return true;
}

bool readVariable(TableReader& in, VariableRecord& v) {
  std::uint32_t kind = 0;
  std::uint32_t isPath = 0;
  std::uint32_t search = 0;
  std::uint32_t promptId = 0;
  if (!in.text("name", v.name) || !in.word("kind", kVariableKindNames, kind) || !in.text("value", v.defaultText) ||
      !in.flag("path", isPath) || !in.text("env", v.envName) || !in.text("ini_file", v.iniFile) ||
      !in.text("ini_section", v.iniSection) || !in.text("ini_key", v.iniKey) || !in.text("reg_key", v.regKeyPath) ||
      !in.text("reg_value", v.regValueName) || !in.text("file_name", v.fileName) ||
      !in.mask("search", kSearchPlaceNames, search) || !in.number("prompt_id", promptId, 0x7FFFFFFF) ||
      !in.text("prompt_text", v.promptText) || !in.finish())
    return false;
  if (kind == 1) return in.context().fail(in.lineOf("kind"), in.keyName("kind"), "built-in variables are never stored");
  v.kind = static_cast<VariableKind>(kind);
  v.isPath = static_cast<std::int32_t>(isPath);
  v.searchFlags = static_cast<std::int32_t>(search);
  v.promptId = static_cast<std::int32_t>(promptId);
  std::string bare = v.name;
  while (!bare.empty() && bare.front() == '$') bare.erase(bare.begin());
  while (!bare.empty() && bare.back() == '$') bare.pop_back();
  if (bare.empty() && !(v.kind == VariableKind::Prompted))
    return in.context().fail(in.lineOf("name"), in.keyName("name"), "a variable needs a name");
  if (!bare.empty()) v.name = "$" + bare + "$";
  // Each kind's own fields must be given; fields of another kind are refused.
  struct KindField {
    VariableKind kind;
    const char* key;
    const std::string* value;
  };
  const KindField fields[] = {
      {VariableKind::Environment, "env", &v.envName},        {VariableKind::IniValue, "ini_file", &v.iniFile},
      {VariableKind::IniValue, "ini_section", &v.iniSection}, {VariableKind::IniValue, "ini_key", &v.iniKey},
      {VariableKind::RegistryValue, "reg_key", &v.regKeyPath}, {VariableKind::FileLocation, "file_name", &v.fileName},
  };
  for (const KindField& field : fields) {
    if (field.kind == v.kind && field.value->empty())
      return in.context().fail(in.line(), in.keyName(field.key), "this kind of variable needs it");
    if (field.kind != v.kind && in.has(field.key))
      return in.context().fail(in.lineOf(field.key), in.keyName(field.key), "does not apply to this kind of variable");
  }
  const std::pair<VariableKind, const char*> extras[] = {{VariableKind::RegistryValue, "reg_value"},
                                                         {VariableKind::FileLocation, "search"},
                                                         {VariableKind::Prompted, "prompt_id"},
                                                         {VariableKind::Prompted, "prompt_text"}};
  for (const auto& [kindOf, key] : extras)
    if (kindOf != v.kind && in.has(key))
      return in.context().fail(in.lineOf(key), in.keyName(key), "does not apply to this kind of variable");
  return true;
}

bool readManifest(TableReader& root, Manifest& m) {
  bool ok = true;
  if (const toml::table* t = root.table("package", ok)) {
    TableReader in(root.context(), *t, "package");
    if (!readPackage(in, m)) return false;
  }
  if (!ok) return false;
  if (const toml::table* t = root.table("conditions", ok)) {
    TableReader in(root.context(), *t, "conditions");
    if (!readConditions(in, m.options)) return false;
  }
  if (!ok) return false;
  if (const toml::table* t = root.table("programs", ok)) {
    TableReader in(root.context(), *t, "programs");
    if (!readPrograms(in, m)) return false;
  }
  if (!ok) return false;

  std::vector<const toml::table*> tables;
  if (!root.tables("files", tables)) return false;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    TableReader in(root.context(), *tables[i], indexed("files", i));
    ManifestFile item;
    item.place = {in.line(), indexed("files", i)};
    if (!readFile(in, item)) return false;
    m.files.push_back(std::move(item));
  }
  tables.clear();
  if (!root.tables("registry", tables)) return false;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    TableReader in(root.context(), *tables[i], indexed("registry", i));
    ManifestRegistry item;
    item.place = {in.line(), indexed("registry", i)};
    if (!readRegistry(in, item)) return false;
    m.registry.push_back(std::move(item));
  }
  tables.clear();
  if (!root.tables("variables", tables)) return false;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    TableReader in(root.context(), *tables[i], indexed("variables", i));
    VariableRecord v;
    if (!readVariable(in, v)) return false;
    m.variables.push_back(std::move(v));
  }
  return root.finish();
}

}  // namespace

bool parseManifest(std::string_view text, const std::filesystem::path& path, Manifest& manifest,
                   ManifestError& error) {
  error = ManifestError();
  ManifestContext context{path, error};
  Manifest parsed;
  parsed.path = path;
  parsed.options.formatVersion = kFormatVersionWritten;
  parsed.options.targetOs = kAllTargetSystems;
  parsed.options.overwritePrompt = 0;
  parsed.options.reserved16 = 1;
  parsed.options.bitmapOffset = 0;
  parsed.options.builderText = "tessary build";
  const char* fault = nullptr;
  if (std::size_t line = manifestTextFault(text, fault)) return context.fail(line, "", fault);
  toml::table document;
  try {
    document = toml::parse(text, path.string());
  } catch (const toml::parse_error& fault) {
    return context.fail(fault.source().begin.line, "", std::string(fault.description()));
  }
  TableReader root(context, document, "");
  if (!readManifest(root, parsed)) return false;
  if (parsed.options.packageId.empty()) parsed.options.packageId = newPackageId();
  parsed.options.runPassword = scramblePassword(parsed.password);
  manifest = std::move(parsed);
  return true;
}

bool loadManifest(const std::filesystem::path& path, Manifest& manifest, ManifestError& error) {
  std::string text;
  std::string readError;
  if (!readWholeFile(path, text, readError)) {
    error = ManifestError{path.string(), 0, "", "cannot read the manifest (" + readError + ")"};
    return false;
  }
  return parseManifest(text, path, manifest, error);
}

}  // namespace tessary::cli
