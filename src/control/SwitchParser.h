// Turns command-line tokens into run options, one token at a time, in
// command-line order. Parsing never fails: unknown tokens are ignored, or
// collected as variable values after `lv`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control/RunOptions.h"

namespace tessary {

class SwitchParser {
 public:
  explicit SwitchParser(RunOptions& options) : options_(options) {}

  // `token` has its switch marker ("-" or "/") removed already; `hasMarker`
  // tells whether it carried one. `isLast` is accepted for the walker's
  // sake and changes nothing.
  void parseToken(std::string_view token, bool hasMarker, bool isLast);

  bool collectingVariables() const { return collecting_; }

 private:
  bool exactSwitch(std::string_view token);
  bool prefixSwitch(std::string_view token);
  bool exactQuietSwitch(std::string_view token);
  bool valueSwitch(std::string_view token);
  void collect(std::string_view token);

  RunOptions& options_;
  bool collecting_ = false;
  bool pairWaitsForValue_ = false;
};

// Walks an argument vector as the toolkit does: the program name (first
// element) is skipped; an argument starting with "-" or "/" is a switch and
// loses that marker.
void parseArguments(RunOptions& options, const std::vector<std::string>& arguments);

}  // namespace tessary
