// tessary build MANIFEST -o PACKAGE [--stub install.exe]
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <system_error>

#include "cli/BuildCommand.h"
#include "cli/Manifest.h"
#include "cli/PackagePlan.h"
#include "cli/PackageWriter.h"
#include "cli/RuntimeStub.h"

namespace tessary::cli {
namespace {

namespace fs = std::filesystem;

// The package is written under a temporary name beside its final place and
// renamed there only when it is whole; anything else removes it.
class TemporaryOutput {
 public:
  explicit TemporaryOutput(fs::path final)
      : final_(std::move(final)), temporary_(final_.string() + ".partial-" + std::to_string(::getpid())) {}
  ~TemporaryOutput() {
    std::error_code ignored;
    if (!committed_) fs::remove(temporary_, ignored);
  }
  const fs::path& path() const { return temporary_; }
  bool commit(std::string& error) {
    std::error_code failure;
    fs::permissions(temporary_, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, failure);
    fs::rename(temporary_, final_, failure);
    if (failure) {
      error = "cannot move the package into place at " + final_.string() + " (" + failure.message() + ")";
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  fs::path final_;
  fs::path temporary_;
  bool committed_ = false;
};

int failed(const std::string& message) {
  std::cerr << "tessary build: " << message << "\n";
  return 1;
}

}  // namespace

bool parseBuildArguments(const Arguments& arguments, BuildRequest& request, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "-o" || word == "--stub") {
      if (i + 1 >= arguments.size()) {
        error = word + " needs a path";
        return false;
      }
      (word == "-o" ? request.output : request.stub) = fs::path(arguments[++i]);
    } else if (!word.empty() && word[0] == '-') {
      error = "unknown option " + word;
      return false;
    } else if (request.manifest.empty()) {
      request.manifest = word;
    } else {
      error = "more than one manifest given";
      return false;
    }
  }
  if (request.manifest.empty() || !request.output || request.output->empty()) {
    error = "a manifest and -o PACKAGE are needed";
    return false;
  }
  return true;
}

bool buildPackage(const BuildRequest& request, std::string& error) {
  Manifest manifest;
  ManifestError manifestError;
  if (!loadManifest(request.manifest, manifest, manifestError)) {
    error = manifestError.text();
    return false;
  }
  FilePlan files;
  RegistryPlan registry;
  if (!planFiles(manifest, files, error) || !planRegistry(manifest, registry, error)) return false;
  if (manifest.bitmap && !fs::is_regular_file(*manifest.bitmap)) {
    error = manifest.path.string() + ": package.bitmap: no such file: " + manifest.bitmap->string();
    return false;
  }

  std::optional<fs::path> stubPath = findRuntimeStub(request.stub);
  if (!stubPath) {
    error = "no runtime stub: there is no install.exe beside tessary; give one with --stub install.exe";
    return false;
  }
  PackageInputs inputs;
  if (!loadRuntimeStub(*stubPath, inputs.stub, error)) return false;
  inputs.manifest = &manifest;
  inputs.files = &files;
  inputs.registry = &registry;

  TemporaryOutput output(*request.output);
  std::unique_ptr<HostFile> file = HostFile::openWrite(output.path(), true, error);
  if (!file) return false;
  Progress progress("building", files.contentBytes);
  if (!writePackage(std::move(file), inputs, progress, error)) return false;
  progress.finish();
  return output.commit(error);
}

int runBuild(const Arguments& arguments) {
  BuildRequest request;
  std::string error;
  if (!parseBuildArguments(arguments, request, error)) {
    std::cerr << "tessary build: " << error << "\nusage: tessary build MANIFEST -o PACKAGE [--stub install.exe]\n";
    return 2;
  }
  if (!buildPackage(request, error)) return failed(error);
  return 0;
}

}  // namespace tessary::cli
