#include "cli/MachineCommand.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/MachineFacts.h"
#include "cli/MachineWriter.h"

namespace tessary::cli {

namespace {

int usage(const std::string& problem) {
  std::cerr << "tessary machine: " << problem << "\nusage: tessary " << kMachineUsage << "\n";
  return 2;
}

}  // namespace

int runMachineCommand(const Arguments& arguments) {
  if (arguments.empty() || arguments[0] != "new") return usage("expected \"new\"");
  std::string folder, os;
  bool osGiven = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--os") {
      if (i + 1 >= arguments.size()) return usage("--os needs a value");
      os = arguments[++i];
      osGiven = true;
    } else if (word.rfind("--os=", 0) == 0) {
      os = word.substr(5);
      osGiven = true;
    } else if (!word.empty() && word[0] == '-') {
      return usage("unknown option \"" + word + "\"");
    } else if (folder.empty()) {
      folder = word;
    } else {
      return usage("more than one folder given");
    }
  }
  if (folder.empty()) return usage("no folder given");
  if (!osGiven) return usage("--os is missing");
  const MachineFacts* facts = findMachineTemplate(os);
  if (!facts) return usage("unknown --os \"" + os + "\"");

  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(folder, ec);
  if (std::filesystem::exists(status)) {
    if (!std::filesystem::is_directory(status)) {
      std::cerr << "tessary machine: " << folder << " exists and is not a folder\n";
      return 1;
    }
    if (!std::filesystem::is_empty(folder, ec) || ec) {
      std::cerr << "tessary machine: " << folder
                << " is not empty; give a new or empty folder (nothing was changed)\n";
      return 1;
    }
  }

  std::string error;
  if (!writeMachine(*facts, folder, error)) {
    std::cerr << "tessary machine: " << error << "\n";
    return 1;
  }
  std::cout << "wrote " << facts->comment << " to " << folder << "\n";
  return 0;
}

}  // namespace tessary::cli
