// tessary vars: the users of a template with their variables resolved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/MachineCommand.h"
#include "cli/VarsCommand.h"
#include "unit/sim/SimTestFolder.h"

namespace tessary::cli {
namespace {

struct VarsRun {
  int status = 0;
  std::string output;
};

VarsRun runVars(const std::vector<std::string>& words) {
  testing::internal::CaptureStdout();
  VarsRun run;
  run.status = runVarsCommand(Arguments(words));
  run.output = testing::internal::GetCapturedStdout();
  return run;
}

TEST(VarsCommand, PrintsEachSelectedUsersOwnFolders) {
  simtest::TempFolder temp;
  std::string machine = (temp.path() / "xp").string();
  ASSERT_EQ(runMachineCommand({"new", machine, "--os", "xp"}), 0);

  VarsRun current = runVars({"--machine", machine});
  ASSERT_EQ(current.status, 0);
  EXPECT_NE(current.output.find("User: WKS-XP-014\\jsmith"), std::string::npos) << current.output;
  EXPECT_NE(current.output.find("C:\\Documents and Settings\\jsmith\\Desktop"), std::string::npos);

  VarsRun two = runVars({"--machine", machine, "--users", "jsmith;mjones"});
  ASSERT_EQ(two.status, 0);
  EXPECT_NE(two.output.find("C:\\Documents and Settings\\mjones\\Desktop"), std::string::npos) << two.output;
}

TEST(VarsCommand, RefusesWhatItCannotServe) {
  simtest::TempFolder temp;
  std::string machine = (temp.path() / "98").string();
  ASSERT_EQ(runMachineCommand({"new", machine, "--os", "98"}), 0);
  EXPECT_EQ(runVars({"--machine", machine, "--users", "nobody"}).status, 1);
  EXPECT_EQ(runVars({"--machine", (temp.path() / "missing").string()}).status, 1);
  EXPECT_EQ(runVars({"--all-users"}).status, 2);
}

}  // namespace
}  // namespace tessary::cli
