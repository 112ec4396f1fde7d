// The registry pass: the package's registry tree applied to the computer,
// machine keys once and HKEY_CURRENT_USER keys once per target user, every
// decision logged and, while an undo package is written, every change
// mirrored into it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/index/CTree.h"
#include "archive/index/RegistryValueRecord.h"
#include "support/RunLog.h"
#include "variables/TargetSystem.h"
#include "variables/Variable.h"

namespace tessary {

class RegistryUndoRecorder;

// The value record of a value node; false when it cannot be read.
using RegistryRecordReader = std::function<bool(const CTree& node, RegistryValueRecord& record)>;

struct RegistryPassContext {
  TargetSystem& system;
  RunLog& log;
  // The target users; the first one's variables resolve machine paths.
  const std::vector<UserContext>& users;
  RegistryRecordReader readRecord;
  // Null when no undo package is being written (and in simulation or repair).
  RegistryUndoRecorder* undo = nullptr;
  bool simulate = false;
  bool repair = false;
  bool undoPackage = false;  // the package run is itself an undo package
  // Lets windows process their messages; false once the run is cancelled.
  std::function<bool()> goOn = [] { return true; };
  // Per node: the share of the package's record bytes done so far, and the path.
  std::function<void(int percent, const std::string& path)> progress = [](int, const std::string&) {};
};

struct RegistryPassResult {
  bool walked = false;  // false: cancelled, or nothing to walk
  std::int32_t errors = 0;
};

RegistryPassResult registryPass(const CTree& root, RegistryPassContext& context);

// More write failures than this mark the run as having errors.
inline constexpr std::int32_t kRegistryErrorsTolerated = 5;

}  // namespace tessary
