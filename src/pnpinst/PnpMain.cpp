// Entry of pnpinst.exe: no window, no message; the exit code is the only
// answer (0 success, 1 anything else).
#include <windows.h>

#include "pnpinst/DriverCalls.h"
#include "pnpinst/PnpCommandLine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A missing or damaged system library must fail quietly, not ask the user.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // The raw line, program path included: arguments may stand anywhere in it.
  const char* line = GetCommandLineA();
  const tessary::PnpRequest request = tessary::analysePnpCommandLine(line ? line : "");
  return tessary::carryOutPnpRequest(request) ? 0 : 1;
}
