#include "platform/win32/Win32ProgramIcon.h"

namespace tessary {
namespace {

// The icon ids of src/resources/install.rc.
constexpr WORD kProgramIconId = 1;
constexpr WORD kAlternateIconId = 2;

}  // namespace

HICON programIcon(IconImage image, bool small) {
  const WORD id = image == IconImage::Program ? kProgramIconId : kAlternateIconId;
  const int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  const int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  if (HANDLE own = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, LR_SHARED))
    return static_cast<HICON>(own);
  return LoadIconA(nullptr, image == IconImage::Program ? IDI_APPLICATION : IDI_INFORMATION);
}

}  // namespace tessary
