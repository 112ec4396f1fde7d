// The work of a run, in the units the sequence calls: the program phases,
// the file pass and the registry pass.
#pragma once

#include "platform/PlatformUi.h"

namespace tessary {

class InstallApp;

enum class ProgramPhase { Pre = 0, Mid = 1, Post = 2 };

// Runs the programs of a phase; false when one failed in a way that stops
// the install (the exit code is set and the message said).
bool runPhasePrograms(InstallApp& app, ProgramPhase phase);

// The file pass and the registry pass. Each returns at once for the install
// scope that leaves it out, and stops early when the run is cancelled.
void runFilePass(InstallApp& app, ProgressView& view);
void runRegistryPass(InstallApp& app, ProgressView& view);

// The shortcuts the file pass installed, given the computer's paths.
void runShortcutFixUp(InstallApp& app);

}  // namespace tessary
