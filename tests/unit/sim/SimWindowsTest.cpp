// The runtime's own windows and questions on the simulated computer: the
// password and replace dialogs, the background window, the progress dialog
// and the notification icon, answered from [ui] answers and written to
// transcript.txt.
#include <gtest/gtest.h>

#include <functional>

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

std::string iniWithAnswers(const std::string& answers) {
  return std::string(simtest::kXpIni) + (answers.empty() ? "" : "[ui]\nanswers=" + answers + "\n");
}

std::string transcriptOf(const std::filesystem::path& folder) {
  return simtest::readFile(folder / "transcript.txt");
}

TEST(SimWindows, PasswordDialogTakesTheTextOrCancel) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, iniWithAnswers("open sesame, cancel"));
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  struct Case {
    bool ok;
    const char* password;
  };
  const Case cases[] = {{true, "open sesame"}, {false, ""}, {true, ""}};  // the last: none left, OK
  for (const Case& c : cases) {
    std::string password = "stale";
    EXPECT_EQ(sim->passwordDialog(password), c.ok);
    EXPECT_EQ(password, c.password);
  }
  EXPECT_EQ(transcriptOf(folder),
            "dialog: Password\r\npassword: open sesame\r\nanswer: ok\r\n\r\n"
            "dialog: Password\r\nanswer: cancel\r\n\r\n"
            "dialog: Password\r\npassword: \r\nanswer: ok\r\n\r\n");
  EXPECT_EQ(sim->journal(), (std::vector<std::string>{"password dialog -> ok", "password dialog -> cancel",
                                                      "password dialog -> ok"}));
}

TEST(SimWindows, ReplaceDialogAnswersYesNoAllAndDefaultsToYes) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, iniWithAnswers("no, ALL, yes, later"));
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  const int expected[] = {kReplaceNo, kReplaceYesToAll, kReplaceYes, kReplaceYes, kReplaceYes};
  for (int answer : expected)
    EXPECT_EQ(sim->confirmFileReplace("C:\\APP already contains a file named 'a.dll'", "10 bytes\nold",
                                      "20 bytes"),
              answer);
  std::string transcript = transcriptOf(folder);
  EXPECT_EQ(transcript.substr(0, transcript.find("\r\n\r\n") + 4),
            "dialog: Confirm File Replace\r\n"
            "text: C:\\APP already contains a file named 'a.dll'\r\n"
            "existing: 10 bytes\r\n"
            "          old\r\n"
            "new: 20 bytes\r\n"
            "buttons: yes, all, no\r\n"
            "answer: no\r\n\r\n");
  EXPECT_EQ(sim->journal().back(), "replace dialog -> yes");
}

TEST(SimWindows, BackgroundWindowIsOneAtATime) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni);
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  sim->destroyBackgroundWindow();  // none yet: nothing
  BackgroundWindowRequest first;
  first.bitmapPath = "C:\\TEMP\\bg.bmp";
  first.bitmapLayout = 2;
  sim->createBackgroundWindow(first);
  EXPECT_TRUE(sim->backgroundWindowShown());
  BackgroundWindowRequest second;
  second.title = "Other";
  second.visible = false;
  sim->createBackgroundWindow(second);
  sim->destroyBackgroundWindow();
  sim->destroyBackgroundWindow();
  EXPECT_FALSE(sim->backgroundWindowShown());
  EXPECT_EQ(transcriptOf(folder),
            "window: TessaryPackageBackgroundWindow\r\nbitmap: C:\\TEMP\\bg.bmp\r\nlayout: stretch (2)\r\n"
            "shown: visible\r\n\r\n"
            "window closed: TessaryPackageBackgroundWindow\r\n\r\n"
            "window: Other\r\nbitmap: none\r\nlayout: once (0)\r\nshown: hidden\r\n\r\n"
            "window closed: Other\r\n\r\n");
  EXPECT_EQ(sim->journal(),
            (std::vector<std::string>{"background window \"TessaryPackageBackgroundWindow\"",
                                      "background window closed", "background window \"Other\"",
                                      "background window closed"}));
}

// The install sequence's side, scripted: what begin does and how each exit
// request is answered.
class ScriptedHandler final : public ProgressDialogHandler {
 public:
  std::function<void(ProgressView&)> onBegin;
  std::function<bool(bool)> onExit;
  int begins = 0;
  std::vector<bool> exits;  // the `started` of each request

  void begin(ProgressView& view) override {
    ++begins;
    if (onBegin) onBegin(view);
  }
  bool exitRequested(bool started) override {
    exits.push_back(started);
    return onExit ? onExit(started) : true;
  }
};

TEST(SimWindows, ProgressDialogButtonsComeFromTheAnswers) {
  struct Case {
    const char* name;
    const char* answers;
    bool quiet;
    bool acceptExit;  // the handler's answer to every exit request
    int pumps;  // processPendingMessages calls during begin
    int result;
    int begins;
    std::vector<bool> exits;
    const char* nextAnswerAfter;  // what is left in line
  };
  const Case cases[] = {
      {"no answers: Begin", "", false, true, 0, kIdOk, 1, {}, ""},
      {"any word: Begin", "ok, yes", false, true, 0, kIdOk, 1, {}, "yes"},
      {"exit accepted before Begin", "exit, yes", false, true, 0, kIdCancel, 0, {false}, "yes"},
      {"exit refused: Begin follows", "exit", false, false, 0, kIdOk, 1, {false}, ""},
      {"quiet: nothing pressed", "exit", true, true, 1, kIdOk, 1, {}, "exit"},
      {"exit during the passes accepted", "begin, exit-during, no", false, true, 2, kIdCancel, 1, {true}, "no"},
      {"exit during the passes refused", "begin, exit-during", false, false, 2, kIdOk, 1, {true}, ""},
      {"exit-during not next: nothing pressed", "begin, no, exit-during", false, true, 2, kIdOk, 1, {}, "no"},
      {"exit-during before Begin is a Begin", "exit-during, exit-during", false, true, 1, kIdCancel, 1, {true}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, iniWithAnswers(c.answers)));
    ASSERT_TRUE(sim);
    ScriptedHandler handler;
    handler.onExit = [&](bool) { return c.acceptExit; };
    handler.onBegin = [&](ProgressView&) {
      for (int i = 0; i < c.pumps; ++i) sim->processPendingMessages();
    };
    ProgressDialogRequest request;
    request.title = "Tessary";
    request.quiet = c.quiet;
    EXPECT_EQ(sim->progressDialog(request, handler), c.result);
    EXPECT_EQ(handler.begins, c.begins);
    EXPECT_EQ(handler.exits, c.exits);
    EXPECT_EQ(sim->peekAnswer(), c.nextAnswerAfter);
  }
}

TEST(SimWindows, ProgressDialogWritesItsLastProgress) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, iniWithAnswers("begin"));
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  ScriptedHandler handler;
  handler.onBegin = [](ProgressView& view) {
    view.fileProgress(10, "Copying a.dll");
    view.fileProgress(100, "Complete");
    view.registryProgress(40, "HKEY_LOCAL_MACHINE\\Software\\X");
  };
  ProgressDialogRequest request;
  request.title = "My Package";
  request.description = "Tools && more\nsecond line";
  EXPECT_EQ(sim->progressDialog(request, handler), kIdOk);
  EXPECT_EQ(transcriptOf(folder),
            "dialog: My Package\r\ntext: Tools && more\r\n      second line\r\nquiet: no\r\n\r\n"
            "pressed: begin\r\n\r\n"
            "dialog closed: My Package\r\nfile: 100% Complete\r\n"
            "registry: 40% HKEY_LOCAL_MACHINE\\Software\\X\r\nanswer: ok\r\n\r\n");
  EXPECT_EQ(sim->journal().back(), "progress dialog \"My Package\" -> ok");
}

TEST(SimWindows, ExitDuringThePassesAsksAndClosesWithCancel) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, iniWithAnswers("begin, exit-during, yes, exit-during"));
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  ScriptedHandler handler;
  handler.onExit = [&](bool) { return sim->messageBox("Are you sure you want to Exit?", "Tessary", 4) == kIdYes; };
  handler.onBegin = [&](ProgressView& view) {
    view.fileProgress(30, "a.dll");
    sim->processPendingMessages();
    sim->processPendingMessages();  // the dialog is closing: nothing more is pressed
  };
  ProgressDialogRequest request;
  request.title = "Tessary";
  EXPECT_EQ(sim->progressDialog(request, handler), kIdCancel);
  EXPECT_EQ(handler.exits, std::vector<bool>{true});
  EXPECT_EQ(sim->peekAnswer(), "exit-during");
  std::string transcript = transcriptOf(folder);
  EXPECT_NE(transcript.find("pressed: begin\r\n\r\npressed: exit (during the passes)\r\n\r\nmessage box: Tessary"),
            std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("dialog closed: Tessary\r\nfile: 30% a.dll\r\nregistry: none\r\nanswer: cancel\r\n"),
            std::string::npos)
      << transcript;
  // Outside a progress dialog the answer stays in line.
  sim->processPendingMessages();
  EXPECT_EQ(sim->peekAnswer(), "exit-during");
}

TEST(SimWindows, MessagesPumpedWhileAnExitIsAskedDoNotPressExitAgain) {
  TempFolder temp;
  std::unique_ptr<SimPlatform> sim =
      simtest::loadSim(simtest::makeMachine(temp, iniWithAnswers("begin, exit-during, exit-during")));
  ASSERT_TRUE(sim);
  ScriptedHandler handler;
  std::string leftWhileAsking;
  handler.onExit = [&](bool) {
    sim->processPendingMessages();
    leftWhileAsking = sim->peekAnswer();
    return false;
  };
  handler.onBegin = [&](ProgressView&) { sim->processPendingMessages(); };
  ProgressDialogRequest request;
  EXPECT_EQ(sim->progressDialog(request, handler), kIdOk);
  EXPECT_EQ(handler.exits, std::vector<bool>{true});
  EXPECT_EQ(leftWhileAsking, "exit-during");
  EXPECT_EQ(sim->peekAnswer(), "exit-during");
}

TEST(SimWindows, NotificationIconCountsUpdatesAndWritesTheLastTip) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni);
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  sim->notificationIcon(NotificationIconAction::Remove, "");  // none shown: nothing
  sim->notificationIcon(NotificationIconAction::Show, "Corvane Tessary");
  EXPECT_TRUE(sim->notificationIconShown());
  for (int i = 0; i < 24; ++i) sim->notificationIcon(NotificationIconAction::Update, "Files 50% complete");
  sim->notificationIcon(NotificationIconAction::Update, std::string(200, 'x'));
  sim->notificationIcon(NotificationIconAction::Remove, "");
  EXPECT_FALSE(sim->notificationIconShown());
  EXPECT_EQ(transcriptOf(folder), "notification icon: Corvane Tessary\r\n\r\n"
                                  "notification icon removed\r\nupdates: 25\r\nlast tip: " +
                                      std::string(127, 'x') + "\r\n\r\n");
  EXPECT_EQ(sim->journal(),
            (std::vector<std::string>{"notification icon show", "notification icon remove (25 updates)"}));
}

}  // namespace
}  // namespace tessary
