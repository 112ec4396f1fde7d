// Administrator rights, as the service control manager judges them.
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"

namespace tessary {

bool Win32Platform::serviceManagerFullAccess() {
  using OpenManager = SC_HANDLE(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  using CloseManager = BOOL(WINAPI*)(SC_HANDLE);
  // The 95 family has no service manager: no such rights there.
  auto open = functions_->get<OpenManager>(RuntimeFunction::OpenSCManagerA);
  auto close = functions_->get<CloseManager>(RuntimeFunction::CloseServiceHandle);
  if (!open || !close) return false;
  SC_HANDLE manager = open(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  close(manager);
  return true;
}

}  // namespace tessary
