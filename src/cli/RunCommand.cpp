#include "cli/RunCommand.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::cli {

namespace {

namespace fs = std::filesystem;

// Where a package from outside the computer is put, as an administrator
// would copy it before starting it.
constexpr const char* kPackagesFolder = "Packages";

struct RunRequest {
  std::string machine;
  std::string package;
  std::vector<std::string> switches;
};

bool parseRequest(const Arguments& arguments, RunRequest& request) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--") {
      request.switches.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
      break;
    }
    if (word == "--machine" && i + 1 < arguments.size()) {
      request.machine = arguments[++i];
    } else if (!word.empty() && word[0] != '-' && request.package.empty()) {
      request.package = word;
    } else {
      return false;
    }
  }
  return !request.machine.empty() && !request.package.empty();
}

// The Windows path of a host file that lies on one of the computer's
// drives; empty when it lies elsewhere.
std::string windowsPathInside(const fs::path& drives, const fs::path& file) {
  std::error_code error;
  fs::path canonicalFile = fs::weakly_canonical(file, error);
  if (error) return {};
  for (const fs::directory_entry& drive : fs::directory_iterator(drives, error)) {
    std::string letter = drive.path().filename().string();
    if (letter.size() != 1 || !drive.is_directory()) continue;
    fs::path root = fs::weakly_canonical(drive.path(), error);
    fs::path relative = canonicalFile.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..") continue;
    std::string windows = std::string(1, static_cast<char>(std::toupper(letter[0]))) + ":";
    for (const fs::path& name : relative) windows += "\\" + name.string();
    return windows;
  }
  return {};
}

// Copies the package to C:\Packages unless it already lies on the
// computer; returns its Windows path, empty (with `problem`) on failure.
std::string placePackage(const fs::path& machine, const fs::path& package, std::string& problem) {
  const fs::path drives = machine / "drives";
  std::string inside = windowsPathInside(drives, package);
  if (!inside.empty()) return inside;
  std::error_code error;
  fs::path folder = drives / "C" / kPackagesFolder;
  fs::create_directories(folder, error);
  const std::string name = package.stem().string() + ".exe";
  if (!error) fs::copy_file(package, folder / name, fs::copy_options::overwrite_existing, error);
  if (error) {
    problem = error.message();
    return {};
  }
  return std::string("C:\\") + kPackagesFolder + "\\" + name;
}

std::string quoted(const std::string& word) {
  if (!word.empty() && word.find_first_of(" \t") == std::string::npos) return word;
  return "\"" + word + "\"";
}

std::string commandLine(const std::string& program, const std::vector<std::string>& switches) {
  std::string line = "\"" + program + "\"";
  for (const std::string& word : switches) line += " " + quoted(word);
  return line;
}

std::string hostPathOf(const fs::path& machine, const std::string& windowsPath) {
  WindowsPath parsed;
  HostLocation location;
  if (windowsPath.empty() || parseWindowsPath(windowsPath, parsed) != kErrorSuccess ||
      locateOnHost(machine / "drives", parsed, location) != kErrorSuccess)
    return {};
  return location.host.string();
}

}  // namespace

int runRunCommand(const Arguments& arguments) {
  RunRequest request;
  if (!parseRequest(arguments, request)) {
    std::fprintf(stderr, "usage: tessary %s\n", kRunUsage);
    return 2;
  }
  if (!fs::is_regular_file(request.package)) {
    std::fprintf(stderr, "tessary run: %s: no such package file\n", request.package.c_str());
    return 1;
  }
  std::string error;
  std::unique_ptr<SimPlatform> computer = SimPlatform::load(request.machine, error);
  if (!computer) {
    std::fprintf(stderr, "tessary run: %s\n", error.c_str());
    return 1;
  }
  std::string program = placePackage(request.machine, request.package, error);
  if (program.empty()) {
    std::fprintf(stderr, "tessary run: cannot place %s on the computer: %s\n", request.package.c_str(),
                 error.c_str());
    return 1;
  }
  computer->setProgram(program, commandLine(program, request.switches));
  int code = 0;
  std::string logPath;
  std::string undoPath;
  {
    InstallApp app(*computer);
    code = app.run();
    logPath = app.logPath();
    undoPath = app.state().undoPackagePath;
  }
  if (!computer->save(error)) {
    std::fprintf(stderr, "tessary run: the computer's registry could not be saved: %s\n", error.c_str());
    return 1;
  }
  std::printf("program: %s\n", program.c_str());
  if (logPath.empty())
    std::printf("log: none\n");
  else
    std::printf("log: %s (%s)\n", logPath.c_str(), hostPathOf(request.machine, logPath).c_str());
  if (!undoPath.empty()) std::printf("undo package: %s (%s)\n", undoPath.c_str(), hostPathOf(request.machine, undoPath).c_str());
  std::printf("exit code: %d %s\n", code, exitCodeText(code).c_str());
  return code;
}

}  // namespace tessary::cli
