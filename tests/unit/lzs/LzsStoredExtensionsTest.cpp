#include <gtest/gtest.h>

#include <string>

#include "archive/lzs/StoredExtensions.h"

namespace tessary {
namespace {

TEST(LzsStoredExtensions, ChoosesStoredOrCompressed) {
  const std::pair<const char*, bool> cases[] = {
      {"movie.MPEG", true},
      {"archive.zip", true},
      {"Archive.Zip", true},
      {"song.mp3", true},
      {"c:\\data\\pack.tar.gz", true},  // the text after the last dot
      {"file.z", true},
      {"odd.pg", true},
      {"setup.exe", false},
      {"README", false},
      {"trailing.", false},
      {"archive.zip.bak", false},
      {"archive.zi", false},   // a whole entry only
      {"archive.ip", false},
      {"c:\\v1.zip\\notes", false},
      {"archive.zip;", false},
      {"", false},
  };
  for (auto [name, stored] : cases) EXPECT_EQ(lzs::isStoredUncompressed(name), stored) << name;
}

}  // namespace
}  // namespace tessary
