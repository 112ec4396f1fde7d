#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Win32NotifyIcon.h"
#include "platform/win32/Win32Platform.h"
#include "unit/win32/DialogDriver.h"

namespace tessary {
namespace {

// A 2x2 24-bit bitmap file of one colour.
std::string writeBitmap(const char* name, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const char* temp = std::getenv("TEMP");
  const std::string path = std::string(temp ? temp : ".") + "\\" + name;
  const std::uint32_t rowBytes = 8;  // 2 pixels of 3 bytes, padded to 4
  const std::uint32_t imageBytes = rowBytes * 2;
  std::vector<std::uint8_t> file;
  auto put = [&file](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put('B' | ('M' << 8), 2);
  put(14 + 40 + imageBytes, 4);
  put(0, 4);
  put(14 + 40, 4);
  put(40, 4);
  put(2, 4);
  put(2, 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 2; ++x) file.insert(file.end(), {blue, green, red});
    put(0, 2);
  }
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return std::string();
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  return path;
}

void pumpFor(Win32Platform& platform, DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (static_cast<LONG>(GetTickCount() - until) < 0) {
    platform.processPendingMessages();
    Sleep(10);
  }
}

TEST(Win32BackgroundWindow, ShownMaximisedWithItsBitmapAndGoneWhenDestroyed) {
  const std::string bitmap = writeBitmap("tessary-background.bmp", 200, 10, 10);
  ASSERT_FALSE(bitmap.empty());
  Win32Platform platform;
  platform.createBackgroundWindow(BackgroundWindowRequest{"Tessary Background Test", bitmap, 2, true});
  HWND window = FindWindowA(nullptr, "Tessary Background Test");
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsWindowVisible(window));
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  RECT area;
  GetWindowRect(window, &area);
  EXPECT_GE(area.right - area.left, GetSystemMetrics(SM_CXSCREEN));

  // The stretched bitmap fills the window.
  pumpFor(platform, 300);
  HDC dc = GetDC(window);
  const COLORREF middle = GetPixel(dc, (area.right - area.left) / 2, (area.bottom - area.top) / 2);
  ReleaseDC(window, dc);
  EXPECT_EQ(middle, RGB(200, 10, 10));

  // Dialogs belong to it while it stands.
  HWND owner = nullptr;
  DialogDriver driver("Password", [&owner](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    pressButton(dialog, IDCANCEL);
    return true;
  });
  std::string password;
  platform.passwordDialog(password);
  EXPECT_FALSE(driver.timedOut());
  EXPECT_EQ(owner, window);

  platform.destroyBackgroundWindow();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(FindWindowA(nullptr, "Tessary Background Test"));
  platform.destroyBackgroundWindow();  // a second time does nothing
  std::remove(bitmap.c_str());
}

TEST(Win32BackgroundWindow, HiddenOrWithoutABitmapAndReplacedByTheNextOne) {
  Win32Platform platform;
  platform.createBackgroundWindow(BackgroundWindowRequest{"Tessary Hidden Test", "C:\\no such.bmp", 1, false});
  HWND hidden = FindWindowA(nullptr, "Tessary Hidden Test");
  ASSERT_TRUE(hidden);
  EXPECT_FALSE(IsWindowVisible(hidden));

  platform.createBackgroundWindow(BackgroundWindowRequest{"Tessary Second Test", "", 0, true});
  EXPECT_FALSE(IsWindow(hidden));
  HWND second = FindWindowA(nullptr, "Tessary Second Test");
  ASSERT_TRUE(second);
  EXPECT_TRUE(IsWindowVisible(second));
  pumpFor(platform, 100);
  // The platform's end takes the window with it.
  {
    Win32Platform ending;
    ending.createBackgroundWindow(BackgroundWindowRequest{"Tessary Ending Test", "", 0, true});
    ASSERT_TRUE(FindWindowA(nullptr, "Tessary Ending Test"));
  }
  EXPECT_FALSE(FindWindowA(nullptr, "Tessary Ending Test"));
}

TEST(Win32NotifyIcon, EveryTenthUpdateSwitchesTheImage) {
  Win32NotifyIcon icon;
  icon.act(NotificationIconAction::Show, std::string(300, 't'), nullptr);
  EXPECT_TRUE(icon.shown());
  std::vector<bool> images;
  for (int i = 0; i < 21; ++i) {
    icon.act(NotificationIconAction::Update, "Files " + std::to_string(i) + "% complete", nullptr);
    images.push_back(icon.alternateImage());
  }
  EXPECT_EQ(icon.updates(), 21u);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(images[i], i < 10 || i >= 20) << i;
  icon.act(NotificationIconAction::Remove, "", nullptr);
  EXPECT_FALSE(icon.shown());
}

TEST(Win32NotifyIcon, CarriedByTheBackgroundWindowAndRemovedWithIt) {
  Win32Platform platform;
  platform.createBackgroundWindow(BackgroundWindowRequest{"Tessary Icon Test", "", 0, false});
  platform.notificationIcon(NotificationIconAction::Show, "Corvane Tessary");
  platform.notificationIcon(NotificationIconAction::Update, "Files 5% complete");
  // Deleting an icon that exists succeeds only once.
  NOTIFYICONDATAA probe{};
  probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
  probe.hWnd = FindWindowA(nullptr, "Tessary Icon Test");
  probe.uID = 101;
  ASSERT_TRUE(probe.hWnd);
  EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &probe));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &probe));
  // Shown again (modify fails, add follows), then gone with the window.
  platform.notificationIcon(NotificationIconAction::Show, "Corvane Tessary");
  platform.destroyBackgroundWindow();
  EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &probe));
}

// A window of another program, as the client service would have.
struct CopyDataReceiver {
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      received = static_cast<std::uint32_t>(copy->dwData);
      const auto* bytes = static_cast<const std::uint8_t*>(copy->lpData);
      data.assign(bytes, bytes + copy->cbData);
      return 77;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static inline std::uint32_t received = 0;
  static inline std::vector<std::uint8_t> data;
};

TEST(Win32ServiceWindow, CopyDataAndPostedMessageReachTheWindowWithThatTitle) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CopyDataReceiver::procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TessaryCopyDataReceiver";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "TessaryCopyDataReceiver", "Tessary Service Test Window", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(window);

  Win32Platform platform;
  std::vector<std::uint8_t> command(260, 0);
  const std::string text = "\"C:\\a b\\pkg.exe\" -q -s";
  std::copy(text.begin(), text.end(), command.begin());
  std::intptr_t answer = -1;
  EXPECT_EQ(platform.sendCopyData("Tessary Service Test Window", 0x05A3E816, command, answer), kErrorSuccess);
  EXPECT_EQ(answer, 77);
  EXPECT_EQ(CopyDataReceiver::received, 0x05A3E816u);
  EXPECT_EQ(CopyDataReceiver::data, command);

  EXPECT_EQ(platform.postWindowMessage("Tessary Service Test Window", WM_USER + 1), kErrorSuccess);
  MSG posted{};
  EXPECT_TRUE(PeekMessageA(&posted, window, WM_USER + 1, WM_USER + 1, PM_REMOVE));
  EXPECT_EQ(posted.wParam, 0u);
  EXPECT_EQ(posted.lParam, 0);

  answer = -1;
  EXPECT_EQ(platform.sendCopyData("No Such Tessary Window", 1, command, answer), 1400u);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(platform.postWindowMessage("No Such Tessary Window", WM_USER + 1), 1400u);
  DestroyWindow(window);
}

}  // namespace
}  // namespace tessary
