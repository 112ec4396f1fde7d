#include "control/SwitchParser.h"

#include "support/TextCompare.h"

namespace tessary {

namespace {

struct FlagSwitch {
  const char* name;
  std::int32_t RunOptions::*flag;
};

// Exact switches that only count with a marker.
constexpr FlagSwitch kMarkedFlags[] = {
    {"q", &RunOptions::quiet},           {"s", &RunOptions::skipRightsCheck},
    {"a", &RunOptions::allUsers},        {"nr", &RunOptions::noReboot},
    {"d", &RunOptions::debug},           {"oq", &RunOptions::ignoreQuota},
    {"od", &RunOptions::ignoreDiskSpace}, {"r", &RunOptions::repair},
};

constexpr std::string_view kLevelTokens[] = {"vb:1", "vb:2", "vb:3", "vb:4", "vb:0"};

}  // namespace

void SwitchParser::parseToken(std::string_view token, bool hasMarker, bool /*isLast*/) {
  if (hasMarker && exactSwitch(token)) return;
  if (prefixSwitch(token)) return;
  if (hasMarker && exactQuietSwitch(token)) return;
  if (valueSwitch(token)) return;
  if (collecting_) collect(token);
}

bool SwitchParser::exactSwitch(std::string_view token) {
  if (equalsNoCase(token, "lv")) {
    collecting_ = true;
    return true;
  }
  for (const FlagSwitch& entry : kMarkedFlags) {
    if (equalsNoCase(token, entry.name)) {
      options_.*entry.flag = 1;
      collecting_ = false;
      return true;
    }
  }
  return false;
}

bool SwitchParser::prefixSwitch(std::string_view token) {
  if (startsWithNoCase(token, "si")) {
    options_.simulate = 1;
    // The third character, normally ":", is skipped unread.
    options_.simulationLogPath = token.size() > 3 ? std::string(token.substr(3)) : std::string();
  } else if (startsWithNoCase(token, "vb:")) {
    for (std::string_view level : kLevelTokens) {
      if (startsWithNoCase(token, level)) {
        options_.logLevel = level[3] - '0';
        break;
      }
    }
  } else if (startsWithNoCase(token, "cu:")) {
    if (token.size() >= 4) options_.userList = std::string(token.substr(3));
  } else if (startsWithNoCase(token, "i:")) {
    if (startsWithNoCase(token, "i:1")) options_.installScope = kScopeFilesOnly;
    else if (startsWithNoCase(token, "i:2")) options_.installScope = kScopeRegistryOnly;
  } else {
    return false;
  }
  collecting_ = false;
  return true;
}

bool SwitchParser::exactQuietSwitch(std::string_view token) {
  std::int32_t on;
  if (equalsNoCase(token, "qm")) on = 1;
  else if (equalsNoCase(token, "qx")) on = 0;
  else return false;
  options_.quiet = on;
  options_.minimized = on;
  collecting_ = false;
  return true;
}

bool SwitchParser::valueSwitch(std::string_view token) {
  if (startsWithNoCase(token, "p:")) {
    if (token.size() >= 3) options_.password = std::string(token.substr(2));
  } else if (startsWithNoCase(token, "u:")) {
    if (token.size() >= 4) options_.undoPackagePath = std::string(token.substr(2));
  } else {
    return false;
  }
  collecting_ = false;
  return true;
}

void SwitchParser::collect(std::string_view token) {
  if (pairWaitsForValue_) {
    options_.variableValues.back().value = std::string(token);
    pairWaitsForValue_ = false;
  } else {
    options_.variableValues.push_back({std::string(token), std::string()});
    pairWaitsForValue_ = true;
  }
}

void parseArguments(RunOptions& options, const std::vector<std::string>& arguments) {
  SwitchParser parser(options);
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    std::string_view token = arguments[i];
    bool marker = !token.empty() && (token[0] == '-' || token[0] == '/');
    if (marker) token.remove_prefix(1);
    parser.parseToken(token, marker, i + 1 == arguments.size());
  }
}

}  // namespace tessary
