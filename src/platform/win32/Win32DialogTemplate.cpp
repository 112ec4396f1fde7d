#include "platform/win32/Win32DialogTemplate.h"

#include <cstring>

namespace tessary {
namespace {

class TemplateWriter {
 public:
  template <class Plain>
  void put(const Plain& value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    out_.insert(out_.end(), bytes, bytes + sizeof(value));
  }
  void word(std::uint16_t value) { put(value); }
  // Templates hold their texts in UTF-16 whichever entry point reads them.
  void text(const char* ansi) {
    const int length = ansi && *ansi ? MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0) : 0;
    if (length <= 0) {
      word(0);
      return;
    }
    std::vector<WCHAR> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide.data(), length);
    for (WCHAR unit : wide) word(static_cast<std::uint16_t>(unit));
  }
  void alignToDword() {
    while (out_.size() % 4) out_.push_back(0);
  }
  std::vector<std::uint8_t>& bytes() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

}  // namespace

std::vector<std::uint8_t> buildDialogTemplate(const char* title, short cx, short cy,
                                              std::span<const DialogItem> items) {
  TemplateWriter writer;
  DLGTEMPLATE head{};
  head.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  head.cdit = static_cast<WORD>(items.size());
  head.cx = cx;
  head.cy = cy;
  // The structure is packed to 18 bytes: write its fields, not its padding.
  writer.put(head.style);
  writer.put(head.dwExtendedStyle);
  writer.put(head.cdit);
  writer.put(head.x);
  writer.put(head.y);
  writer.put(head.cx);
  writer.put(head.cy);
  writer.word(0);  // no menu
  writer.word(0);  // the standard dialog class
  writer.text(title);
  writer.word(8);
  writer.text("MS Sans Serif");
  for (const DialogItem& item : items) {
    writer.alignToDword();
    writer.put(static_cast<DWORD>(item.style | WS_CHILD));
    writer.put(static_cast<DWORD>(0));
    writer.put(item.x);
    writer.put(item.y);
    writer.put(item.cx);
    writer.put(item.cy);
    writer.word(static_cast<std::uint16_t>(item.id));
    writer.text(item.className);
    writer.text(item.text);
    writer.word(0);  // no creation data
  }
  return std::move(writer.bytes());
}

INT_PTR showDialog(const std::vector<std::uint8_t>& dialogTemplate, HWND owner, DLGPROC procedure,
                   LPARAM parameter) {
  return DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                 reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), owner, procedure,
                                 parameter);
}

std::string dialogItemText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return std::string();
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextA(control, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void attachDialogState(HWND dialog, void* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
}

}  // namespace tessary
