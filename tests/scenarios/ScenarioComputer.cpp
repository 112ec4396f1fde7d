#include "ScenarioComputer.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/BuildCommand.h"
#include "cli/MachineCommand.h"
#include "control/InstallApp.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// Enough of a program for the package builder: the runtime itself never
// runs on the simulated computer.
fs::path standInStub(const fs::path& folder) {
  fs::path stub = folder / "stub.exe";
  std::string bytes(1024, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  writeText(stub, bytes);
  return stub;
}

}  // namespace

fs::path workFolder(const std::string& name) { return fs::path(TESSARY_SCENARIO_WORK) / name; }

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

ScenarioComputer::ScenarioComputer(fs::path folder, const std::string& os) : folder_(std::move(folder)) {
  fs::remove_all(folder_);
  if (cli::runMachineCommand({"new", folder_.string(), "--os", os}) != 0)
    throw std::runtime_error("no computer from template " + os);
}

void ScenarioComputer::set(const std::string& section, const std::string& key, const std::string& value) {
  fs::path ini = folder_ / "machine.ini";
  std::string text = readText(ini);
  const std::string header = "[" + section + "]\n";
  std::size_t at = text.find(header);
  if (at == std::string::npos) {
    text += "\n" + header + key + "=" + value + "\n";
  } else {
    std::size_t lineStart = at + header.size();
    // A key already in the section is replaced.
    std::size_t sectionEnd = text.find("\n[", lineStart);
    std::size_t existing = text.find("\n" + key + "=", at);
    if (existing != std::string::npos && (sectionEnd == std::string::npos || existing < sectionEnd)) {
      std::size_t end = text.find('\n', existing + 1);
      text.replace(existing + 1, end - existing - 1, key + "=" + value);
    } else {
      text.insert(lineStart, key + "=" + value + "\n");
    }
  }
  writeText(ini, text);
}

void ScenarioComputer::addRegistryValue(const std::string& key, const std::string& line) {
  fs::path reg = folder_ / "registry.reg";
  std::string text = readText(reg);
  const std::string header = "[" + key + "]";
  std::size_t at = text.find(header + "\r\n");
  std::size_t length = header.size() + 2;
  if (at == std::string::npos) {
    at = text.find(header + "\n");
    length = header.size() + 1;
  }
  if (at == std::string::npos)
    text += "\r\n" + header + "\r\n" + line + "\r\n";
  else
    text.insert(at + length, line + "\r\n");
  writeText(reg, text);
}

fs::path ScenarioComputer::hostPath(const std::string& windowsPath) const {
  WindowsPath parsed;
  if (parseWindowsPath(windowsPath, parsed) != kErrorSuccess) return {};
  fs::path host = folder_ / "drives" / std::string(1, parsed.drive);
  for (const std::string& name : parsed.names) host /= name;
  return host;
}

void ScenarioComputer::touch(const std::string& windowsPath) const { writeText(hostPath(windowsPath), ""); }

fs::path ScenarioComputer::buildPackage(const std::string& manifest, const fs::path& payload,
                                        const std::string& name) const {
  fs::path work = folder_.parent_path() / (folder_.filename().string() + "-build");
  fs::create_directories(work);
  fs::path toml = payload / (name + ".toml");
  writeText(toml, manifest);
  fs::path package = work / (name + ".exe");
  fs::remove(package);
  if (cli::runBuild({toml.string(), "-o", package.string(), "--stub", standInStub(work).string()}) != 0)
    throw std::runtime_error("the scenario's package did not build:\n" + manifest);
  return package;
}

RunResult ScenarioComputer::run(const fs::path& package, const std::string& switches) const {
  const std::string program = "C:\\Packages\\" + package.stem().string() + ".exe";
  fs::path placed = hostPath(program);
  fs::create_directories(placed.parent_path());
  fs::copy_file(package, placed, fs::copy_options::overwrite_existing);
  std::string error;
  std::unique_ptr<SimPlatform> computer = SimPlatform::load(folder_.string(), error);
  if (!computer) throw std::runtime_error("computer: " + error);
  computer->setProgram(program, "\"" + program + "\"" + (switches.empty() ? "" : " " + switches));
  RunResult result;
  {
    InstallApp app(*computer);
    result.code = app.run();
    result.exitText = app.state().exitCodeText;
    result.logPath = app.logPath();
    result.undoPackagePath = app.state().undoPackagePath;
    result.errorsRecorded = app.state().errorsRecorded != 0;
    result.restartPending = app.state().restartPending != 0;
  }
  if (!computer->save(error)) throw std::runtime_error("save: " + error);
  if (!result.logPath.empty()) result.log = readText(hostPath(result.logPath));
  result.transcript = readText(folder_ / "transcript.txt");
  return result;
}

}  // namespace tessary::scenario
