// Dialogs from templates built in memory: the program carries no dialog
// resources, and every layout is a table of controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// One control of a template; `style` gets WS_CHILD added, so a control
// without WS_VISIBLE starts hidden.
struct DialogItem {
  const char* className;  // "BUTTON", "EDIT", "STATIC" or a registered class
  int id;                 // -1 for labels nobody addresses
  const char* text;
  DWORD style;
  short x, y, cx, cy;  // dialog units
};

// A modal frame with a caption, a system menu and the usual dialog font.
std::vector<std::uint8_t> buildDialogTemplate(const char* title, short cx, short cy,
                                              std::span<const DialogItem> items);

// Runs the dialog modally; -1 when it could not be shown.
INT_PTR showDialog(const std::vector<std::uint8_t>& dialogTemplate, HWND owner, DLGPROC procedure,
                   LPARAM parameter);

// The whole text of a control, however long.
std::string dialogItemText(HWND dialog, int id);

// Keeps `state` with the dialog (at WM_INITDIALOG) and finds it again.
void attachDialogState(HWND dialog, void* state);
template <class State>
State* dialogState(HWND dialog) {
  return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace tessary
