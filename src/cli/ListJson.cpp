// The JSON form of `list`: numbers as stored, with names beside them where
// a number has one.
#include "cli/JsonWriter.h"
#include "cli/ListCommand.h"
#include "cli/ManifestNames.h"
#include "cli/PackageDescribe.h"

namespace tessary::cli {
namespace {

void programList(JsonWriter& json, const std::vector<ProgramEntry>& list) {
  json.beginArray();
  for (const ProgramEntry& p : list) {
    json.beginObject()
        .field("command", p.command)
        .field("arguments", p.arguments)
        .field("scriptId", p.scriptId)
        .field("wait", p.wait != 0)
        .field("embedded", p.embedded != 0)
        .field("showMode", p.showMode)
        .field("show", nameOfValue(kShowModeNames, p.showMode))
        .field("scriptHost", p.scriptHost)
        .field("runAtNextLogon", p.runAtNextLogon != 0)
        .field("stopOnFailure", p.stopOnFailure != 0)
        .endObject();
  }
  json.endArray();
}

void options(JsonWriter& json, const InstallOptions& o, bool whole) {
  json.key("options").beginObject();
  json.key("formatVersion").real(o.formatVersion);
  json.field("whole", whole)
      .field("title", o.title)
      .field("description", o.description)
      .field("packageId", o.packageId)
      .field("builderText", o.builderText)
      .field("targetOs", o.targetOs);
  json.key("targetSystems").beginArray();
  for (const NamedValue& system : kTargetSystemNames)
    if (o.targetOs & system.value) json.text(system.name);
  json.endArray();
  json.field("overwriteType", o.overwriteType)
      .field("overwrite", nameOfValue(kOverwriteNames, o.overwriteType))
      .field("overwritePrompt", o.overwritePrompt != 0)
      .field("rebootNeeded", o.rebootNeeded != 0)
      .field("forceQuiet", o.forceQuiet != 0)
      .field("hasPassword", !o.runPassword.empty())
      .field("runMode", o.runMode)
      .field("undoStubOffset", o.undoStubOffset)
      .field("undoStubLength", o.undoStubLength)
      .field("isUndoPackage", o.isUndoPackage != 0)
      .field("skipDiskSpaceCheck", o.skipDiskSpaceCheck != 0)
      .field("bitmapOffset", o.bitmapOffset)
      .field("bitmapLength", o.bitmapLength)
      .field("bitmapLayout", o.bitmapLayout)
      .field("requiredMemoryMb", o.requiredMemoryMb);
  const FileCondition& f = o.fileCondition;
  json.key("fileCondition").beginObject().field("path", f.path).field("kind", f.kind).field("operator", f.op);
  json.key("date").real(f.date);
  json.field("versionHigh", f.versionHigh).field("versionLow", f.versionLow).endObject();
  const RegistryCondition& r = o.registryCondition;
  json.key("registryCondition").beginObject().field("key", r.keyPath).field("value", r.valueName)
      .field("kind", r.kind).field("operator", r.op).field("data", r.data).endObject();
  json.key("driveSpace").beginArray();
  for (const DriveSpaceEntry& d : o.driveSpace) json.beginObject().field("drive", d.drive).field("mb", d.requiredMb).endObject();
  json.endArray();
  json.endObject();
  json.key("programs").beginObject();
  json.key("pre");
  programList(json, o.preInstall);
  json.key("mid");
  programList(json, o.midInstall);
  json.key("post");
  programList(json, o.postInstall);
  json.endObject();
}

void nodeCommon(JsonWriter& json, const CTree& node) {
  json.field("name", node.name)
      .field("dataOffset", node.dataOffset)
      .field("dataSize", node.dataSize)
      .field("flags", node.flags)
      .field("attributes", node.attributes)
      .field("folderId", node.folderId);
}

void fileNode(JsonWriter& json, OpenPackage& package, const CTree& node) {
  bool folder = node.dataOffset == -1;
  json.beginObject().field("kind", folder ? "folder" : "file");
  nodeCommon(json, node);
  json.field("delete", (node.flags & kTreeFlagDelete) != 0)
      .field("merge", (node.flags & kTreeFlagMerge) != 0)
      .field("deleteTree", (node.flags & kTreeFlagDeleteTree) != 0);
  if (!folder) {
    FileBlockHeader header;
    std::string error;
    json.field("compressed", (node.flags & kTreeFlagCompressed) != 0);
    if (readBlockHeader(package, node, header, error)) {
      json.field("size", header.fileSize)
          .field("packedSize", node.dataSize - blockHeaderLength(package, node))
          .field("writeTime", header.writeTime)
          .field("versionHigh", header.versionHigh)
          .field("versionLow", header.versionLow)
          .field("overwriteOverride", header.overwriteOverride);
      if (header.shortcut) {
        json.key("shortcut").beginObject()
            .field("target", header.shortcut->targetPath)
            .field("arguments", header.shortcut->arguments)
            .field("workingFolder", header.shortcut->workingFolder)
            .field("icon", header.shortcut->iconFile)
            .field("iconIndex", header.shortcut->iconIndex)
            .field("show", header.shortcut->showCommand)
            .endObject();
      }
    } else {
      json.field("damaged", error);
    }
  }
  json.key("children").beginArray();
  for (const auto& child : node.children) fileNode(json, package, *child);
  json.endArray().endObject();
}

void registryNode(JsonWriter& json, const OpenPackage& package, const CTree& node) {
  bool key = node.dataOffset == -1;
  json.beginObject().field("kind", key ? "key" : "value");
  nodeCommon(json, node);
  json.field("delete", (node.flags & kTreeFlagDelete) != 0).field("force", (node.flags & kTreeFlagDeleteTree) != 0);
  if (!key) {
    json.field("valueName", valueNameOf(node)).field("lfn", node.attributes != 0);
    RegistryValueRecord record;
    std::string error;
    if (readValue(package, node, record, error)) {
      json.field("type", record.type).field("typeName", registryTypeName(record.type));
      if (record.type == kRegMultiSz) {
        json.key("data").beginArray();
        for (const std::string& item : multiStrings(record.data)) json.text(item);
        json.endArray();
      } else {
        json.field("data", registryDataText(record));
      }
    } else {
      json.field("damaged", error);
    }
  }
  json.key("children").beginArray();
  for (const auto& child : node.children) registryNode(json, package, *child);
  json.endArray().endObject();
}

}  // namespace

std::string listJson(OpenPackage& package) {
  JsonWriter json;
  json.beginObject().field("package", package.path.string());
  options(json, package.options, package.optionsWhole);
  json.field("registryUsed", package.index.header.registryUsed).field("fileUsed", package.index.header.fileUsed);
  json.key("files").beginArray();
  for (const auto& child : package.index.fileTree->children) fileNode(json, package, *child);
  json.endArray();
  json.key("registry").beginArray();
  for (const auto& child : package.index.registryTree->children) registryNode(json, package, *child);
  json.endArray();
  json.key("variables").beginArray();
  for (const VariableRecord& v : package.variables) {
    json.beginObject()
        .field("name", v.name)
        .field("kind", static_cast<std::uint32_t>(v.kind))
        .field("kindName", nameOfValue(kVariableKindNames, static_cast<std::uint32_t>(v.kind)))
        .field("isPath", v.isPath != 0)
        .field("default", v.defaultText)
        .field("envName", v.envName)
        .field("iniFile", v.iniFile)
        .field("iniSection", v.iniSection)
        .field("iniKey", v.iniKey)
        .field("regKeyPath", v.regKeyPath)
        .field("regValueName", v.regValueName)
        .field("searchFlags", v.searchFlags)
        .field("fileName", v.fileName)
        .field("promptId", v.promptId)
        .field("promptText", v.promptText)
        .endObject();
  }
  json.endArray();
  json.endObject();
  return json.str();
}

}  // namespace tessary::cli
