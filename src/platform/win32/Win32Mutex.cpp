// The computer-wide mutex that lets one package run at a time.
#include <windows.h>

#include "platform/win32/Win32Platform.h"

namespace tessary {

MutexTake Win32Platform::takeNamedMutex(const std::string& name) {
  if (mutex_) return MutexTake::Taken;
  HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, TRUE, name.c_str());
  if (existing) {
    const DWORD wait = WaitForSingleObject(existing, 0);
    if (wait == WAIT_ABANDONED) {
      // Its owner ended without releasing it; the wait made it ours. Keep it
      // owned: releasing it here would let the next instance in beside us.
      mutex_ = existing;
      return MutexTake::Taken;
    }
    // A recursive take by this very thread would succeed; it is not ours to keep.
    if (wait == WAIT_OBJECT_0) ReleaseMutex(existing);
    CloseHandle(existing);
    return MutexTake::HeldElsewhere;
  }
  SECURITY_ATTRIBUTES inheritable{};
  inheritable.nLength = sizeof(inheritable);
  inheritable.bInheritHandle = TRUE;
  HANDLE created = CreateMutexA(&inheritable, TRUE, name.c_str());
  if (!created) return MutexTake::Failed;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another instance made it between our open and create: its owner wins.
    const DWORD wait = WaitForSingleObject(created, 0);
    if (wait != WAIT_ABANDONED) {
      if (wait == WAIT_OBJECT_0) ReleaseMutex(created);
      CloseHandle(created);
      return MutexTake::HeldElsewhere;
    }
  }
  mutex_ = created;
  return MutexTake::Taken;
}

void Win32Platform::releaseNamedMutex() {
  if (!mutex_) return;
  ReleaseMutex(static_cast<HANDLE>(mutex_));
  CloseHandle(static_cast<HANDLE>(mutex_));
  mutex_ = nullptr;
}

}  // namespace tessary
