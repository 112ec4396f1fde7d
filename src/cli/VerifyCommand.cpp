// tessary verify PACKAGE
#include <iostream>

#include "archive/index/FormatVersion.h"
#include "cli/CliText.h"
#include "cli/PackagePlan.h"
#include "cli/VerifyCommand.h"
#include "platform/MemoryFile.h"

namespace tessary::cli {
namespace {

// Takes the expanded content and keeps only its length.
class DiscardFile final : public PlatformFile {
 public:
  WinError read(void*, std::uint32_t, std::uint32_t& done) override {
    done = 0;
    return kErrorSuccess;
  }
  WinError write(const void*, std::uint32_t count, std::uint32_t& done) override {
    done = count;
    written += count;
    return kErrorSuccess;
  }
  WinError seek(std::int64_t, SeekOrigin, std::uint64_t& position) override {
    position = written;
    return kErrorSuccess;
  }
  WinError size(std::uint64_t& bytes) override {
    bytes = written;
    return kErrorSuccess;
  }
  WinError setEndOfFile() override { return kErrorSuccess; }
  std::uint64_t written = 0;
};

class Verifier {
 public:
  explicit Verifier(OpenPackage& package) : package_(package) {}

  void run();
  std::vector<std::string> problems;
  std::size_t files = 0;
  std::size_t values = 0;

 private:
  void problem(const std::string& what, const std::string& message) { problems.push_back(what + ": " + message); }
  void fileNode(const CTree& node);
  void registryNode(const CTree& node);
  void undoStub();
  void scripts();

  OpenPackage& package_;
};

std::string entryName(const char* tree, const CTree& node) {
  return std::string(tree) + " entry \"" + latin1ToUtf8(node.name) + "\"";
}

void Verifier::fileNode(const CTree& node) {
  if (node.dataOffset != -1) {
    ++files;
    DiscardFile sink;
    std::string error;
    if (!expandBlock(package_, node, sink, error)) problem(entryName("file", node), error);
  }
  for (const auto& child : node.children) fileNode(*child);
}

void Verifier::registryNode(const CTree& node) {
  if (node.dataOffset != -1) {
    ++values;
    RegistryValueRecord record;
    std::string error;
    if (!readValue(package_, node, record, error)) problem(entryName("registry", node), error);
  }
  for (const auto& child : node.children) registryNode(*child);
}

void Verifier::undoStub() {
  const InstallOptions& o = package_.options;
  if (o.undoStubOffset < 0) return;
  std::string bytes, error;
  if (!readFileBytes(package_, static_cast<std::uint32_t>(o.undoStubOffset), o.undoStubLength, bytes, error)) {
    problem("undo stub", error);
    return;
  }
  PkaArchive stub;
  auto file = std::make_unique<MemoryFile>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z' || PKAsetFileHandle(stub, std::move(file)) != 0)
    problem("undo stub", "is not a runtime executable with an archive appended");
}

void Verifier::scripts() {
  const CTree* folder = nullptr;
  for (const auto& child : package_.index.fileTree->children)
    if (child->name == kEmbeddedScriptsFolder) folder = child.get();
  const InstallOptions& o = package_.options;
  const std::vector<ProgramEntry>* lists[] = {&o.preInstall, &o.midInstall, &o.postInstall};
  const char* names[] = {"pre", "mid", "post"};
  for (int phase = 0; phase < 3; ++phase) {
    for (std::size_t i = 0; i < lists[phase]->size(); ++i) {
      const ProgramEntry& p = (*lists[phase])[i];
      if (!p.embedded) continue;
      bool found = false;
      for (std::size_t c = 0; folder && c < folder->children.size(); ++c) found |= folder->children[c]->name == p.scriptId;
      if (!found)
        problem(std::string(names[phase]) + " program " + std::to_string(i + 1),
                "its script \"" + latin1ToUtf8(p.scriptId) + "\" is not in the package");
    }
  }
}

void Verifier::run() {
  const InstallOptions& o = package_.options;
  if (!package_.optionsWhole) problem("InstallOptions", "the install options record is cut short");
  if (!(o.formatVersion >= 1.0f && o.formatVersion <= kFormatVersionNewest))
    problem("InstallOptions", "format version " + decimalText(o.formatVersion) + " is not one the runtime reads");
  if (hasVariablesStream(o.formatVersion) && !package_.hasVariables) problem("Variable", "the stream is missing");
  if (!package_.variablesWhole) problem("Variable", "the variable records are cut short");
  const RegFileIndexHeader& header = package_.index.header;
  if (header.registryUsed > package_.registry.size())
    problem("RegFileIndex", "the used length of \"Registry\" passes the stream's end");
  if (header.fileUsed > package_.fileStreamLength)
    problem("RegFileIndex", "the used length of \"File\" passes the stream's end");
  if (o.bitmapLength > 0) {
    std::string bytes, error;
    if (o.bitmapOffset < 0 || !readFileBytes(package_, static_cast<std::uint32_t>(o.bitmapOffset), o.bitmapLength, bytes, error))
      problem("background bitmap", error.empty() ? "has no place in the \"File\" stream" : error);
  }
  undoStub();
  scripts();
  fileNode(*package_.index.fileTree);
  registryNode(*package_.index.registryTree);
}

}  // namespace

std::vector<std::string> verifyPackage(OpenPackage& package, std::size_t& checkedFiles, std::size_t& checkedValues) {
  Verifier verifier(package);
  verifier.run();
  checkedFiles = verifier.files;
  checkedValues = verifier.values;
  return verifier.problems;
}

int runVerify(const Arguments& arguments) {
  if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == '-') {
    std::cerr << "usage: tessary verify PACKAGE\n";
    return 2;
  }
  const std::string& path = arguments[0];
  OpenPackage package;
  std::string error;
  if (!openPackage(path, package, error)) {
    std::cerr << "tessary verify: " << path << ": " << error << "\n";
    return 1;
  }
  std::size_t files = 0, values = 0;
  std::vector<std::string> problems = verifyPackage(package, files, values);
  for (const std::string& problem : problems) std::cerr << "tessary verify: " << path << ": " << problem << "\n";
  if (!problems.empty()) return 1;
  std::cout << path << ": OK (" << files << " file entries, " << values << " registry values, "
            << package.variables.size() << " variables)\n";
  return 0;
}

}  // namespace tessary::cli
