// The real operating system, through its ANSI entry points.
#pragma once

#include "platform/NullPlatform.h"

namespace tessary {

// TRANSITION: derives from NullPlatform until every new call is served; back to Platform when done.
class Win32Platform final : public NullPlatform {
 public:
  std::string ownExecutablePath() override;
  std::string rawCommandLine() override;
  bool initializeComponentRuntime() override;
  void uninitializeComponentRuntime() override;

  WinError openFile(const std::string& path, FileAccess access, unsigned share,
                    FileDisposition disposition, std::unique_ptr<PlatformFile>& file) override;

  bool osVersion(OsVersion& version) override;

  WinError setPrivilege(const std::string& name, bool enable) override;
};

}  // namespace tessary
