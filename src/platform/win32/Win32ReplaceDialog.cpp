// The "Confirm File Replace" question of the file pass.
#include <windows.h>

#include "platform/win32/Win32DialogTemplate.h"
#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

constexpr int kHeading = 1012;
constexpr int kExistingDetails = 1010;
constexpr int kNewDetails = 1011;
constexpr int kExistingIcon = 1021;
constexpr int kNewIcon = 1022;

// File names may hold "&": the texts show as they stand.
constexpr DWORD kPlainText = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;

constexpr DialogItem kReplaceItems[] = {
    {"STATIC", kHeading, "%s already contains a file named '%s'", kPlainText, 7, 7, 246, 18},
    {"STATIC", -1, "Would you like to replace the existing file", WS_VISIBLE | SS_LEFT, 7, 30, 246, 8},
    {"STATIC", kExistingIcon, "", WS_VISIBLE | SS_ICON, 14, 42, 21, 20},
    {"STATIC", kExistingDetails, "", kPlainText, 44, 42, 209, 24},
    {"STATIC", -1, "with this one?", WS_VISIBLE | SS_LEFT, 7, 72, 246, 8},
    {"STATIC", kNewIcon, "", WS_VISIBLE | SS_ICON, 14, 84, 21, 20},
    {"STATIC", kNewDetails, "", kPlainText, 44, 84, 209, 24},
    {"BUTTON", kReplaceYes, "&Yes", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 95, 116, 50, 14},
    {"BUTTON", kReplaceYesToAll, "Yes &All", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 149, 116, 50, 14},
    {"BUTTON", kReplaceNo, "&No", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 203, 116, 50, 14},
};

struct ReplaceTexts {
  const std::string& heading;
  const std::string& existingDetails;
  const std::string& newDetails;
};

INT_PTR CALLBACK replaceProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* texts = reinterpret_cast<const ReplaceTexts*>(lParam);
      SetDlgItemTextA(dialog, kHeading, texts->heading.c_str());
      SetDlgItemTextA(dialog, kExistingDetails, texts->existingDetails.c_str());
      SetDlgItemTextA(dialog, kNewDetails, texts->newDetails.c_str());
      HICON fileIcon = LoadIconA(nullptr, IDI_WINLOGO);
      for (int id : {kExistingIcon, kNewIcon})
        SendDlgItemMessageA(dialog, id, STM_SETICON, reinterpret_cast<WPARAM>(fileIcon), 0);
      SetForegroundWindow(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      // Escape and the close box come as 2, which is No.
      switch (LOWORD(wParam)) {
        case kReplaceYes:
        case kReplaceYesToAll:
        case kReplaceNo:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

int Win32Platform::confirmFileReplace(const std::string& heading, const std::string& existingDetails,
                                      const std::string& newDetails) {
  static const std::vector<std::uint8_t> dialogTemplate =
      buildDialogTemplate("Confirm File Replace", 260, 137, kReplaceItems);
  ReplaceTexts texts{heading, existingDetails, newDetails};
  const INT_PTR answer = showDialog(dialogTemplate, static_cast<HWND>(dialogOwner()), replaceProcedure,
                                    reinterpret_cast<LPARAM>(&texts));
  // A dialog that cannot show replaces nothing.
  return answer == kReplaceYes || answer == kReplaceYesToAll ? static_cast<int>(answer) : kReplaceNo;
}

}  // namespace tessary
