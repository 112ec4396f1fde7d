#include "cli/PackageReader.h"

#include <algorithm>

#include "archive/BlockCodec.h"
#include "archive/index/ByteStream.h"
#include "cli/HostFile.h"

namespace tessary::cli {
namespace {

// Reads a whole stream; false when it is missing or cannot be read.
bool readStream(PkaArchive& archive, const char* name, std::vector<std::uint8_t>& bytes, bool& missing) {
  int handle = PKAopen(archive, name, 0);
  missing = handle < 0;
  if (handle < 0) return false;
  std::uint32_t length = archive.slots[static_cast<std::size_t>(handle)].length;
  bytes.assign(length, 0);
  std::uint32_t done = 0;
  bool ok = true;
  while (ok && done < length) {
    int got = PKAread(archive, handle, bytes.data() + done, std::min<std::uint32_t>(length - done, 1u << 20));
    ok = got > 0;
    if (ok) done += static_cast<std::uint32_t>(got);
  }
  PKAclose(archive, handle);
  return ok;
}

bool readNamedStream(PkaArchive& archive, const char* name, std::vector<std::uint8_t>& bytes, std::string& error) {
  bool missing = false;
  if (readStream(archive, name, bytes, missing)) return true;
  error = missing ? std::string("the package has no \"") + name + "\" stream"
                  : std::string("the \"") + name + "\" stream cannot be read";
  return false;
}

bool inRange(std::uint64_t offset, std::uint64_t length, std::uint64_t limit) {
  return offset <= limit && length <= limit - offset;
}

}  // namespace

std::string leafNameOf(const CTree& node) {
  std::size_t slash = node.name.rfind('\\');
  return slash == std::string::npos ? node.name : node.name.substr(slash + 1);
}

std::string valueNameOf(const CTree& node) {
  if (node.parent) {
    const std::string& key = node.parent->name;
    if (node.name.size() > key.size() && node.name.compare(0, key.size(), key) == 0 && node.name[key.size()] == '\\')
      return node.name.substr(key.size() + 1);
  }
  return leafNameOf(node);
}

bool openPackage(const std::filesystem::path& path, OpenPackage& package, std::string& error) {
  package.path = path;
  std::unique_ptr<HostFile> file = HostFile::openRead(path, error);
  if (!file) return false;
  if (PKAsetFileHandle(*package.archive, std::move(file)) != 0) {
    error = path.string() + " is not a package (no archive found)";
    return false;
  }

  std::vector<std::uint8_t> bytes;
  if (!readNamedStream(*package.archive, "InstallOptions", bytes, error)) return false;
  MemorySource options(bytes);
  package.optionsWhole = readInstallOptions(options, package.options);

  if (!readNamedStream(*package.archive, "RegFileIndex", bytes, error)) return false;
  MemorySource index(bytes);
  ArchiveFault fault = ArchiveFault::None;
  if (!readRegFileIndex(index, package.index, "RegFileIndex", nullptr, &fault)) {
    error = "the package index (\"RegFileIndex\") cannot be read";
    return false;
  }

  if (!readNamedStream(*package.archive, "Registry", package.registry, error)) return false;

  bool missing = false;
  package.hasVariables = readStream(*package.archive, "Variable", bytes, missing);
  if (!package.hasVariables && !missing) {
    error = "the \"Variable\" stream cannot be read";
    return false;
  }
  if (package.hasVariables) {
    MemorySource variables(bytes);
    package.variablesWhole = readVariableRecords(variables, package.variables);
  }

  package.fileStream = PKAopen(*package.archive, "File", 0);
  if (package.fileStream < 0) {
    error = "the package has no \"File\" stream";
    return false;
  }
  package.fileStreamLength = package.archive->slots[static_cast<std::size_t>(package.fileStream)].length;
  return true;
}

std::uint32_t blockHeaderLength(const OpenPackage& package, const CTree& node) {
  return fileBlockHeaderLength(leafNameOf(node), false, package.options.formatVersion);
}

bool readFileBytes(OpenPackage& package, std::uint32_t offset, std::uint32_t length, std::string& bytes,
                   std::string& error) {
  std::uint32_t used = std::min(package.index.header.fileUsed, package.fileStreamLength);
  if (!inRange(offset, length, used)) {
    error = "lies outside the \"File\" stream";
    return false;
  }
  bytes.assign(length, '\0');
  if (PKAlseek(*package.archive, package.fileStream, static_cast<std::int32_t>(offset), 0) < 0) {
    error = "cannot be reached in the \"File\" stream";
    return false;
  }
  std::uint32_t done = 0;
  while (done < length) {
    int got = PKAread(*package.archive, package.fileStream, bytes.data() + done, length - done);
    if (got <= 0) {
      error = "cannot be read from the \"File\" stream";
      return false;
    }
    done += static_cast<std::uint32_t>(got);
  }
  return true;
}

bool readBlockHeader(OpenPackage& package, const CTree& node, FileBlockHeader& header, std::string& error) {
  std::uint32_t headerLength = blockHeaderLength(package, node);
  if (node.dataOffset < 0) {
    error = "has no data block";
    return false;
  }
  std::uint32_t used = std::min(package.index.header.fileUsed, package.fileStreamLength);
  if (!inRange(static_cast<std::uint32_t>(node.dataOffset), node.dataSize, used)) {
    error = "its block (offset " + std::to_string(node.dataOffset) + ", " + std::to_string(node.dataSize) +
            " bytes) lies outside the used part of the \"File\" stream";
    return false;
  }
  if (node.dataSize < headerLength) {
    error = "its block is shorter than its " + std::to_string(headerLength) + "-byte header";
    return false;
  }
  std::string bytes;
  if (!readFileBytes(package, static_cast<std::uint32_t>(node.dataOffset), headerLength, bytes, error)) return false;
  MemorySource source(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  if (!readFileBlockHeader(source, headerLength, header)) {
    error = "its block header cannot be read";
    return false;
  }
  return true;
}

bool expandBlock(OpenPackage& package, const CTree& node, PlatformFile& target, std::string& error) {
  FileBlockHeader header;
  if (!readBlockHeader(package, node, header, error)) return false;
  std::int32_t contentStart = node.dataOffset + static_cast<std::int32_t>(blockHeaderLength(package, node));
  if (PKAlseek(*package.archive, package.fileStream, contentStart, 0) != contentStart) {
    error = "its content cannot be reached";
    return false;
  }
  if (!expandBlockToFile(node, header, *package.archive, package.fileStream, target)) {
    error = std::string("its ") + ((node.flags & kTreeFlagCompressed) ? "compressed" : "stored") +
            " content does not expand to the declared " + std::to_string(header.fileSize) + " bytes";
    return false;
  }
  return true;
}

bool readValue(const OpenPackage& package, const CTree& node, RegistryValueRecord& record, std::string& error) {
  std::uint32_t used = std::min<std::uint32_t>(package.index.header.registryUsed,
                                               static_cast<std::uint32_t>(package.registry.size()));
  if (node.dataOffset < 0 || !inRange(static_cast<std::uint32_t>(node.dataOffset), node.dataSize, used)) {
    error = "its record (offset " + std::to_string(node.dataOffset) + ", " + std::to_string(node.dataSize) +
            " bytes) lies outside the used part of the \"Registry\" stream";
    return false;
  }
  MemorySource source(std::span(package.registry.data() + node.dataOffset, node.dataSize));
  if (!readRegistryValue(source, node.dataSize, record)) {
    error = "its record cannot be read";
    return false;
  }
  return true;
}

}  // namespace tessary::cli
