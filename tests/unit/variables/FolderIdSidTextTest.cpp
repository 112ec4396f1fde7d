// The fixed name-to-id table and the text form of SIDs.
#include <gtest/gtest.h>

#include "unit/variables/ProfileComputer.h"
#include "variables/FolderId.h"
#include "variables/SidText.h"

namespace tessary {
namespace {

TEST(FolderIdForName, NamesWithOrWithoutDollarsInAnyCase) {
  const struct {
    const char* name;
    FolderId id;
  } cases[] = {
      {"$desktop$", kFolderDesktop},
      {"Desktop", kFolderDesktop},
      {"$$DESKTOP$$", kFolderDesktop},
      {"Recent", kFolderRecent},
      {"$Windows$", kFolderWindows},
      {"$All Users Templates$", kFolderAllUsersTemplates},
      {"$User Profile$", kFolderUserProfile},
      {"All Users Profile", kFolderAllUsersProfile},
      {"$Users$", kFolderUsers},
      {"$Current User$", kFolderCurrentUser},
      {"$Local Machine$", kFolderLocalMachine},
      {"$Send To$", kFolderSendTo},
      {"$SendTo$", kFolderNone},
      {"$MSI Windows$", kFolderNone},
      {"$Desktop2$", kFolderNone},
      {" Desktop", kFolderNone},
      {"", kFolderNone},
      {"$", kFolderNone},
  };
  for (const auto& c : cases) EXPECT_EQ(folderIdForName(c.name), c.id) << c.name;
}

TEST(SidToText, DecimalAndHexadecimalAuthorities) {
  using test::makeSid;
  const struct {
    std::vector<std::uint8_t> sid;
    const char* text;
  } cases[] = {
      {makeSid(5, {18}), "S-1-5-18"},
      {makeSid(5, {21, 1004336348, 1177238915, 682003330, 1003}), "S-1-5-21-1004336348-1177238915-682003330-1003"},
      {makeSid(1, {0}), "S-1-1-0"},
      {makeSid(5, {}), "S-1-5"},
      {makeSid(5, {0xFFFFFFFFu}), "S-1-5-4294967295"},
      // Low four bytes big-endian when the top two are zero.
      {makeSid(0x0000DEADBEEFull, {1}), "S-1-3735928559-1"},
      // Either of the top two bytes set: all six in hexadecimal.
      {makeSid(0x010000000005ull, {7}), "S-1-0x010000000005-7"},
      {makeSid(0x00AB00000000ull, {}), "S-1-0x00ab00000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(sidToText(c.sid), c.text) << c.text;
}

TEST(SidToText, MalformedSidsGiveEmptyText) {
  using test::makeSid;
  std::vector<std::uint8_t> revision2 = makeSid(5, {18});
  revision2[0] = 2;
  std::vector<std::uint8_t> cut = makeSid(5, {21, 1, 2});
  cut.pop_back();
  std::vector<std::uint8_t> tooMany = makeSid(5, {});
  tooMany[1] = 16;
  tooMany.resize(8 + 16 * 4);
  for (const auto& sid : {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0}, revision2,
                          cut, tooMany})
    EXPECT_EQ(sidToText(sid), "");
}

}  // namespace
}  // namespace tessary
