#include "control/ExitCodes.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(ExitCodes, TextOfEachCode) {
  const char* kWrong = "Pre-Install - Wrong version of Windows";
  const char* kOther = "Pre-Install - Unable to initialize the variables.";
  struct Case {
    std::int32_t code;
    const char* text;
  };
  const Case cases[] = {
      {0, " Tessary process complete."},
      {1, "Undefined Error 1"},
      {2, kOther}, {8, kOther}, {11, kOther}, {14, kOther}, {15, kOther}, {94, kOther},
      {-1, kOther}, {57, kOther}, {1000, kOther},
      {3, "Pre-Install - This NUP requires Admin rights to run"},
      {10, kWrong}, {12, kWrong}, {13, kWrong}, {18, kWrong}, {29, kWrong}, {56, kWrong},
      {17, "One or more errors -- see Tessary log file"},
      {19, "Non-volatile error -- see Tessary log file"},
      {28, "Non-volatile error -- see Tessary log file"},
      {22, "Pre-Install - Install conditions not met"},
      {58, "Pre-Install - Not enough RAM to run this NUP."},
      {93, "NUP FAILURE!  Could not access one or more directories needed to run this NUP.  "},
      {95, "The temp directory does not exist or is not writeable."},
  };
  for (const Case& c : cases) EXPECT_EQ(exitCodeText(c.code), c.text) << c.code;
}

}  // namespace
}  // namespace tessary
