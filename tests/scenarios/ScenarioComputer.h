// A simulated computer and a package made for one scenario, and a run of
// the package on it with the runtime's own install sequence.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessary::scenario {

struct RunResult {
  int code = -1;
  std::string exitText;
  std::string logPath;  // Windows path; empty when no log was opened
  std::string log;      // its text, CR LF as written
  std::string transcript;
  std::string undoPackagePath;
  bool errorsRecorded = false;
  bool restartPending = false;  // the run left work to the next start
};

class ScenarioComputer {
 public:
  // A fresh computer from the template `os` in `folder` (emptied first).
  ScenarioComputer(std::filesystem::path folder, const std::string& os);

  // Sets `key` in `section` of machine.ini (the section is made when
  // missing).
  void set(const std::string& section, const std::string& key, const std::string& value);
  // Adds a value line below a key of registry.reg (made when missing).
  void addRegistryValue(const std::string& key, const std::string& line);
  // A host path on the computer's drives for a Windows path.
  std::filesystem::path hostPath(const std::string& windowsPath) const;
  // Creates an empty file at a Windows path, with its folders.
  void touch(const std::string& windowsPath) const;

  // Builds `manifest` (TOML; relative sources are taken from `payload`)
  // into a package with a stand-in runtime stub.
  std::filesystem::path buildPackage(const std::string& manifest, const std::filesystem::path& payload,
                                     const std::string& name = "app") const;

  // Runs the package placed at C:\Packages\<name>.exe with `switches`.
  RunResult run(const std::filesystem::path& package, const std::string& switches) const;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

// The test's work folder for `name`.
std::filesystem::path workFolder(const std::string& name);

std::string readText(const std::filesystem::path& path);

}  // namespace tessary::scenario
