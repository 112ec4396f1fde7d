// The real operating system, through its ANSI entry points.
#pragma once

#include "platform/Platform.h"

namespace tessary {

class Win32Platform final : public Platform {
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
