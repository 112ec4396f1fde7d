#include "platform/sim/HostFiles.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace tessary {

bool readHostFile(const std::filesystem::path& path, std::string& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path.generic_string();
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + path.generic_string();
    return false;
  }
  return true;
}

bool replaceHostFile(const std::filesystem::path& path, const std::string& bytes,
                     std::string& error) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      error = "cannot write " + temporary.generic_string();
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    error = "cannot replace " + path.generic_string() + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace tessary
