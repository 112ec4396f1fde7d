// A package manifest as the builder takes it: everything a package carries,
// with host paths already made absolute. docs/manifest.md describes the
// TOML text it is read from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive/index/FileBlockHeader.h"
#include "archive/index/InstallOptions.h"
#include "archive/index/VariableRecord.h"

namespace tessary::cli {

// Where a manifest value came from, for messages about it.
struct ManifestPlace {
  std::size_t line = 0;
  std::string key;  // "files[2].source"
};

// One [[files]] entry: a file, a folder tree or a mark for the target.
struct ManifestFile {
  ManifestPlace place;
  std::optional<std::filesystem::path> source;  // file or folder; none for delete marks and empty folders
  std::string target;                           // with variables, backslashes
  bool folder = false;                          // an empty folder or a folder delete mark
  bool deleteEntry = false;
  bool deleteTree = false;  // with deleteEntry on a folder: everything under it on the target
  bool merge = false;
  std::uint32_t overwriteOverride = 0;  // 0 = the package's type, else type + 1
  std::optional<std::uint32_t> attributes;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> version;  // high, low
  std::optional<ShortcutDetails> shortcut;
};

// One [[registry]] entry: a regedit file, or a key to delete.
struct ManifestRegistry {
  ManifestPlace place;
  std::optional<std::filesystem::path> file;
  std::string deleteKey;  // full root name and path
  bool force = false;
  bool lfn = false;  // values may carry "[LFN]" markers
};

// A program entry whose command is a script carried in the package.
struct ManifestProgram {
  ManifestPlace place;
  ProgramEntry entry;
  std::optional<std::filesystem::path> script;
};

struct Manifest {
  std::filesystem::path path;  // the manifest file itself
  InstallOptions options;      // programs and the undo stub are filled by the builder
  std::string password;        // clear text
  bool undo = true;
  std::optional<std::filesystem::path> bitmap;
  std::vector<ManifestProgram> programs[3];  // Pre, Mid, Post
  std::vector<ManifestFile> files;
  std::vector<ManifestRegistry> registry;
  std::vector<VariableRecord> variables;
};

struct ManifestError {
  std::string file;
  std::size_t line = 0;
  std::string key;
  std::string message;

  // "app.toml:12: package.overwrite: expected one of ..."
  std::string text() const;
};

// Parses manifest text; `path` names it in errors and anchors relative
// source paths (they count from its folder). Sources are not looked at here.
bool parseManifest(std::string_view text, const std::filesystem::path& path, Manifest& manifest,
                   ManifestError& error);

// Reads and parses a manifest file.
bool loadManifest(const std::filesystem::path& path, Manifest& manifest, ManifestError& error);

}  // namespace tessary::cli
