// Entry of install.exe. A GUI-subsystem program: the C runtime calls main.
#include "control/InstallApp.h"
#include "platform/win32/Win32Platform.h"

int main() {
  tessary::Win32Platform platform;
  tessary::InstallApp app(platform);
  return app.run();
}
