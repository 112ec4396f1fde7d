#include "variables/FolderId.h"

#include "support/TextCompare.h"

namespace tessary {
namespace {

struct FolderName {
  std::string_view name;
  FolderId id;
};

constexpr FolderName kFolderNames[] = {
    {"Windows", kFolderWindows},
    {"Program Files", kFolderProgramFiles},
    {"System Drive", kFolderSystemDrive},
    {"User Profile", kFolderUserProfile},
    {"Desktop", kFolderDesktop},
    {"Start Menu", kFolderStartMenu},
    {"Application Data", kFolderApplicationData},
    {"Local Application Data", kFolderLocalApplicationData},
    {"Send To", kFolderSendTo},
    {"Startup", kFolderStartup},
    {"Programs", kFolderPrograms},
    {"Templates", kFolderTemplates},
    {"Favorites", kFolderFavorites},
    {"Local Settings", kFolderLocalSettings},
    {"My Pictures", kFolderMyPictures},
    {"Cookies", kFolderCookies},
    {"Fonts", kFolderFonts},
    {"History", kFolderHistory},
    {"Cache", kFolderCache},
    {"Printhood", kFolderPrinthood},
    {"My Documents", kFolderMyDocuments},
    {"Nethood", kFolderNethood},
    {"All Users Profile", kFolderAllUsersProfile},
    {"All Users Desktop", kFolderAllUsersDesktop},
    {"All Users Start Menu", kFolderAllUsersStartMenu},
    {"All Users Startup", kFolderAllUsersStartup},
    {"All Users Application Data", kFolderAllUsersApplicationData},
    {"All Users Programs", kFolderAllUsersPrograms},
    {"All Users Templates", kFolderAllUsersTemplates},
    {"Local Machine", kFolderLocalMachine},
    {"Current User", kFolderCurrentUser},
    {"Users", kFolderUsers},
    {"Recent", kFolderRecent},
};

}  // namespace

FolderId folderIdForName(std::string_view name) {
  while (!name.empty() && name.front() == '$') name.remove_prefix(1);
  while (!name.empty() && name.back() == '$') name.remove_suffix(1);
  for (const FolderName& entry : kFolderNames)
    if (equalsNoCase(entry.name, name)) return entry.id;
  return kFolderNone;
}

}  // namespace tessary
