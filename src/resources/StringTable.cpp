#include "resources/StringTable.h"

namespace tessary {

namespace {

struct Entry {
  Str id;
  const char* text;
};

constexpr Entry kStrings[] = {
    {Str::kExitComplete, " Tessary process complete."},
    {Str::kExitUndefined, "Undefined Error %u"},
    {Str::kExitAdminRights, "Pre-Install - This NUP requires Admin rights to run"},
    {Str::kExitCannotObtainRights, "Pre-Install - Cannot obtain rights needed to run this NUP"},
    {Str::kExitDiskSpace, "Pre-Install - Not enough disk space to run this NUP"},
    {Str::kExitBadPassword, "Pre-Install - Bad password"},
    {Str::kExitPasswordRequired, "Pre-Install - Password required"},
    {Str::kExitWrongWindows, "Pre-Install - Wrong version of Windows"},
    {Str::kExitNoUser, "Pre-Install - No user available for the current user settings."},
    {Str::kExitErrorsSeeLog, "One or more errors -- see Tessary log file"},
    {Str::kExitNonVolatile, "Non-volatile error -- see Tessary log file"},
    {Str::kExitLowQuota, "Pre-Install - Low registry quota"},
    {Str::kExitNoDrive, "Pre-Install - Required drive not present"},
    {Str::kExitConditions, "Pre-Install - Install conditions not met"},
    {Str::kExitPostProgram, "Post install program execution failed."},
    {Str::kExitNotEnoughRam, "Pre-Install - Not enough RAM to run this NUP."},
    {Str::kExitFolderAccess,
     "NUP FAILURE!  Could not access one or more directories needed to run this NUP.  "},
    {Str::kExitTempFolder, "The temp directory does not exist or is not writeable."},
    {Str::kExitVariables, "Pre-Install - Unable to initialize the variables."},
    {Str::kNothingToProcess, "There is nothing to process."},
    {Str::kTempFolderName, "CorvaneTemp"},
    {Str::kLogFileName, "nupinst.log"},
    {Str::kLogHeader, "\n=====\t%s  %s.exe\t=====\n"},
    {Str::kLogSimulationBanner, "************    SIMULATED INSTALLATION    ************\n"},
    {Str::kLogClosingBanner, "\n\n=====\t%s\t=====\n"},
    {Str::kLogExiting, "Exiting with error code %d."},
};

}  // namespace

const char* text(Str id) {
  for (const Entry& entry : kStrings)
    if (entry.id == id) return entry.text;
  return "";
}

}  // namespace tessary
