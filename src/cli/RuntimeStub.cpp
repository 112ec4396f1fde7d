#include "cli/RuntimeStub.h"

#include <system_error>

#include "cli/HostFile.h"

namespace tessary::cli {

std::optional<std::filesystem::path> findRuntimeStub(const std::optional<std::filesystem::path>& given) {
  if (given) return given;
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    std::filesystem::path beside = self.parent_path() / "install.exe";
    if (std::filesystem::is_regular_file(beside, error)) return beside;
  }
#ifdef TESSARY_DEFAULT_STUB
  if (std::filesystem::is_regular_file(TESSARY_DEFAULT_STUB, error)) return std::filesystem::path(TESSARY_DEFAULT_STUB);
#endif
  return std::nullopt;
}

bool loadRuntimeStub(const std::filesystem::path& path, std::string& stub, std::string& error) {
  std::string readError;
  if (!readWholeFile(path, stub, readError)) {
    error = "cannot read the runtime stub " + readError;
    return false;
  }
  // The word at 18 must exist to be patched.
  if (stub.size() < 64 || stub[0] != 'M' || stub[1] != 'Z') {
    error = path.string() + " is not a Windows program (no \"MZ\" header)";
    return false;
  }
  std::size_t base = (static_cast<unsigned char>(stub[18]) | (static_cast<unsigned char>(stub[19]) << 8)) * 1024u;
  if (base > 0 && base + 4 <= stub.size() && stub.compare(base, 4, "PKAF") == 0) {
    stub.resize(base);
    stub[18] = stub[19] = '\0';
  }
  return true;
}

}  // namespace tessary::cli
