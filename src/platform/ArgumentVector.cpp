#include "platform/ArgumentVector.h"

namespace tessary {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t takeProgramName(std::string_view line, std::vector<std::string>& arguments) {
  std::size_t i = 0;
  std::string name;
  if (i < line.size() && line[i] == '"') {
    ++i;
    while (i < line.size() && line[i] != '"') name += line[i++];
    if (i < line.size()) ++i;
  } else {
    while (i < line.size() && !isBlank(line[i])) name += line[i++];
  }
  arguments.push_back(std::move(name));
  return i;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  std::size_t i = takeProgramName(line, arguments);
  for (;;) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string argument;
    bool inQuotes = false;
    while (i < line.size() && (inQuotes || !isBlank(line[i]))) {
      std::size_t slashes = 0;
      while (i < line.size() && line[i] == '\\') {
        ++slashes;
        ++i;
      }
      if (i < line.size() && line[i] == '"') {
        argument.append(slashes / 2, '\\');
        if (slashes % 2 == 1) {
          argument += '"';
          ++i;
        } else if (inQuotes && i + 1 < line.size() && line[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          inQuotes = !inQuotes;
          ++i;
        }
      } else {
        argument.append(slashes, '\\');
        if (i < line.size() && (inQuotes || !isBlank(line[i]))) argument += line[i++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::string_view commandLineArguments(std::string_view line) {
  std::vector<std::string> name;
  std::size_t i = takeProgramName(line, name);
  while (i < line.size() && isBlank(line[i])) ++i;
  return line.substr(i);
}

}  // namespace tessary
