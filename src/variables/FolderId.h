// Numbers that file records and the folder look-up use for well-known
// folders, and the fixed mapping from variable names to them.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessary {

enum FolderId : std::int32_t {
  kFolderNone = 99,       // no variable
  kFolderOtherPath = 100,  // a path variable without an id of its own
  kFolderWindows = 101,
  kFolderProgramFiles = 102,
  kFolderSystemDrive = 103,
  kFolderUserProfile = 104,
  kFolderDesktop = 105,
  kFolderStartMenu = 106,
  kFolderApplicationData = 107,
  kFolderLocalApplicationData = 108,
  kFolderSendTo = 109,
  kFolderStartup = 110,
  kFolderPrograms = 111,
  kFolderTemplates = 112,
  kFolderFavorites = 113,
  kFolderLocalSettings = 114,
  kFolderMyPictures = 115,
  kFolderCookies = 116,
  kFolderFonts = 117,
  kFolderHistory = 118,
  kFolderCache = 119,
  kFolderPrinthood = 120,
  kFolderMyDocuments = 121,
  kFolderNethood = 122,
  kFolderAllUsersProfile = 123,
  kFolderAllUsersDesktop = 124,
  kFolderAllUsersStartMenu = 125,
  kFolderAllUsersStartup = 126,
  kFolderAllUsersApplicationData = 127,
  kFolderAllUsersPrograms = 128,
  kFolderAllUsersTemplates = 129,
  kFolderLocalMachine = 130,
  kFolderCurrentUser = 131,
  kFolderUsers = 132,
  kFolderRecent = 137,
};

// The id of a variable name; leading and trailing "$" are removed and the
// letter case ignored. kFolderNone for names outside the table.
FolderId folderIdForName(std::string_view name);

}  // namespace tessary
