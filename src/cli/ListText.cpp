// The text form of `list`.
#include <sstream>

#include "cli/CliText.h"
#include "cli/ListCommand.h"
#include "cli/ManifestNames.h"
#include "cli/PackageDescribe.h"

namespace tessary::cli {
namespace {

const char* yesNo(std::uint32_t value) { return value ? "yes" : "no"; }

void options(std::ostream& out, const OpenPackage& package) {
  const InstallOptions& o = package.options;
  out << "Package:        " << package.path.string() << "\n"
      << "Format:         " << decimalText(o.formatVersion) << (package.optionsWhole ? "" : " (record cut short)") << "\n"
      << "Title:          " << latin1ToUtf8(o.title) << "\n"
      << "Description:    " << latin1ToUtf8(o.description) << "\n"
      << "Package id:     " << o.packageId << "\n"
      << "Target systems: " << maskNames(kTargetSystemTitles, o.targetOs, ", ") << "\n"
      << "Overwrite:      " << nameOfValue(kOverwriteNames, o.overwriteType) << " (prompt " << (o.overwritePrompt ? "on" : "off") << ")\n"
      << "Reboot needed:  " << yesNo(o.rebootNeeded) << "\n"
      << "Force quiet:    " << yesNo(o.forceQuiet) << "\n"
      << "Run password:   " << (o.runPassword.empty() ? "none" : "set") << "\n"
      << "Run mode:       " << nameOfValue(kRunModeNames, o.runMode) << "\n"
      << "Undo:           " << (o.undoStubOffset >= 0 ? "on, stub of " + std::to_string(o.undoStubLength) + " bytes" : std::string("off")) << "\n"
      << "Undo package:   " << yesNo(o.isUndoPackage) << "\n"
      << "Skip disk space check: " << yesNo(o.skipDiskSpaceCheck) << "\n"
      << "Background bitmap: " << (o.bitmapLength ? std::to_string(o.bitmapLength) + " bytes, layout " + std::to_string(o.bitmapLayout) : std::string("none")) << "\n";
  out << "Conditions:\n";
  if (o.requiredMemoryMb) out << "  memory at least " << o.requiredMemoryMb << " MB\n";
  const FileCondition& f = o.fileCondition;
  if (!f.path.empty()) {
    out << "  file " << latin1ToUtf8(f.path) << " " << nameOfValue(kFileConditionKinds, f.kind);
    if (f.kind == 1 || f.kind == 2) out << " " << nameOfValue(kFileConditionOperators, f.op);
    if (f.kind == 1) out << " than day " << decimalText(f.date) << " after 1899-12-30";
    if (f.kind == 2) out << " than " << versionText(f.versionHigh, f.versionLow);
    out << "\n";
  }
  const RegistryCondition& r = o.registryCondition;
  if (!r.keyPath.empty()) {
    out << "  registry " << latin1ToUtf8(r.keyPath) << (r.valueName.empty() ? "" : " value " + latin1ToUtf8(r.valueName))
        << " " << nameOfValue(kRegConditionKinds, r.kind);
    if (r.kind == 1) out << " " << nameOfValue(kRegConditionOperators, r.op) << " \"" << latin1ToUtf8(r.data) << "\"";
    out << "\n";
  }
  for (const DriveSpaceEntry& d : o.driveSpace) out << "  drive " << d.drive << ": " << d.requiredMb << " MB free\n";
}

void programs(std::ostream& out, const InstallOptions& o) {
  const std::vector<ProgramEntry>* lists[] = {&o.preInstall, &o.midInstall, &o.postInstall};
  const char* names[] = {"pre", "mid", "post"};
  out << "Programs:\n";
  for (int phase = 0; phase < 3; ++phase) {
    for (const ProgramEntry& p : *lists[phase]) {
      out << "  " << names[phase] << "  " << latin1ToUtf8(p.command);
      if (!p.arguments.empty()) out << " " << latin1ToUtf8(p.arguments);
      out << "  [show " << nameOfValue(kShowModeNames, p.showMode);
      if (p.showMode == 4) out << " with " << nameOfValue(kScriptHostNames, p.scriptHost);
      if (p.wait) out << ", wait";
      if (p.runAtNextLogon) out << ", at next logon";
      if (p.stopOnFailure) out << ", stop on failure";
      if (p.embedded) out << ", script " << latin1ToUtf8(p.scriptId);
      out << "]\n";
    }
  }
}

void fileNode(std::ostream& out, OpenPackage& package, const CTree& node, int depth) {
  std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  bool folder = node.dataOffset == -1;
  out << indent << (folder ? "folder " : "file   ") << latin1ToUtf8(node.name);
  if (node.flags) out << "  [" << nodeFlagNames(node.flags) << "]";
  out << "  attributes " << attributeNames(node.attributes);
  if (!folder) {
    FileBlockHeader header;
    std::string error;
    if (readBlockHeader(package, node, header, error)) {
      std::uint32_t stored = node.dataSize - blockHeaderLength(package, node);
      out << "  " << header.fileSize << " bytes";
      if (node.flags & kTreeFlagCompressed) out << " (" << stored << " packed)";
      out << "  " << utcTimeText(header.writeTime);
      if (header.versionHigh || header.versionLow) out << "  version " << versionText(header.versionHigh, header.versionLow);
      if (header.overwriteOverride) out << "  overwrite " << nameOfValue(kOverwriteNames, header.overwriteOverride - 1);
      if (header.shortcut) out << "  shortcut to " << latin1ToUtf8(header.shortcut->targetPath);
    } else {
      out << "  DAMAGED: " << error;
    }
  }
  out << "\n";
  for (const auto& child : node.children) fileNode(out, package, *child, depth + 1);
}

void registryNode(std::ostream& out, const OpenPackage& package, const CTree& node, int depth) {
  std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  if (node.dataOffset == -1) {
    out << indent << "key   " << latin1ToUtf8(node.name);
    if (node.flags) out << "  [" << nodeFlagNames(node.flags) << "]";
    out << "\n";
    for (const auto& child : node.children) registryNode(out, package, *child, depth + 1);
    return;
  }
  std::string name = valueNameOf(node);
  out << indent << "value " << (name.empty() ? "@" : latin1ToUtf8(name));
  if (node.flags) out << "  [" << nodeFlagNames(node.flags) << "]";
  if (node.attributes) out << "  [LFN]";
  RegistryValueRecord record;
  std::string error;
  if (!readValue(package, node, record, error)) {
    out << "  DAMAGED: " << error << "\n";
  } else if (!(node.flags & kTreeFlagDelete)) {
    out << "  " << registryTypeName(record.type) << " " << latin1ToUtf8(registryDataText(record)) << "\n";
  } else {
    out << "\n";
  }
}

}  // namespace

std::string listText(OpenPackage& package) {
  std::ostringstream out;
  options(out, package);
  programs(out, package.options);
  out << "Files (" << package.index.header.fileUsed << " bytes used):\n";
  for (const auto& child : package.index.fileTree->children) fileNode(out, package, *child, 1);
  out << "Registry (" << package.index.header.registryUsed << " bytes used):\n";
  for (const auto& child : package.index.registryTree->children) registryNode(out, package, *child, 1);
  out << "Variables:" << (package.hasVariables ? "" : " none (no \"Variable\" stream)") << "\n";
  for (const VariableRecord& v : package.variables) {
    std::string kind = nameOfValue(kVariableKindNames, static_cast<std::uint32_t>(v.kind));
    out << "  " << latin1ToUtf8(v.name) << "  " << (kind.empty() ? "kind " + std::to_string(static_cast<std::uint32_t>(v.kind)) : kind)
        << (v.isPath ? ", path" : "") << "  = \"" << latin1ToUtf8(v.defaultText) << "\"";
    switch (v.kind) {
      case VariableKind::Environment: out << "  from %" << latin1ToUtf8(v.envName) << "%"; break;
      case VariableKind::IniValue:
        out << "  from " << latin1ToUtf8(v.iniFile) << " [" << latin1ToUtf8(v.iniSection) << "] " << latin1ToUtf8(v.iniKey);
        break;
      case VariableKind::RegistryValue: out << "  from " << latin1ToUtf8(v.regKeyPath) << " : " << latin1ToUtf8(v.regValueName); break;
      case VariableKind::FileLocation:
        out << "  folder of " << latin1ToUtf8(v.fileName) << " (search "
            << (v.searchFlags == 0 ? "everywhere" : maskNames(kSearchPlaceNames, static_cast<std::uint32_t>(v.searchFlags), ", "))
            << ")";
        break;
      case VariableKind::Prompted: out << "  prompt " << v.promptId << " \"" << latin1ToUtf8(v.promptText) << "\""; break;
      default: break;
    }
    out << "\n";
  }
  return out.str();
}

}  // namespace tessary::cli
