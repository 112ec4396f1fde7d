// tessary list PACKAGE [--json]
#include <iostream>

#include "cli/ListCommand.h"

namespace tessary::cli {

int runList(const Arguments& arguments) {
  std::string path;
  bool json = false;
  for (const std::string& word : arguments) {
    if (word == "--json") {
      json = true;
    } else if (path.empty() && !word.empty() && word[0] != '-') {
      path = word;
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::cerr << "usage: tessary list PACKAGE [--json]\n";
    return 2;
  }
  OpenPackage package;
  std::string error;
  if (!openPackage(path, package, error)) {
    std::cerr << "tessary list: " << path << ": " << error << "\n";
    return 1;
  }
  std::cout << (json ? listJson(package) : listText(package));
  return std::cout.good() ? 0 : 1;
}

}  // namespace tessary::cli
