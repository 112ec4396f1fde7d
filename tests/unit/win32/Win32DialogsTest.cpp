#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "unit/win32/DialogDriver.h"

namespace tessary {
namespace {

TEST(Win32Dialogs, PasswordOkReturnsTheTypedTextCancelReturnsNothing) {
  Win32Platform platform;
  DialogDriver typing("Password", [](HWND dialog) {
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, 1014), GWL_STYLE) & ES_PASSWORD);
    SetDlgItemTextA(dialog, 1014, "s3cr&t word");
    pressButton(dialog, IDOK);
    return true;
  });
  std::string password = "stale";
  EXPECT_TRUE(platform.passwordDialog(password));
  EXPECT_FALSE(typing.timedOut());
  EXPECT_EQ(password, "s3cr&t word");

  DialogDriver cancelling("Password", [](HWND dialog) {
    SetDlgItemTextA(dialog, 1014, "typed");
    pressButton(dialog, IDCANCEL);
    return true;
  });
  EXPECT_FALSE(platform.passwordDialog(password));
  EXPECT_FALSE(cancelling.timedOut());
  EXPECT_EQ(password, "");
}

TEST(Win32Dialogs, ReplaceShowsBothFilesAndAnswersTheButtonPressed) {
  Win32Platform platform;
  const std::string heading = "C:\\Pro&gram Files already contains a file named 'a.dll'";
  struct Case {
    int button;  // 0: the close box
    int answer;
  };
  for (Case c : {Case{kReplaceYes, kReplaceYes}, Case{kReplaceYesToAll, kReplaceYesToAll},
                 Case{kReplaceNo, kReplaceNo}, Case{0, kReplaceNo}}) {
    std::string shownHeading, shownExisting, shownNew;
    DialogDriver driver("Confirm File Replace", [&](HWND dialog) {
      shownHeading = itemText(dialog, 1012);
      shownExisting = itemText(dialog, 1010);
      shownNew = itemText(dialog, 1011);
      EXPECT_EQ(itemText(dialog, kReplaceYesToAll), "Yes &All");
      if (c.button)
        pressButton(dialog, c.button);
      else
        PostMessageA(dialog, WM_CLOSE, 0, 0);
      return true;
    });
    EXPECT_EQ(platform.confirmFileReplace(heading, "12 bytes\nmodified today", "34 bytes"), c.answer) << c.button;
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(shownHeading, heading);
    EXPECT_EQ(shownExisting, "12 bytes\nmodified today");
    EXPECT_EQ(shownNew, "34 bytes");
  }
}

// Records what the dialog asks of the install sequence; its passes report
// progress and pump messages like the real ones.
class RecordingHandler final : public ProgressDialogHandler {
 public:
  explicit RecordingHandler(Platform& platform) : platform_(platform) {}

  void begin(ProgressView& view) override {
    ++begins;
    beginTick = GetTickCount();
    view.fileProgress(42, "Copying a.dll");
    view.registryProgress(100, "Complete");
    if (atBegin) atBegin();
    // Passes that run until an exit is accepted or their time is up.
    const DWORD until = GetTickCount() + passMs;
    while (static_cast<LONG>(GetTickCount() - until) < 0 && !stopped) {
      platform_.processPendingMessages();
      Sleep(10);
    }
    if (duringPasses) duringPasses();
  }

  bool exitRequested(bool started) override {
    exits.push_back(started);
    const bool accept = exits.size() > refusals;
    if (accept && started) stopped = true;
    return accept;
  }

  int begins = 0;
  DWORD beginTick = 0;
  std::vector<bool> exits;
  std::size_t refusals = 0;
  DWORD passMs = 0;
  bool stopped = false;
  std::function<void()> atBegin;
  std::function<void()> duringPasses;

 private:
  Platform& platform_;
};

TEST(Win32ProgressDialog, QuietRunBeginsAfterASecondShowsProgressAndEndsWithOk) {
  Win32Platform platform;
  RecordingHandler handler(platform);
  ProgressDialogRequest request{"Quiet Package", "Tools && Fonts", true};
  bool buttonsDisabled = false;
  std::string description, aboutItem;
  DialogDriver driver("Quiet Package", [&](HWND dialog) {
    buttonsDisabled = !IsWindowEnabled(GetDlgItem(dialog, 1002)) && !IsWindowEnabled(GetDlgItem(dialog, 2));
    description = itemText(dialog, 1003);
    std::vector<char> item(64);
    GetMenuStringA(GetSystemMenu(dialog, FALSE), 16, item.data(), static_cast<int>(item.size()), MF_BYCOMMAND);
    aboutItem = item.data();
    return true;
  });
  HWND dialog = nullptr;
  std::string filePercent, fileText, registryPercent;
  LRESULT filePosition = -1;
  bool barShown = false, beginEnabled = true;
  handler.duringPasses = [&] {
    dialog = driver.dialog();
    filePercent = itemText(dialog, 1006);
    fileText = itemText(dialog, 1005);
    registryPercent = itemText(dialog, 1019);
    filePosition = SendDlgItemMessageA(dialog, 1004, PBM_GETPOS, 0, 0);
    barShown = IsWindowVisible(GetDlgItem(dialog, 1004)) && IsWindowVisible(GetDlgItem(dialog, 1018));
    beginEnabled = IsWindowEnabled(GetDlgItem(dialog, 1002));
  };
  const DWORD start = GetTickCount();
  EXPECT_EQ(platform.progressDialog(request, handler), kIdOk);
  EXPECT_FALSE(driver.timedOut());
  EXPECT_TRUE(buttonsDisabled);
  EXPECT_EQ(description, "Tools && Fonts");
  EXPECT_EQ(aboutItem, "&About Tessary...");
  EXPECT_EQ(handler.begins, 1);
  EXPECT_GE(handler.beginTick - start, 900u);
  EXPECT_TRUE(handler.exits.empty());
  EXPECT_EQ(filePercent, "42");
  EXPECT_EQ(fileText, "Copying a.dll");
  EXPECT_EQ(registryPercent, "100");
  EXPECT_EQ(filePosition, 42);
  EXPECT_TRUE(barShown);
  EXPECT_FALSE(beginEnabled);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(Win32ProgressDialog, ExitBeforeBeginEndsWithCancelAndNoPasses) {
  Win32Platform platform;
  RecordingHandler handler(platform);
  DialogDriver driver("Tessary", [](HWND dialog) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1004)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1002)));
    pressButton(dialog, 2);
    return true;
  });
  EXPECT_EQ(platform.progressDialog(ProgressDialogRequest{"Tessary", "Welcome to Tessary", false}, handler), kIdCancel);
  EXPECT_FALSE(driver.timedOut());
  EXPECT_EQ(handler.begins, 0);
  EXPECT_EQ(handler.exits, std::vector<bool>{false});
}

// Escape reaches the dialog through the passes' own message pumping; a
// refused exit lets the passes run to their end.
TEST(Win32ProgressDialog, EscapeDuringThePassesAsksAndClosesOnlyWhenAccepted) {
  struct Case {
    std::size_t refusals;
    int result;
  };
  for (Case c : {Case{0, kIdCancel}, Case{1, kIdOk}}) {
    Win32Platform platform;
    RecordingHandler handler(platform);
    handler.refusals = c.refusals;
    handler.passMs = 1500;
    DialogDriver driver("Escape Test", [](HWND dialog) {
      pressButton(dialog, 1002);  // returns when the passes end
      return true;
    });
    bool escapeSent = false;
    handler.atBegin = [&] {
      HWND focus = GetFocus();
      escapeSent = PostMessageA(focus ? focus : driver.dialog(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(platform.progressDialog(ProgressDialogRequest{"Escape Test", "", false}, handler), c.result) << c.refusals;
    EXPECT_FALSE(driver.timedOut());
    EXPECT_TRUE(escapeSent);
    EXPECT_EQ(handler.begins, 1);
    EXPECT_EQ(handler.exits, std::vector<bool>{true}) << c.refusals;
  }
}

}  // namespace
}  // namespace tessary
