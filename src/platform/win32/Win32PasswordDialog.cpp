// The "Password" question of protected packages.
#include <windows.h>

#include "platform/win32/Win32DialogTemplate.h"
#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

constexpr int kPasswordEdit = 1014;

constexpr DialogItem kPasswordItems[] = {
    {"STATIC", -1, "Password:", WS_VISIBLE | SS_LEFT, 7, 9, 172, 8},
    {"EDIT", kPasswordEdit, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 7, 20, 172, 12},
    {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 75, 40, 50, 14},
    {"BUTTON", IDCANCEL, "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 129, 40, 50, 14},
};

INT_PTR CALLBACK passwordProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      attachDialogState(dialog, reinterpret_cast<void*>(lParam));
      SetForegroundWindow(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        *dialogState<std::string>(dialog) = dialogItemText(dialog, kPasswordEdit);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

bool Win32Platform::passwordDialog(std::string& password) {
  password.clear();
  static const std::vector<std::uint8_t> dialogTemplate = buildDialogTemplate("Password", 186, 62, kPasswordItems);
  std::string typed;
  if (showDialog(dialogTemplate, static_cast<HWND>(dialogOwner()), passwordProcedure,
                 reinterpret_cast<LPARAM>(&typed)) != IDOK)
    return false;
  password = std::move(typed);
  return true;
}

}  // namespace tessary
