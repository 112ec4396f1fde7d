// Rights, memory, the single-instance mutex and the client service's window
// on the simulated computer, and the machine.ini keys behind them.
#include <gtest/gtest.h>

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

TEST(SimSession, BadValuesAreRefusedWithLineAndKey) {
  struct Case {
    const char* extra;
    const char* error;
  };
  // kXpIni has 16 lines; the extra section's key is on line 18.
  const Case cases[] = {
      {"[computer]\nmemory=lots\n", "machine.ini: line 18: [computer] memory is not a number: \"lots\""},
      {"[computer]\nmemory=0\n", "machine.ini: line 18: [computer] memory must be at least 1 (MB)"},
      {"[session]\nadmin=maybe\n", "machine.ini: line 18: [session] admin must be no or yes: \"maybe\""},
      {"[session]\ninstance=two\n",
       "machine.ini: line 18: [session] instance must be none, running, abandoned or fail: \"two\""},
      {"[service]\nwindow=perhaps\n", "machine.ini: line 18: [service] window must be no or yes: \"perhaps\""},
      {"[service]\nanswer=-1\n", "machine.ini: line 18: [service] answer is not a number: \"-1\""},
      {"[service]\npost=later\n", "machine.ini: line 18: [service] post must be ok or fail: \"later\""},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    std::filesystem::path folder = simtest::makeMachine(temp, std::string(simtest::kXpIni) + c.extra);
    std::string error;
    EXPECT_FALSE(SimPlatform::load(folder.string(), error)) << c.extra;
    EXPECT_EQ(error, c.error);
  }
}

TEST(SimSession, MemoryComesFromMachineIni) {
  struct Case {
    const char* extra;
    std::uint64_t bytes;
  };
  const Case cases[] = {
      {"", 256ull << 20},
      {"[computer]\nmemory=64\n", 64ull << 20},
      {"[computer]\nmemory=0x1000\n", 4096ull << 20},  // 4 GB: more than a 32-bit count
  };
  for (const Case& c : cases) {
    TempFolder temp;
    std::unique_ptr<SimPlatform> sim =
        simtest::loadSim(simtest::makeMachine(temp, std::string(simtest::kXpIni) + c.extra));
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->totalPhysicalMemory(), c.bytes) << c.extra;
  }
}

TEST(SimSession, ServiceManagerFullAccessFollowsTheRunningAccount) {
  const std::string nt4 = "[os]\nplatform=2\nmajor=4\nminor=0\n";
  struct Case {
    std::string ini;
    bool full;
  };
  const Case cases[] = {
      {simtest::kXpIni, true},  // ann is an admin row
      {std::string(simtest::kXpIni) + "[session]\naccount=bob\n", false},  // a user row
      {std::string(simtest::kXpIni) + "[session]\naccount=stranger\n", false},  // no row
      {std::string(simtest::kXpIni) + "[session]\naccount=system\n", true},
      {std::string(simtest::kXpIni) + "[session]\nadmin=no\n", false},  // the override wins
      {nt4, true},  // nobody logged on: SYSTEM
      {nt4 + "[session]\nadmin=NO\n", false},
      {simtest::k98Ini, false},
      {std::string(simtest::k98Ini) + "[session]\nadmin=yes\n", true},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, c.ini));
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->serviceManagerFullAccess(), c.full) << c.ini;
  }
}

TEST(SimSession, TheMutexIsTakenUnlessAnotherInstanceRuns) {
  struct Case {
    const char* instance;
    MutexTake take;
    bool held;
    const char* journal;
  };
  const Case cases[] = {
      {"", MutexTake::Taken, true, "mutex TessaryPackage -> created"},
      {"none", MutexTake::Taken, true, "mutex TessaryPackage -> created"},
      {"abandoned", MutexTake::Taken, true, "mutex TessaryPackage -> taken over"},
      {"running", MutexTake::HeldElsewhere, false, "mutex TessaryPackage -> held elsewhere"},
      {"fail", MutexTake::Failed, false, "mutex TessaryPackage -> failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.instance);
    TempFolder temp;
    std::string ini = std::string(simtest::kXpIni) + "[session]\ninstance=" + c.instance + "\n";
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, ini));
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->takeNamedMutex("TessaryPackage"), c.take);
    EXPECT_EQ(sim->mutexHeld(), c.held);
    sim->releaseNamedMutex();
    sim->releaseNamedMutex();  // nothing held any more
    EXPECT_FALSE(sim->mutexHeld());
    std::vector<std::string> journal{c.journal};
    if (c.held) journal.push_back("mutex TessaryPackage released");
    EXPECT_EQ(sim->journal(), journal);
  }
}

TEST(SimSession, TheServiceWindowAnswersFromMachineIni) {
  const std::string title = "Corvane Client Service Main Window";
  std::string command = "\"C:\\My Files\\pkg.exe\" -q -s";
  std::vector<std::uint8_t> data(command.begin(), command.end());
  data.resize(260, 0);
  data[259] = 'z';  // after the first zero: not shown
  struct Case {
    const char* service;
    WinError sent;
    std::intptr_t answer;
    WinError posted;
    const char* answerLine;
    const char* postLine;
  };
  const Case cases[] = {
      {"", kErrorInvalidWindowHandle, 0, kErrorInvalidWindowHandle, "answer: no such window",
       "result: no such window"},
      {"window=yes\n", 0, 0, 0, "answer: 0", "result: posted"},
      {"window=yes\nanswer=3\npost=fail\n", 0, 3, kErrorAccessDenied, "answer: 3", "result: failed (5)"},
      {"window=no\nanswer=3\n", kErrorInvalidWindowHandle, 0, kErrorInvalidWindowHandle, "answer: no such window",
       "result: no such window"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.service);
    TempFolder temp;
    std::filesystem::path folder =
        simtest::makeMachine(temp, std::string(simtest::kXpIni) + "[service]\n" + c.service);
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
    ASSERT_TRUE(sim);
    std::intptr_t answer = 77;
    EXPECT_EQ(sim->sendCopyData(title, 0x05A3E816, data, answer), c.sent);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(sim->postWindowMessage(title, 1025), c.posted);
    EXPECT_EQ(simtest::readFile(folder / "transcript.txt"),
              "copy data: " + title + "\r\nid: 0x05A3E816\r\nbytes: 260\r\ndata: " + command + "\r\n" +
                  c.answerLine + "\r\n\r\npost message: " + title + "\r\nmessage: 1025\r\n" + c.postLine +
                  "\r\n\r\n");
    ASSERT_EQ(sim->journal().size(), 2u);
    EXPECT_EQ(sim->journal()[1], "post \"" + title + "\" 1025" +
                                     (c.posted ? " -> " + std::to_string(c.posted) : std::string()));
  }
}

}  // namespace
}  // namespace tessary
