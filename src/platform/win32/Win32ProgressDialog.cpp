// The progress dialog: Begin starts the passes inside its own handler, and
// the passes pump messages so that Exit stays pressable meanwhile.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/Win32DialogTemplate.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ProgramIcon.h"

namespace tessary {
namespace {

enum ProgressControl : int {
  kBegin = 1002,
  kExit = IDCANCEL,
  kDescription = 1003,
  kFileLabel = 1007,
  kFileText = 1005,
  kFileBar = 1004,
  kFilePercent = 1006,
  kFilePercentSign = 1008,
  kRegistryLabel = 1017,
  kRegistryText = 1020,
  kRegistryBar = 1016,
  kRegistryPercent = 1019,
  kRegistryPercentSign = 1018,
  kAboutIcon = 1021,
};

constexpr UINT kAboutCommand = 16;
constexpr UINT_PTR kQuietTimer = 1;
constexpr UINT kQuietDelayMs = 1000;

constexpr DWORD kStatusEdit = WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;

constexpr DialogItem kProgressItems[] = {
    {"STATIC", kDescription, "Welcome to Tessary.", WS_VISIBLE | SS_LEFT, 7, 7, 306, 24},
    {"STATIC", kFileLabel, "File Status:", kLabel, 7, 36, 80, 8},
    {"EDIT", kFileText, "", kStatusEdit, 7, 46, 306, 16},
    {"msctls_progress32", kFileBar, "", WS_BORDER, 7, 65, 270, 10},
    {"STATIC", kFilePercent, "", WS_VISIBLE | SS_RIGHT, 281, 66, 20, 8},
    {"STATIC", kFilePercentSign, "%", kLabel, 303, 66, 10, 8},
    {"STATIC", kRegistryLabel, "Registry Status:", kLabel, 7, 82, 80, 8},
    {"EDIT", kRegistryText, "", kStatusEdit, 7, 92, 306, 16},
    {"msctls_progress32", kRegistryBar, "", WS_BORDER, 7, 111, 270, 10},
    {"STATIC", kRegistryPercent, "", WS_VISIBLE | SS_RIGHT, 281, 112, 20, 8},
    {"STATIC", kRegistryPercentSign, "%", kLabel, 303, 112, 10, 8},
    {"STATIC", -1, "Tessary package runtime", WS_VISIBLE | SS_LEFT, 7, 143, 150, 8},
    {"BUTTON", kBegin, "&Begin", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 209, 140, 50, 14},
    {"BUTTON", kExit, "Exit", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 263, 140, 50, 14},
};

// Shown when the passes begin.
constexpr int kShownAtBegin[] = {kFileLabel,     kFileBar,     kFilePercentSign,
                                 kRegistryLabel, kRegistryBar, kRegistryPercentSign};

constexpr DialogItem kAboutItems[] = {
    {"STATIC", kAboutIcon, "", WS_VISIBLE | SS_ICON, 7, 7, 21, 20},
    {"STATIC", -1, "Install Version 1.0", WS_VISIBLE | SS_LEFT, 40, 9, 133, 8},
    {"STATIC", -1, "Tessary package runtime", WS_VISIBLE | SS_LEFT, 40, 21, 133, 8},
    {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 65, 40, 50, 14},
};

INT_PTR CALLBACK aboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(dialog, kAboutIcon, STM_SETICON,
                          reinterpret_cast<WPARAM>(programIcon(IconImage::Program, false)), 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void showAbout(HWND owner) {
  static const std::vector<std::uint8_t> dialogTemplate = buildDialogTemplate("About Install", 180, 61, kAboutItems);
  showDialog(dialogTemplate, owner, aboutProcedure, 0);
}

class DialogProgressView final : public ProgressView {
 public:
  explicit DialogProgressView(HWND dialog) : dialog_(dialog) {}
  void fileProgress(int percent, const std::string& text) override {
    show(kFilePercent, kFileBar, kFileText, percent, text);
  }
  void registryProgress(int percent, const std::string& text) override {
    show(kRegistryPercent, kRegistryBar, kRegistryText, percent, text);
  }

 private:
  void show(int percentId, int barId, int textId, int percent, const std::string& text) {
    if (percent < 0 || percent > 100) percent = 100;
    SetDlgItemTextA(dialog_, percentId, std::to_string(percent).c_str());
    SendDlgItemMessageA(dialog_, barId, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    SetDlgItemTextA(dialog_, textId, text.c_str());
  }
  HWND dialog_;
};

struct ProgressSession {
  const ProgressDialogRequest& request;
  ProgressDialogHandler& handler;
  void*& activeDialog;
  bool started = false;
  bool passesEnded = false;
  bool exitAccepted = false;
  bool asking = false;
};

void beginPasses(HWND dialog, ProgressSession& session) {
  if (session.started || session.exitAccepted) return;
  session.started = true;
  for (int id : kShownAtBegin) ShowWindow(GetDlgItem(dialog, id), SW_SHOW);
  // Focus must not stay on the disabled button, or the keyboard goes nowhere.
  HWND exit = GetDlgItem(dialog, kExit);
  if (IsWindowEnabled(exit)) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(exit), TRUE);
  EnableWindow(GetDlgItem(dialog, kBegin), FALSE);
  DialogProgressView view(dialog);
  session.handler.begin(view);
  session.passesEnded = true;
  if (!session.exitAccepted) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void requestExit(HWND dialog, ProgressSession& session) {
  // The handler may ask a question; a second press meanwhile is the same request.
  if (session.exitAccepted || session.asking) return;
  session.asking = true;
  const bool accepted = session.handler.exitRequested(session.started);
  session.asking = false;
  if (!accepted) return;
  session.exitAccepted = true;
  // Inside the passes this only marks the dialog: it closes once they return.
  EndDialog(dialog, IDCANCEL);
}

void initialize(HWND dialog, ProgressSession& session) {
  session.activeDialog = dialog;
  SetWindowTextA(dialog, session.request.title.c_str());
  SetDlgItemTextA(dialog, kDescription, session.request.description.c_str());
  if (HMENU menu = GetSystemMenu(dialog, FALSE)) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kAboutCommand, "&About Tessary...");
  }
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon(IconImage::Program, false)));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programIcon(IconImage::Program, true)));
  for (int id : {kFileBar, kRegistryBar}) SendDlgItemMessageA(dialog, id, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  if (session.request.quiet) {
    EnableWindow(GetDlgItem(dialog, kBegin), FALSE);
    EnableWindow(GetDlgItem(dialog, kExit), FALSE);
    SetTimer(dialog, kQuietTimer, kQuietDelayMs, nullptr);
  }
  SetForegroundWindow(dialog);
}

// Systems that draw minimised windows as icons show ours.
void paintIconCentred(HWND dialog) {
  PAINTSTRUCT paintStruct;
  HDC dc = BeginPaint(dialog, &paintStruct);
  if (!dc) return;
  RECT client;
  GetClientRect(dialog, &client);
  DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON)) / 2, (client.bottom - GetSystemMetrics(SM_CYICON)) / 2,
           programIcon(IconImage::Program, false));
  EndPaint(dialog, &paintStruct);
}

INT_PTR CALLBACK progressProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    attachDialogState(dialog, reinterpret_cast<void*>(lParam));
    initialize(dialog, *reinterpret_cast<ProgressSession*>(lParam));
    return TRUE;
  }
  ProgressSession* session = dialogState<ProgressSession>(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_TIMER:
      if (wParam != kQuietTimer) break;
      KillTimer(dialog, kQuietTimer);
      beginPasses(dialog, *session);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kBegin:
          beginPasses(dialog, *session);
          return TRUE;
        case IDOK:
          // Enter on the disabled Begin comes here too: only the end of the
          // passes closes the dialog with OK.
          if (session->passesEnded && !session->exitAccepted) EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          requestExit(dialog, *session);
          return TRUE;
      }
      break;
    case WM_CLOSE:
      // Also in quiet runs, whose Exit button is disabled.
      requestExit(dialog, *session);
      return TRUE;
    case WM_PAINT:
      if (IsIconic(dialog)) {
        paintIconCentred(dialog);
        return TRUE;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kAboutCommand) {
        showAbout(dialog);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

int Win32Platform::progressDialog(const ProgressDialogRequest& request, ProgressDialogHandler& handler) {
  InitCommonControls();
  static const std::vector<std::uint8_t> dialogTemplate = buildDialogTemplate("Tessary", 320, 161, kProgressItems);
  void* const outerDialog = activeDialog_;
  ProgressSession session{request, handler, activeDialog_};
  const INT_PTR result = showDialog(dialogTemplate, static_cast<HWND>(dialogOwner()), progressProcedure,
                                    reinterpret_cast<LPARAM>(&session));
  activeDialog_ = outerDialog;
  if (result == -1) return kDialogNotShown;
  return result == IDOK ? kIdOk : kIdCancel;
}

}  // namespace tessary
