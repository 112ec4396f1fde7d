#include "platform/win32/Win32BackgroundWindow.h"

#include <vector>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32NotifyIcon.h"
#include "platform/win32/Win32ProgramIcon.h"

namespace tessary {
namespace {

constexpr char kClassName[] = "TessaryBackground";
constexpr int kPaletteSize = 64;
enum BitmapLayout : std::uint32_t { kTiled = 1, kStretched = 2 };

bool registerClass(WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = programIcon(IconImage::Program, false);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Shades of blue from bright to dark.
HPALETTE makeBluePalette() {
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + kPaletteSize * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = kPaletteSize;
  for (int i = 0; i < kPaletteSize; ++i)
    palette->palPalEntry[i] = PALETTEENTRY{0, 0, static_cast<BYTE>(255 - 4 * i), 0};
  return CreatePalette(palette);
}

bool paletteDisplay() {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
  ReleaseDC(nullptr, screen);
  return palette;
}

HBITMAP loadBitmap(const std::string& path) {
  if (path.empty()) return nullptr;
  return static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

}  // namespace

Win32BackgroundWindow::Win32BackgroundWindow(const BackgroundWindowRequest& request)
    : bitmap_(loadBitmap(request.bitmapPath)),
      palette_(paletteDisplay() ? makeBluePalette() : nullptr),
      layout_(request.bitmapLayout) {
  if (!registerClass(procedure)) return;
  CreateWindowExA(WS_EX_WINDOWEDGE, kClassName, request.title.c_str(), WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                  0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                  GetModuleHandleA(nullptr), this);
  if (!window_ || !request.visible) return;
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon(IconImage::Program, false)));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programIcon(IconImage::Program, true)));
  ShowWindow(window_, SW_SHOWMAXIMIZED);
  UpdateWindow(window_);
}

Win32BackgroundWindow::~Win32BackgroundWindow() {
  if (window_) DestroyWindow(window_);
}

bool Win32BackgroundWindow::realizePalette(HDC dc) {
  if (!palette_.get()) return false;
  SelectPalette(dc, palette_.get(), FALSE);
  return RealizePalette(dc) > 0;
}

void Win32BackgroundWindow::paint() {
  PAINTSTRUCT paintStruct;
  HDC dc = BeginPaint(window_, &paintStruct);
  if (!dc) return;
  realizePalette(dc);
  BITMAP size{};
  if (bitmap_.get() && GetObjectA(bitmap_.get(), sizeof(size), &size) && size.bmWidth > 0 && size.bmHeight > 0) {
    HDC source = CreateCompatibleDC(dc);
    if (source) {
      HGDIOBJ previous = SelectObject(source, bitmap_.get());
      RECT client;
      GetClientRect(window_, &client);
      if (layout_ == kTiled) {
        for (int y = 0; y < client.bottom; y += size.bmHeight)
          for (int x = 0; x < client.right; x += size.bmWidth)
            BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
      } else if (layout_ == kStretched) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
      } else {
        BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
      }
      SelectObject(source, previous);
      DeleteDC(source);
    }
  }
  EndPaint(window_, &paintStruct);
}

LRESULT CALLBACK Win32BackgroundWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32BackgroundWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32BackgroundWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      self->paint();
      return 0;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED: {
      if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == window) return 0;
      if (!self->palette_.get()) break;
      HDC dc = GetDC(window);
      const bool changed = dc && self->realizePalette(dc);
      if (dc) ReleaseDC(window, dc);
      if (changed) InvalidateRect(window, nullptr, TRUE);
      return changed;
    }
    case WM_NCDESTROY:
      // The owner learns the window is gone, whoever destroyed it.
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tessary

namespace tessary {

void Win32Platform::createBackgroundWindow(const BackgroundWindowRequest& request) {
  destroyBackgroundWindow();
  background_ = std::make_unique<Win32BackgroundWindow>(request);
  if (!background_->window()) background_.reset();
}

void Win32Platform::destroyBackgroundWindow() {
  if (!background_) return;
  if (notifyIcon_) notifyIcon_->windowClosing(background_->window());
  background_.reset();
}

void* Win32Platform::dialogOwner() const { return background_ ? background_->window() : nullptr; }

}  // namespace tessary
